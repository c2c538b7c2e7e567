#pragma once
#include <QFileDialog>
#include <QString>

namespace ruvenset {

// Makes a save dialog give the file the extension of the chosen filter when the typed name has none
// ("walkcal2" with "*.klb" chosen is saved as "walkcal2.klb"), so that the file shows in the open
// dialog of its kind later. A filter that takes every file keeps the extension of the first filter
// that has one. The dialog's overwrite question then asks about the name with its extension.
void AddFilterExtension(QFileDialog& dialog);

// Qt's own save dialog (the same on every desktop) with the filter's extension added: the chosen
// path, or an empty string when the technician cancelled. `filters` in Qt's form ("CSV (*.csv);;...").
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filters,
                        QFileDialog::Options options = {});

}  // namespace ruvenset
