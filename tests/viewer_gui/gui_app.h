#pragma once
#include <QApplication>

namespace ruvenset::testing {

// The one QApplication of the test program (offscreen, see the test's environment).
inline QApplication& GuiApp() {
  static int argc = 1;
  static char name[] = "viewer_gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace ruvenset::testing
