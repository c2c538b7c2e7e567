#include "shell/windows/preambles_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/link_dialog_rules.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TPreambula::TPreambula(QWidget* parent, ProgramState& state) : QDialog(parent), state_(state) {
  PrepareDialog(this, "Preambula", "Преамбула");
  Label11 = new QLabel(Q(state.Bilingual("Количество преамбул:", "Кількість преамбул:")), this);
  Label11->setObjectName("Label11");
  ComboBox4 = new QComboBox(this);
  ComboBox4->setObjectName("ComboBox4");
  for (int n = 0; n <= kMaxPreambleChoice; ++n) ComboBox4->addItem(QString::number(n));
  ComboBox4->setCurrentIndex(std::clamp(state.config.link.preambles, 0, kMaxPreambleChoice));
  ComboBox4->setMaxVisibleItems(13);
  Label11->setBuddy(ComboBox4);
  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Text(2613)), QStyle::SP_DialogApplyButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Text(2614)), QStyle::SP_DialogCancelButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TPreambula::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

  auto* row = new QHBoxLayout;
  row->setSpacing(12);
  row->addWidget(Label11);
  row->addWidget(ComboBox4);
  row->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(20);
  layout->addLayout(row);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPreambula::BitBtn1Click() {
  state_.config.link.preambles = ComboBox4->currentIndex();
  done(kResultOk);
}

}  // namespace ruvenset
