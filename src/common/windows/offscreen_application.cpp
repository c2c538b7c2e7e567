#include "common/windows/offscreen_application.h"

#include <clocale>

namespace ruvenset {

OffscreenApplication::OffscreenApplication() {
  static int argc = 1;
  static char name[] = "ruvenset-cli";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() != nullptr) return;
  if (const char* locale = std::setlocale(LC_ALL, nullptr)) locale_ = locale;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  own_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenApplication::~OffscreenApplication() {
  if (!own_) return;
  own_.reset();
  std::setlocale(LC_ALL, locale_.c_str());
}

}  // namespace ruvenset
