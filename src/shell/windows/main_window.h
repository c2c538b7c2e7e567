#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "common/windows/qt_translations.h"
#include "common/worker_thread.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "shell/main_menu.h"
#include "shell/windows/qt_technician.h"

namespace ruvenset {

// How the main window reaches the flow computer: the opener of port devices and, for this run only,
// a device path used instead of the configured slot (--port, or the simulated flow computer of --demo),
// which the window hands to the program state as the port given at start.
struct MainWindowOptions {
  PortOpener opener = OpenSerialPort;
  std::string portOverride;
  bool portSimulated = false;
  // Whether Timer1 connects at start-up: as the configuration says (TypSvyaz 0), always (the demo) or never.
  enum class StartConnect { ByConfiguration, Always, Never };
  StartConnect startConnect = StartConnect::ByConfiguration;
  // Every channel's menus for this run, whatever the configuration says.
  bool allChannels = false;
};

// The main window: the menus from which every procedure starts, the status bar, the connect and
// no-link operations, the language switch and the end of work. Procedures and the connect run on the
// window's worker thread, which owns the link; while one runs, the menu starts nothing else and the
// window does not close. The status bar's Stop (and Escape) ends a wait for an answer.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  TForm1(ProgramState& state, MainWindowOptions options);
  ~TForm1() override;

  // A procedure for a menu item; it runs on the worker thread. Items without one stay visible by the
  // menu rules but disabled.
  using Procedure = std::function<void()>;
  void SetProcedure(MenuItem item, Procedure procedure);

  ProgramState& state() { return state_; }
  QtTechnician& technician() { return technician_; }
  QAction* Action(MenuItem item) const { return actions_[static_cast<int>(item)]; }
  QMenu* Menu(MenuItem menu) const { return menus_[static_cast<int>(menu)]; }
  const MenuVisibility& visibility() const { return visibility_; }
  const std::string& menuPath() const { return menuPath_; }
  // A procedure or an operation is running.
  bool busy() const { return busy_; }

  QTimer* Timer1;
  QLabel* StatusPanel1;
  QLabel* StatusPanel2;
  QLabel* ProgressPanel;
  QLabel* ConnectionPanel;
  QLabel* SummaryPanel;  // the connected flow computer, in the middle of the window
  QPushButton* StopButton;

 public slots:
  // Texts, captions, the start-up menus and the status bar; false when the language catalogue could
  // not be read (the texts already loaded stay).
  bool FormCreate();
  void Timer1Timer();
  void N6Click();
  void N47Click();
  void NP1Click();
  void N12Click();
  // About → the technician's guide, in the chosen language.
  void GuideClick();
  void MNMNU1Click();
  void MNMNU2Click();
  void N13Click();
  void N48Click();
  void N17Click();
  void N20Click() { RunItem(MenuItem::N20); }
  void N21Click() { RunItem(MenuItem::N21); }
  void N22Click() { RunItem(MenuItem::N22); }
  void N23Click() { RunItem(MenuItem::N23); }
  void N10Click() { RunItem(MenuItem::N10); }
  void N14Click() { RunItem(MenuItem::N14); }
  void N15Click() { RunItem(MenuItem::N15); }
  void N16Click() { RunItem(MenuItem::N16); }
  void N36Click() { RunItem(MenuItem::N36); }
  void N18Click() { RunItem(MenuItem::N18); }
  void N34Click() { RunItem(MenuItem::N34); }
  void N35Click() { RunItem(MenuItem::N35); }
  void N5Click() { RunItem(MenuItem::N5); }
  void N25Click() { RunItem(MenuItem::N25); }
  void N26Click() { RunItem(MenuItem::N26); }
  void N27Click() { RunItem(MenuItem::N27); }
  void N28Click();
  void N29Click() { RunItem(MenuItem::N29); }
  void N38Click() { RunItem(MenuItem::N38); }
  void N39Click() { RunItem(MenuItem::N39); }
  void N42Click() { RunItem(MenuItem::N42); }
  void N43Click() { RunItem(MenuItem::N43); }
  void N44Click() { RunItem(MenuItem::N44); }
  void N7Click() { RunItem(MenuItem::N7); }
  void N45Click() { RunItem(MenuItem::N45); }
  void N2Click() { RunItem(MenuItem::N2); }
  void N30Click() { RunItem(MenuItem::N30); }
  void N8Click() { RunItem(MenuItem::N8); }
  void N9Click() { RunItem(MenuItem::N9); }
  void N31Click() { RunItem(MenuItem::N31); }

  // Opens the menu at a recorded position (digit pairs of MenuPath).
  void ReopenMenu(const std::string& path);

 protected:
  // FormClose: the configuration is written back.
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void BuildStatusBar();
  void SetCaptions();
  void ApplyVisibility(const MenuVisibility& visibility);
  void ApplyMenuRules();
  MenuEdition edition() const;
  // Fills the summary of the connected flow computer; empty without a connection.
  void ShowSummary();
  void SwitchLanguage(int langRus);
  // Records the item's menu position, sets the channel, runs its procedure and reopens the menu there.
  void RunItem(MenuItem item);
  // Runs `work` on the worker with the menu shut, then `after` on this thread.
  void RunModal(std::function<void()> work, std::function<void()> after);
  bool LoadTexts();
  // Writes the configuration file (atomically) when a setting changed since it was last written, so a
  // language or a link setting chosen is kept however the program ends.
  void StoreConfiguration();

  ProgramState& state_;
  MainWindowOptions options_;
  QtTechnician technician_;
  QtTranslations qtTexts_;  // Qt's own dialogs in the chosen language
  std::array<QAction*, kMenuItemCount> actions_{};
  std::array<QMenu*, kMenuItemCount> menus_{};
  std::map<MenuItem, Procedure> procedures_;
  MenuVisibility visibility_;
  std::string menuPath_;
  std::string storedConfiguration_;
  bool rulesActive_ = false;  // a connection or the no-link mode is active
  bool busy_ = false;         // a procedure or an operation is running
  QLabel* title_ = nullptr;
  QLabel* subtitle_ = nullptr;
  WorkerThread worker_;
};

}  // namespace ruvenset
