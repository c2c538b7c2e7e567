#include "verification/windows/start_pages.h"

#include <QFont>
#include <QHBoxLayout>
#include <QStringList>
#include <QVBoxLayout>

#include "common/windows/file_dialog_locale.h"
#include "common/windows/save_dialog.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm51::TForm51(QWidget* parent, const NumberRequest& request) : TForm14(parent, "Form51", request) {}

TForm52::TForm52(QWidget* parent, const ProgramState& state, const StartPage& page) : QDialog(parent) {
  PrepareDialog(this, "Form52", Q(page.caption));
  // The pipeline's name comes from the flow computer padded with blanks or zero bytes.
  QString pipeline = QString::fromStdString(page.pipelineLine);
  pipeline.remove(QChar(0));
  Label1 = new QLabel(pipeline.trimmed(), this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel(Q(page.channelLine), this);
  Label2->setObjectName("Label2");
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label2->setFont(bold);
  Label3 = new QLabel(Q(state.Bilingual("Начать поверку?", "Почати повірку?")), this);
  Label3->setObjectName("Label3");
  Label3->setMinimumWidth(320);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Text(1773)), QStyle::SP_DialogYesButton);
  BitBtn1->setDefault(true);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Text(1772)), QStyle::SP_DialogNoButton);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kResultYes); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultNo); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(10);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addSpacing(8);
  layout->addWidget(Label3);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TForm52::Ask() {
  return exec() == kResultYes;
}

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const int open = name.lastIndexOf('(');
    if (open > 0 && name.endsWith(')')) name = name.left(open);
    QString pattern = parts[i + 1].trimmed();
    pattern.replace("*.*", "*");
    pattern.replace(';', ' ');
    filters << QString("%1 (%2)").arg(name.trimmed(), pattern);
  }
  return filters.join(";;");
}

DataFileWindow::DataFileWindow(QWidget* parent, const ProgramState& state, const DataFileDialog& dialog)
    : QFileDialog(parent, Q(dialog.title), Q(dialog.folder), QtFileFilter(dialog.filter)) {
  setObjectName(dialog.newFile ? "SaveDialog1" : "OpenDialog1");
  // Qt's own dialog: the same on every desktop, and reachable by the window tests.
  ShowInProgramLocale(*this);
  setAcceptMode(dialog.newFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setFileMode(dialog.newFile ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.newFile) AddFilterExtension(*this);
  setLabelText(QFileDialog::LookIn, Q(state.Bilingual("Папка:", "Тека:")));
  setLabelText(QFileDialog::FileName, Q(state.Bilingual("Имя файла:", "Ім'я файлу:")));
  setLabelText(QFileDialog::FileType, Q(state.Bilingual("Тип файлов:", "Тип файлів:")));
  setLabelText(QFileDialog::Accept, Q(dialog.newFile ? state.Bilingual("Сохранить", "Зберегти")
                                                     : state.Bilingual("Открыть", "Відкрити")));
  setLabelText(QFileDialog::Reject, Q(state.Text(2614)));
}

std::optional<std::string> DataFileWindow::Ask() {
  if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return std::nullopt;
  return selectedFiles().first().toStdString();
}

}  // namespace ruvenset
