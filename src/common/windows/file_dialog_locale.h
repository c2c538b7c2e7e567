#pragma once
#include <QFileDialog>
#include <QString>

namespace ruvenset {

// Makes Qt's own file dialog write the sizes and dates of its list in the program's language (the
// default locale, which follows the language chosen), not in the system's: "12 байт", "5 дек. 2024".
// The dialog draws its own widgets from then on.
void ShowInProgramLocale(QFileDialog& dialog);

// An open dialog (`OpenDialog`) in the program's language: the chosen path, or an empty string when the
// technician cancelled. `filters` in Qt's form ("Reports (*.rcl);;...").
QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filters);

}  // namespace ruvenset
