#pragma once
#include <QApplication>

namespace ruvenset::testing {

// The one QApplication of the test program (offscreen, see the test's environment), created before the
// first test and destroyed after the last one, before the program's own statics go.
inline QApplication& GuiApp() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

}  // namespace ruvenset::testing
