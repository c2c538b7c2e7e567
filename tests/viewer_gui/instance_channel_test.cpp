#include <gtest/gtest.h>
#include <unistd.h>

#include <future>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "../viewer/ctr_files.h"
#include "gui_app.h"
#include "viewer/windows/form_main.h"
#include "viewer/windows/instance_channel.h"
#include "viewer/windows/instance_server.h"

namespace ruvenset {
namespace {

QString TestChannelName(const char* what) {
  return QStringLiteral("grafmira-test-%1-%2").arg(QString::fromLatin1(what)).arg(::getpid());
}

// Runs a blocking client call on another thread while this thread serves the window's events.
bool CallWhileServing(std::function<bool()> call) {
  auto result = std::async(std::launch::async, std::move(call));
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  QCoreApplication::processEvents();
  return result.get();
}

TEST(InstanceChannel, ShowMaximisesTheMainWindowAndQuitEndsTheViewer) {
  testing::GuiApp();
  TFormMain form;
  int quits = 0;
  InstanceServer server([&form] { form.showMaximized(); }, [&quits] { ++quits; });
  const QString name = TestChannelName("inproc");
  ASSERT_TRUE(server.Listen(name));
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(CallWhileServing([name] { return ShowRunningViewer(name); }));
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(quits, 0);
  EXPECT_TRUE(CallWhileServing([name] { return QuitRunningViewer(name); }));
  EXPECT_EQ(quits, 1);
}

TEST(InstanceChannel, NobodyListeningAndNothingToStart) {
  testing::GuiApp();
  EXPECT_FALSE(ShowRunningViewer(TestChannelName("nobody")));
  EXPECT_FALSE(QuitRunningViewer(TestChannelName("nobody")));
  EXPECT_FALSE(StartViewer(QStringLiteral("/nonexistent-folder"), QStringLiteral("/tmp")));
  EXPECT_TRUE(ViewerInstanceName().startsWith(QStringLiteral("TFormMain-Statistika_poverok-")));
}

// Wherever the viewer's program lies, it runs in Ruvenset's start directory, where the data files are.
TEST(InstanceChannel, TheViewerStartsInTheStartDirectory) {
  testing::GuiApp();
  testing::TempFolder programs;
  testing::TempFolder start;
  const QString program = QString::fromStdString(programs.File("grafmira"));
  const QString written = QString::fromStdString(programs.File("cwd.txt"));
  QFile script(program);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write(
      "#!/bin/sh\npwd > \"$(dirname \"$0\")/cwd.tmp\" && mv \"$(dirname \"$0\")/cwd.tmp\" \"$(dirname "
      "\"$0\")/cwd.txt\"\n");
  script.close();
  script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  programs.File("cwd.tmp");
  const QString startDir = QFileInfo(QString::fromStdString(start.File("x"))).absolutePath();
  ASSERT_TRUE(StartViewer(QFileInfo(program).absolutePath(), startDir));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(written); }, 10000));
  QFile cwd(written);
  ASSERT_TRUE(cwd.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(cwd.readAll()).trimmed(), startDir);
}

TEST(InstanceChannel, ASecondStartShowsTheFirstViewerAndQuitEndsIt) {
  testing::GuiApp();
  const QString program = QStringLiteral(RUVENSET_BINARY_DIR "/grafmira");
  const QString name = TestChannelName("process");
  QProcess first;
  first.start(program, {QStringLiteral("--instance"), name});
  ASSERT_TRUE(first.waitForStarted());
  QElapsedTimer waited;
  waited.start();
  bool answered = false;
  while (!answered && waited.elapsed() < 20000 && first.state() == QProcess::Running) {
    answered = ShowRunningViewer(name);
    if (!answered) first.waitForFinished(50);
  }
  ASSERT_TRUE(answered);

  QProcess second;
  second.start(program, {QStringLiteral("--instance"), name});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  EXPECT_TRUE(QuitRunningViewer(name));
  ASSERT_TRUE(first.waitForFinished(20000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
}

}  // namespace
}  // namespace ruvenset
