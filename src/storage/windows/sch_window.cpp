#include "storage/windows/sch_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TSch::TSch(QWidget* parent, const SchEntry& entry) : QDialog(parent), entry_(entry) {
  PrepareDialog(this, "Sch", Q(entry.caption));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  std::array<QLineEdit*, 2> edits{};
  for (int f = 0; f < 2; ++f) {
    const SchField& field = entry.fields[f];
    auto* caption = new QLabel(Q(field.caption), this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(f == 0 ? "Edit1" : "Edit2");
    edit->setMaxLength(field.maxLength);
    edit->setText(Q(field.text));
    edit->setMinimumWidth(120);
    FilterKeys(edit, [](char32_t key) { return SchEntry::Edit1KeyPress(key); });
    auto* range = new QLabel(Q(field.rangeText), this);
    auto* unit = new QLabel(Q(field.unitText), this);
    caption->setBuddy(edit);
    grid->addWidget(caption, f, 0);
    grid->addWidget(edit, f, 1);
    grid->addWidget(unit, f, 2);
    grid->addWidget(range, f, 3);
    edits[f] = edit;
  }
  Edit1 = edits[0];
  Edit2 = edits[1];
  BitBtn1 = MakeButton(this, "BitBtn1", Q(entry.acceptText), QStyle::SP_DialogOkButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TSch::BitBtn1Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(14);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Edit1->setFocus();
  Edit1->selectAll();
}

void TSch::BitBtn1Click() {
  switch (entry_.BitBtn1Click(Edit1->text().toStdString(), Edit2->text().toStdString(), values_)) {
    case SchOutcome::Accept:
      done(kResultOk);
      return;
    case SchOutcome::FocusEdit1:
      Edit1->setFocus();
      Edit1->selectAll();
      return;
    case SchOutcome::FocusEdit2:
      Edit2->setFocus();
      Edit2->selectAll();
      return;
  }
}

std::optional<std::array<float, 2>> TSch::Answer() {
  if (exec() != kResultOk) return std::nullopt;
  return values_;
}

}  // namespace ruvenset
