#include "common/windows/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace ruvenset {

QtTranslations::~QtTranslations() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

bool QtTranslations::Use(const QString& language) {
  if (installed_ && language == language_) return true;
  if (installed_) QCoreApplication::removeTranslator(&translator_);
  installed_ = false;
  language_.clear();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator_.load(QStringLiteral("qtbase_") + language, folder)) return false;
  installed_ = QCoreApplication::installTranslator(&translator_);
  if (installed_) language_ = language;
  return installed_;
}

}  // namespace ruvenset
