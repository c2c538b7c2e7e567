#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "shell/language_texts.h"

namespace {

// One QApplication for the whole test program; the language catalogues are read from the source tree.
class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv(ruvenset::kLanguageDirVariable, RUVENSET_SOURCE_DIR "/lang", 1);
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[24] = "verification_gui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
