#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "common/windows/qt_warning_watch.h"
#include "session/language_texts.h"

namespace ruvenset::testing {

// One QApplication for the whole test program (the suites run offscreen), created before the first
// test and destroyed after the last; the language catalogues are read from the source tree. A window
// touched from the wrong thread or painted outside its paint event fails the test that did it.
class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv(kLanguageDirVariable, RUVENSET_SOURCE_DIR "/lang", 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
    WatchQtWarnings([](const QString& warning) { ADD_FAILURE() << "Qt: " << warning.toStdString(); });
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "gui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// Registered once per test program, however many files include this header.
inline ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace ruvenset::testing
