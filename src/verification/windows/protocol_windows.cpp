#include "verification/windows/protocol_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QVBoxLayout>

#include "common/plain_number.h"
#include "shell/windows/window_parts.h"
#include "verification/windows/protocol_printing.h"

namespace ruvenset {

TFormProtocol::TFormProtocol(QWidget* parent, const ProtocolPage& page) : QDialog(parent) {
  PrepareDialog(this, "FormProtocol", Q(page.caption));
  Label1 = new QLabel(Q(page.question), this);
  Label1->setObjectName("Label1");
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label2 = new QLabel(Q(page.pointsLine), this);
  Label2->setObjectName("Label2");

  GroupBox1 = new QGroupBox(Q(page.limitCaption), this);
  GroupBox1->setObjectName("GroupBox1");
  RadioButton1 = new QRadioButton(Q(page.absoluteItem), GroupBox1);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton2 = new QRadioButton(Q(page.percentItem), GroupBox1);
  RadioButton2->setObjectName("RadioButton2");
  RadioButton3 = new QRadioButton(Q(page.noLimitItem), GroupBox1);
  RadioButton3->setObjectName("RadioButton3");
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(12);
  Edit1->setMinimumWidth(120);
  FilterNumber(Edit1, NumberFilter::DigitsPoint);
  if (page.limit) Edit1->setText(Q(PlainNumber(page.limit->value)).replace('.', ','));
  Label3 = new QLabel(Q(page.limitHint), GroupBox1);
  Label3->setObjectName("Label3");
  Label3->setStyleSheet("QLabel { color: #b00020; }");
  Label3->setVisible(false);
  auto* group = new QGridLayout(GroupBox1);
  group->setContentsMargins(14, 12, 14, 12);
  group->setHorizontalSpacing(16);
  group->setVerticalSpacing(8);
  group->addWidget(Edit1, 0, 0, 2, 1, Qt::AlignVCenter);
  group->addWidget(RadioButton1, 0, 1);
  group->addWidget(RadioButton2, 1, 1);
  group->addWidget(RadioButton3, 2, 1);
  group->addWidget(Label3, 3, 0, 1, 2);
  group->setColumnStretch(1, 1);

  Label4 = new QLabel(Q(page.technicianCaption), this);
  Label4->setObjectName("Label4");
  Edit2 = new QLineEdit(Q(page.technician), this);
  Edit2->setObjectName("Edit2");
  Edit2->setMaxLength(60);
  Edit2->setMinimumWidth(320);
  Label4->setBuddy(Edit2);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(page.saveText), QStyle::SP_DialogSaveButton);
  BitBtn1->setDefault(true);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(page.skipText), QStyle::SP_DialogCloseButton);
  connect(BitBtn1, &QPushButton::clicked, this, &TFormProtocol::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(10);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(GroupBox1);
  layout->addWidget(Label4);
  layout->addWidget(Edit2);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const auto follow = [this] {
    Edit1->setEnabled(!RadioButton3->isChecked());
    Label3->setVisible(false);
  };
  connect(RadioButton3, &QRadioButton::toggled, this, follow);
  (!page.limit ? RadioButton3 : page.limit->percent ? RadioButton2 : RadioButton1)->setChecked(true);
  follow();
}

void TFormProtocol::BitBtn1Click() {
  answer_ = ProtocolAnswer{};
  if (!RadioButton3->isChecked()) {
    answer_.limit = MakePermissibleError(Edit1->text().toStdString(), RadioButton2->isChecked());
    if (!answer_.limit) {
      Label3->setVisible(true);
      Edit1->setFocus();
      Edit1->selectAll();
      return;
    }
  }
  answer_.technician = Edit2->text().simplified().toStdString();
  done(kResultOk);
}

std::optional<ProtocolAnswer> TFormProtocol::Ask() {
  if (exec() != kResultOk) return std::nullopt;
  return answer_;
}

TProtocolPreview::TProtocolPreview(QWidget* parent, const ProtocolDocument& document,
                                   const ProtocolView& view)
    : QDialog(parent), document_(document), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName("ProtocolPreview");
  setWindowTitle(Q(view.caption));
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setPageOrientation(QPageLayout::Portrait);
  printer_->setDocName(Q(view.files.pdf));
  Preview = new QPrintPreviewWidget(printer_.get(), this);
  Preview->setObjectName("Preview");
  Preview->setMinimumSize(760, 640);
  connect(Preview, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { PrintProtocol(*printer, document_); });
  Label1 = new QLabel(Q(view.filesLine), this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  BitBtn1 = MakeButton(this, "BitBtn1", Q(view.printText), QStyle::SP_FileIcon);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(view.exitText), QStyle::SP_DialogCloseButton);
  BitBtn2->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TProtocolPreview::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(Preview, 1);
  layout->addWidget(Label1);
  layout->addLayout(buttons);
  Preview->fitToWidth();
}

void TProtocolPreview::BitBtn1Click() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.setObjectName("PrintDialog1");
  dialog.setOptions(QAbstractPrintDialog::PrintToFile);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintProtocol(*printer_, document_);
}

}  // namespace ruvenset
