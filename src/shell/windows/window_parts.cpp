#include "shell/windows/window_parts.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <limits>

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

#include "device/value_entry.h"

namespace ruvenset {
namespace {

class KeyFilter final : public QObject {
 public:
  KeyFilter(QObject* parent, std::function<bool(char32_t)> accepts) : QObject(parent), accepts_(accepts) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        return false;
      case Qt::Key_Backspace:
        return !accepts_(kBackspace);
      default:
        break;
    }
    // Editing keys pass: Ctrl+A, copy, cut, paste, undo and Delete type no character of their own,
    // and what a paste brings is held to the field's rule by its validator.
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    const char32_t typed = static_cast<char32_t>(text.toUcs4().value(0));
    if (typed < 0x20 || typed == 0x7f) return false;
    return !accepts_(typed);
  }

 private:
  std::function<bool(char32_t)> accepts_;
};

// Holds a field's whole text to the key filter's rule, so that a pasted text (Ctrl+V, Shift+Insert,
// the middle button) gets no character a key could not type.
class CharacterValidator final : public QValidator {
 public:
  CharacterValidator(QObject* parent, std::function<bool(char32_t)> accepts)
      : QValidator(parent), accepts_(std::move(accepts)) {}

  State validate(QString& input, int&) const override {
    for (char32_t c : input.toUcs4()) {
      if (!accepts_(c)) return Invalid;
    }
    return Acceptable;
  }

 private:
  std::function<bool(char32_t)> accepts_;
};

// Holds a numeric field's text to the number rule: a number, or a text on its way to one.
class NumberValidator final : public QValidator {
 public:
  NumberValidator(QObject* parent, NumberFilter filter) : QValidator(parent), filter_(filter) {}

  State validate(QString& input, int&) const override {
    const std::string text = input.toStdString();
    if (!NumberTextPossible(text, filter_)) return Invalid;
    return AcceptNumber(text, -std::numeric_limits<float>::max(), std::numeric_limits<float>::max())
               ? Acceptable
               : Intermediate;
  }

 private:
  NumberFilter filter_;
};

class LeaveGuard final : public QObject {
 public:
  LeaveGuard(QLineEdit* field, std::function<bool()> valid, std::function<void()> restore,
             std::function<QList<QWidget*>()> exempt)
      : QObject(field), field_(field), valid_(valid), restore_(restore), exempt_(exempt) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusOut) return QObject::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    QWidget* next = QApplication::focusWidget();
    if (next == nullptr || next->window() != field_->window() || exempt_().contains(next)) return false;
    if (valid_()) return false;
    restore_();
    QTimer::singleShot(0, field_, [f = field_] { f->setFocus(Qt::OtherFocusReason); });
    return false;
  }

 private:
  QLineEdit* field_;
  std::function<bool()> valid_;
  std::function<void()> restore_;
  std::function<QList<QWidget*>()> exempt_;
};

}  // namespace

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& text,
                        QStyle::StandardPixmap icon) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(objectName);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setMinimumWidth(110);
  return button;
}

void PrepareDialog(QDialog* dialog, const char* objectName, const QString& caption) {
  dialog->setObjectName(objectName);
  dialog->setWindowTitle(caption);
  dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FilterKeys(QLineEdit* field, std::function<bool(char32_t)> accepts) {
  field->installEventFilter(new KeyFilter(field, accepts));
  field->setValidator(new CharacterValidator(field, std::move(accepts)));
  field->setContextMenuPolicy(Qt::NoContextMenu);
  field->setAcceptDrops(false);
}

void FilterNumber(QLineEdit* field, NumberFilter filter) {
  FilterKeys(field, [filter](char32_t key) { return NumberKeyAccepted(key, filter); });
  field->setValidator(new NumberValidator(field, filter));
}

void FilterKeys(QComboBox* box, std::function<bool(char32_t)> accepts) {
  box->installEventFilter(new KeyFilter(box, accepts));
  FilterKeys(box->lineEdit(), std::move(accepts));
}

void GuardLeave(QLineEdit* field, std::function<bool()> valid, std::function<void()> restore,
                std::function<QList<QWidget*>()> exempt) {
  field->installEventFilter(new LeaveGuard(field, std::move(valid), std::move(restore), std::move(exempt)));
}

ProgressBody BuildProgressBody(QDialog* dialog, const QString& text, int maximum, const char* labelName) {
  dialog->setWindowFlag(Qt::WindowCloseButtonHint, false);
  auto* label = new QLabel(text, dialog);
  label->setObjectName(labelName);
  label->setWordWrap(true);
  auto* bar = new QProgressBar(dialog);
  bar->setObjectName("ProgressBar1");
  bar->setRange(0, maximum > 0 ? maximum : 1);
  bar->setValue(0);
  bar->setMinimumWidth(380);
  auto* layout = new QVBoxLayout(dialog);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->setSpacing(12);
  layout->addWidget(label);
  layout->addWidget(bar);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  return {label, bar};
}

QPushButton* MakeStopButton(QWidget* parent) {
  QPushButton* button = MakeButton(parent, "StopButton", QString::fromUtf8("Стоп"), QStyle::SP_BrowserStop);
  button->setAutoDefault(false);
  return button;
}

QPushButton* AddStopButton(QDialog* dialog, std::function<void()> stop) {
  QPushButton* button = MakeStopButton(dialog);
  QObject::connect(button, &QPushButton::clicked, dialog, [stop = std::move(stop)] { stop(); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(button);
  if (auto* layout = qobject_cast<QBoxLayout*>(dialog->layout())) layout->addLayout(row);
  return button;
}

}  // namespace ruvenset
