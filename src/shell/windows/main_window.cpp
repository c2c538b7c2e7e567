#include "shell/windows/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QMetaMethod>
#include <QStatusBar>
#include <QVBoxLayout>

#include "device/release_service.h"
#include "shell/connection_summary.h"
#include "shell/menu_captions.h"
#include "shell/menu_channels.h"
#include "shell/menu_replay.h"
#include "shell/menu_table.h"
#include "shell/windows/about_box.h"
#include "shell/windows/connect_dialog.h"
#include "shell/windows/elided_label.h"
#include "shell/windows/guide_window.h"
#include "shell/windows/message_window.h"
#include "shell/windows/preambles_dialog.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "viewer/windows/instance_channel.h"

namespace ruvenset {
namespace {

using M = MenuItem;

}  // namespace

TForm1::TForm1(ProgramState& state, MainWindowOptions options)
    : state_(state), options_(std::move(options)), technician_(this, state) {
  setObjectName("Form1");
  resize(960, 600);
  BuildMenus();
  BuildStatusBar();

  auto* central = new QWidget(this);
  central->setObjectName("Background");
  title_ = new QLabel("Div3AzErur", central);
  title_->setObjectName("Title");
  QFont titleFont = title_->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
  titleFont.setBold(true);
  title_->setFont(titleFont);
  subtitle_ = new QLabel(central);
  subtitle_->setObjectName("Subtitle");
  subtitle_->setWordWrap(true);
  for (QLabel* label : {title_, subtitle_}) {
    label->setAlignment(Qt::AlignCenter);
    label->setForegroundRole(QPalette::PlaceholderText);
  }
  SummaryPanel = new QLabel(central);
  SummaryPanel->setObjectName("SummaryPanel");
  SummaryPanel->setTextFormat(Qt::RichText);
  SummaryPanel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  SummaryPanel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  auto* layout = new QVBoxLayout(central);
  layout->addStretch(3);
  layout->addWidget(title_);
  layout->addWidget(subtitle_);
  layout->addSpacing(24);
  layout->addWidget(SummaryPanel, 0, Qt::AlignHCenter);
  layout->addStretch(4);
  setCentralWidget(central);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

  if (!options_.portOverride.empty()) state_.givenPort = {options_.portOverride, options_.portSimulated};
  // What the file holds already: only a change of a setting is written before the end of work.
  storedConfiguration_ = FormatConfiguration(state_.config);
  worker_.SetStop(&state_.link.stop());
  // Every outcome has been shown to the technician on the way.
  SetProcedure(M::N17, [this] { static_cast<void>(ReleaseServiceMode(state_, technician_)); });
  FormCreate();
  if (options_.startConnect != MainWindowOptions::StartConnect::Never) Timer1->start();
}

TForm1::~TForm1() {
  // The worker may still be finishing (its last status texts come here): it is served until it is done.
  while (!worker_.idle()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  // FormDestroy: the port is closed.
  state_.ClosePort();
}

void TForm1::BuildMenus() {
  menuBar()->setNativeMenuBar(false);
  menuBar()->setObjectName("MainMenu1");
  for (const MenuEntry& entry : MenuTable()) {
    const int i = static_cast<int>(entry.item);
    const MenuItem parent = entry.parent;
    QWidget* owner = parent == M::Count ? static_cast<QWidget*>(menuBar()) : menus_[static_cast<int>(parent)];
    if (parent != M::Count && entry.separatorBefore) menus_[static_cast<int>(parent)]->addSeparator();
    if (entry.menu) {
      auto* menu = new QMenu(owner);
      menu->setObjectName(entry.name);
      menus_[i] = menu;
      actions_[i] = menu->menuAction();
      if (parent == M::Count) {
        menuBar()->addMenu(menu);
      } else {
        menus_[static_cast<int>(parent)]->addMenu(menu);
      }
    } else {
      auto* action = new QAction(owner);
      menus_[static_cast<int>(parent)]->addAction(action);
      actions_[i] = action;
      if (entry.handler != nullptr) {
        const int slot = metaObject()->indexOfSlot((QByteArray(entry.handler) + "()").constData());
        connect(action, QMetaMethod::fromSignal(&QAction::triggered), this, metaObject()->method(slot));
      }
    }
    actions_[i]->setObjectName(entry.name);
  }
  Action(M::MNMNU1)->setCheckable(true);
  Action(M::MNMNU2)->setCheckable(true);
}

void TForm1::BuildStatusBar() {
  statusBar()->setObjectName("StatusBar1");
  // The exchange and progress panels always show their whole (short) texts; the connection panel asks
  // for the width of its whole text and, where the bar cannot give it, shortens it in the middle with
  // the whole text as its tooltip; the edition's line takes what is left.
  StatusPanel1 = new ElidedLabel(this);
  StatusPanel1->setObjectName("StatusPanel1");
  StatusPanel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  StatusPanel2 = new QLabel(this);
  StatusPanel2->setObjectName("StatusPanel2");
  ProgressPanel = new QLabel(this);
  ProgressPanel->setObjectName("ProgressPanel");
  ConnectionPanel = new ElidedLabel(this);
  ConnectionPanel->setObjectName("ConnectionPanel");
  StopButton = MakeStopButton(this);
  StopButton->setFlat(true);
  StopButton->setFocusPolicy(Qt::NoFocus);
  StopButton->hide();
  connect(StopButton, &QPushButton::clicked, this, [this] { state_.link.stop().Request(); });
  statusBar()->addWidget(StatusPanel1, 1);
  statusBar()->addWidget(StatusPanel2);
  statusBar()->addWidget(StopButton);
  statusBar()->addWidget(ProgressPanel);
  statusBar()->addPermanentWidget(ConnectionPanel);
  technician_.SetLabels({StatusPanel2, ProgressPanel, ConnectionPanel, StopButton});
}

bool TForm1::LoadTexts() {
  LanguageTexts loaded;
  if (LoadLanguageTexts(state_.config.langRus, loaded).status != LangLoadStatus::Ok) return false;
  state_.texts = std::move(loaded);
  return true;
}

bool TForm1::FormCreate() {
  setWindowTitle("Div3AzErur");
  const bool loaded = LoadTexts();
  qtTexts_.Use(QtLanguageName(state_.config.langRus));
  // Numbers, sizes and dates that Qt writes itself (the file dialogs) follow the chosen language too.
  QLocale::setDefault(state_.config.langRus == 1 ? QLocale(QLocale::Russian, QLocale::Russia)
                                                 : QLocale(QLocale::Ukrainian, QLocale::Ukraine));
  SetCaptions();
  ApplyVisibility(InitialMenus());
  StatusPanel1->setText(Q(state_.Text(2361) + EditionSuffix(state_.config.langRus, edition())));
  StatusPanel2->clear();
  ProgressPanel->clear();
  ConnectionPanel->clear();
  ShowSummary();
  return loaded;
}

void TForm1::SetCaptions() {
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem item = static_cast<MenuItem>(i);
    const int text = MenuCaptionText(item);
    actions_[i]->setText(Q(text != 0 ? state_.Text(text) : BuiltInMenuCaption(item, state_.config.langRus)));
  }
  Action(M::MNMNU1)->setChecked(state_.config.langRus == 1);
  Action(M::MNMNU2)->setChecked(state_.config.langRus != 1);
  subtitle_->setText(Q(state_.Text(2361) + EditionSuffix(state_.config.langRus, edition())));
}

void TForm1::ApplyVisibility(const MenuVisibility& visibility) {
  visibility_ = visibility;
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem item = static_cast<MenuItem>(i);
    actions_[i]->setVisible(visibility.shown(item));
    actions_[i]->setEnabled(MenuEntryOf(item).ownItem || procedures_.count(item) != 0);
  }
}

MenuEdition TForm1::edition() const {
  return options_.allChannels || state_.config.allChannels == 1 ? MenuEdition::AllChannels
                                                                : MenuEdition::Temperature;
}

void TForm1::ApplyMenuRules() {
  ApplyVisibility(MenuRules(state_.linkMode, state_.record.id.type, state_.record.derived[0][0], edition()));
}

void TForm1::ShowSummary() {
  QString rows;
  for (const SummaryLine& line : ConnectionSummary(state_)) {
    rows += QString("<tr><td align=right>%1:&nbsp;&nbsp;</td><td><b>%2</b></td></tr>")
                .arg(Q(line.label).toHtmlEscaped(), Q(line.value).toHtmlEscaped());
  }
  SummaryPanel->setText(rows.isEmpty() ? QString() : "<table cellspacing=3>" + rows + "</table>");
}

void TForm1::SetProcedure(MenuItem item, Procedure procedure) {
  procedures_[item] = std::move(procedure);
  ApplyVisibility(visibility_);
}

void TForm1::RunModal(std::function<void()> work, std::function<void()> after) {
  busy_ = true;
  menuBar()->setEnabled(false);
  worker_.Post([this, work = std::move(work), after = std::move(after)] {
    // A Stop left over from the last procedure is not this one's.
    state_.link.stop().Clear();
    work();
    QMetaObject::invokeMethod(
        this,
        [this, after] {
          busy_ = false;
          menuBar()->setEnabled(true);
          StopButton->hide();
          if (after) after();
          StoreConfiguration();
        },
        Qt::QueuedConnection);
  });
}

void TForm1::Timer1Timer() {
  Timer1->stop();
  if (state_.config.waitForUser == 0 || options_.startConnect == MainWindowOptions::StartConnect::Always)
    N6Click();
}

void TForm1::N6Click() {
  if (busy_) return;
  state_.connected = false;
  state_.linkMode = 1;
  rulesActive_ = false;
  FormCreate();
  auto connected = std::make_shared<bool>(false);
  RunModal(
      [this, connected] {
        state_.ClosePort();
        OnUiThread([this] { technician_.SetConnectionText(ConnectionPanelText(state_)); });
        const bool chosen = OnUiThread([this] {
          TForm73 dialog(this, state_, technician_, options_.opener);
          return dialog.exec() == kResultOk;
        });
        if (!chosen) return;
        if (ConnectToFlowComputer(state_, technician_, technician_, options_.opener) ==
            ConnectResult::Connected) {
          *connected = true;
          return;
        }
        state_.ClosePort();
      },
      [this, connected] {
        if (*connected) {
          state_.connected = true;
          state_.config.waitForUser = 0;
          rulesActive_ = true;
          ApplyMenuRules();
          ShowSummary();
          return;
        }
        ConnectionPanel->clear();
        ReopenMenu(kLinkMenuPath);
      });
}

void TForm1::N47Click() {
  if (busy_) return;
  state_.ClosePort();
  state_.connected = false;
  state_.linkMode = 0;
  FormCreate();
  state_.record = ConnectionRecord();
  rulesActive_ = true;
  ApplyMenuRules();
}

void TForm1::NP1Click() {
  if (busy_) return;
  menuPath_ = MenuPath(visibility_, M::NP1);
  TPreambula dialog(this, state_);
  dialog.exec();
  StoreConfiguration();
  ReopenMenu(menuPath_);
}

void TForm1::N12Click() {
  TAboutBox box(this, state_);
  box.exec();
}

void TForm1::GuideClick() {
  const QString file = GuideFile(QCoreApplication::applicationDirPath(), state_.config.langRus);
  if (file.isEmpty()) {
    TFormMess message(
        this, Q(state_.Text(3366)),
        Q(state_.texts.FormatText(
            3367, {std::string(state_.config.langRus == 1 ? "guide.ru.html" : "guide.uk.html")})),
        Q(state_.Text(2278)));
    message.exec();
    return;
  }
  TGuide guide(this, file, Q(state_.Text(3366)), Q(state_.Text(2278)));
  guide.exec();
}

void TForm1::MNMNU1Click() {
  SwitchLanguage(1);
}

void TForm1::MNMNU2Click() {
  SwitchLanguage(0);
}

void TForm1::SwitchLanguage(int langRus) {
  if (busy_) return;
  const int previous = state_.config.langRus;
  if (previous == langRus) {
    SetCaptions();
    return;
  }
  state_.config.langRus = langRus;
  if (!FormCreate()) {
    state_.config.langRus = previous;
    FormCreate();
    const std::string name = LanguageCatalogueName(langRus);
    TFormMess message(this, "Div3AzErur",
                      Q(state_.Bilingual("Не найден файл языка ", "Не знайдено файл мови ") + name),
                      Q(state_.Text(2278)));
    message.exec();
  }
  if (rulesActive_) ApplyMenuRules();
  ShowSummary();
  StoreConfiguration();
}

void TForm1::N13Click() {
  QuitRunningViewer();
  close();
}

void TForm1::N48Click() {
  if (ShowRunningViewer()) return;
  // The viewer lives in the start directory, or beside this program (installed or freshly built); either
  // way it starts in the start directory, where the verification data files are.
  const QString start = Q(state_.startDirectory);
  if (!StartViewer(start, start)) StartViewer(QCoreApplication::applicationDirPath(), start);
}

void TForm1::N17Click() {
  RunItem(M::N17);
}

void TForm1::N28Click() {
  RunItem(sender() == Action(M::N40) ? M::N40 : M::N28);
}

void TForm1::RunItem(MenuItem item) {
  if (busy_) return;
  const auto procedure = procedures_.find(item);
  if (procedure == procedures_.end()) return;
  menuPath_ = MenuPath(visibility_, item);
  ChooseChannel(state_.channel, item);
  RunModal(procedure->second, [this] { ReopenMenu(menuPath_); });
}

void TForm1::ReopenMenu(const std::string& path) {
  // After the window that ran has gone: open the menu bar's menu, then highlight (or open) each level.
  QTimer::singleShot(0, this, [this, path] {
    if (busy_ || !isVisible()) return;
    const std::vector<MenuItem> chain = ReplayMenuPath(visibility_, path);
    if (chain.empty()) return;
    QMenu* menu = Menu(chain[0]);
    menuBar()->setActiveAction(menu->menuAction());
    for (size_t level = 1; level < chain.size() && menu != nullptr; ++level) {
      menu->setActiveAction(Action(chain[level]));
      menu = IsMenu(chain[level]) ? Menu(chain[level]) : nullptr;
    }
  });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && busy_ && !StopButton->isHidden()) {
    state_.link.stop().Request();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TForm1::StoreConfiguration() {
  if (state_.configPath.empty()) return;
  const std::string text = FormatConfiguration(state_.config);
  if (text == storedConfiguration_) return;
  if (SaveConfiguration(state_.configPath, state_.config)) storedConfiguration_ = text;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  if (!SaveConfiguration(state_.configPath, state_.config)) {
    TFormMess message(
        this, "Div3AzErur",
        Q(state_.Bilingual("Не удалось записать настройки: ", "Не вдалося записати налаштування: ") +
          state_.configPath),
        Q(state_.Text(2278)));
    message.exec();
  }
  event->accept();
}

}  // namespace ruvenset
