#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QStyle>
#include <functional>
#include <string>

#include "device/device_prompts.h"

namespace ruvenset {

// Modal results as the procedures count them.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

inline QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A dialog button with the style's icon for its role.
QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text,
                        QStyle::StandardPixmap icon);

// A fixed-size dialog frame: title, no context help, sized to its layout.
void PrepareDialog(QDialog* dialog, const char* objectName, const QString& caption);

// The body of a progress window: `text` above a progress bar that runs from 0 to `maximum` (at least 1),
// named Label1 (or the given name) and ProgressBar1, without a close box. Returns the two parts.
struct ProgressBody {
  QLabel* label;
  QProgressBar* bar;
};
ProgressBody BuildProgressBody(QDialog* dialog, const QString& text, int maximum,
                               const char* labelName = "Label1");

// A Stop button (named StopButton) that ends a wait for an answer: the same word in both languages.
QPushButton* MakeStopButton(QWidget* parent);

// A Stop button (named StopButton) under a progress body, at its right; a click calls `stop`. The
// window's Escape (its reject) is to click it too.
QPushButton* AddStopButton(QDialog* dialog, std::function<void()> stop);

// Passes typed characters through `accepts` before the field sees them, the way a field's key filter
// does: a refused character is discarded. Return, Escape, Tab and keys that type nothing pass. A
// validator holds pasted text (Ctrl+V, Shift+Insert, the middle button) to the same rule, and the field
// loses its context menu and drops.
void FilterKeys(QLineEdit* field, std::function<bool(char32_t)> accepts);
// A numeric field: keys as NumberKeyAccepted takes them, and every text typed or pasted held to the
// number rule of the filter (a decimal point or comma, a minus sign only in front and only where the
// filter takes one).
void FilterNumber(QLineEdit* field, NumberFilter filter);
// The same for an editable combo box: keys that reach the box itself and keys typed into its field.
void FilterKeys(QComboBox* box, std::function<bool(char32_t)> accepts);

// When the focus leaves `field` while `valid` says no, `restore` runs (it may put the last good value
// back) and the focus returns to the field. Leaving for one of `exempt` (the dialog's buttons, which
// check the entry themselves, or a fellow field) or because another window took over changes nothing.
void GuardLeave(QLineEdit* field, std::function<bool()> valid, std::function<void()> restore,
                std::function<QList<QWidget*>()> exempt);

}  // namespace ruvenset
