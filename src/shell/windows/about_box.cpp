#include "shell/windows/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TAboutBox::TAboutBox(QWidget* parent, const ProgramState& state) : QDialog(parent) {
  PrepareDialog(this, "AboutBox", Q(state.Text(2277)));
  ProgramIcon = new QLabel(this);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  ProgramIcon->setAlignment(Qt::AlignTop);
  ProgramName = new QLabel(Q(state.Text(2821) + "-X-3\""), this);
  ProgramName->setObjectName("ProgramName");
  QFont title = ProgramName->font();
  title.setPointSizeF(title.pointSizeF() * 1.3);
  title.setBold(true);
  ProgramName->setFont(title);
  Version = new QLabel(Q(state.Bilingual("(только канал температуры)   Div3AzErur",
                                         "(тільки канал температури)   Div3AzErur")),
                       this);
  Version->setObjectName("Version");
  ProgramVersion = new QLabel(Q(state.Text(2277) + " " + RUVENSET_VERSION), this);
  ProgramVersion->setObjectName("ProgramVersion");
  ProductName = new QLabel(Q(state.Text(2820)), this);
  ProductName->setObjectName("ProductName");
  Comments = new QLabel(Q(state.Text(2822)), this);
  Comments->setObjectName("Comments");
  for (QLabel* label : {ProgramName, Version, ProgramVersion, ProductName, Comments}) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  for (QLabel* label : {ProductName, Comments}) {
    label->setWordWrap(true);
    label->setMinimumWidth(380);
  }
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  OKButton = MakeButton(this, "OKButton", Q(state.Text(2278)), QStyle::SP_DialogCloseButton);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, [this] { done(kResultOk); });

  auto* text = new QVBoxLayout;
  text->setSpacing(6);
  text->addWidget(ProgramName);
  text->addWidget(Version);
  text->addWidget(ProgramVersion);
  text->addSpacing(8);
  text->addWidget(line);
  text->addSpacing(4);
  text->addWidget(ProductName);
  text->addWidget(Comments);
  auto* body = new QHBoxLayout;
  body->setSpacing(18);
  body->addWidget(ProgramIcon);
  body->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(22, 22, 22, 16);
  layout->setSpacing(18);
  layout->addLayout(body);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace ruvenset
