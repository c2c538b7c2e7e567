#pragma once
#include <QString>
#include <QTranslator>

namespace ruvenset {

// Qt's own texts (file dialogs and their questions, standard buttons, the print dialog) in the
// program's language: Qt's translation of that language installed into the application, and replaced
// when the language changes. Without a translation Qt's texts stay as Qt wrote them.
class QtTranslations {
 public:
  QtTranslations() = default;
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;
  ~QtTranslations();

  // `language` as Qt names it: "ru", "uk". False when Qt has no translation for it.
  bool Use(const QString& language);
  const QString& language() const { return language_; }

 private:
  QTranslator translator_;
  QString language_;
  bool installed_ = false;
};

// Qt's name of the program's language: "ru" for Russian (langRus 1), "uk" for Ukrainian.
inline QString QtLanguageName(int langRus) {
  return langRus == 1 ? QStringLiteral("ru") : QStringLiteral("uk");
}

}  // namespace ruvenset
