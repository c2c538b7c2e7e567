#pragma once
#include <QMainWindow>

class QMenu;

namespace ruvenset {

class TFormGraph;

// The viewer's main window "Статистика поверок": the menu "Выбор файла" opens a verification data file
// for the channel of the chosen item (its Tag: 0 pressure, 1 temperature, 2 differential pressure) in a
// graph window; "Выход" ends the program.
class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormMain(QWidget* parent = nullptr);

  // The file menu item handler: asks for a file and opens it for the channel `tag`.
  void NParClick(int tag);
  // Loads the channel of the file and opens a graph window for it; shows the message and returns
  // nullptr when the file cannot be shown.
  TFormGraph* OpenGraph(const QString& path, int tag);
  // Opens a graph window for each channel the file holds readings of (pressure, temperature,
  // differential pressure); shows the message when it holds none or cannot be read.
  void OpenFile(const QString& path);
  QMenu* FileMenu() const { return fileMenu_; }

 private:
  QMenu* fileMenu_ = nullptr;
};

// The folder the open dialog starts in: CONTROL below the current folder when it exists, else the
// current folder.
QString DataFolder();

// The Qt name filters of a dialog filter written as "description|patterns|description|patterns";
// the pattern "*.*" stands for every file.
QStringList DialogNameFilters(const QString& filter);

}  // namespace ruvenset
