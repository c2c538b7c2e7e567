#include "storage/text_message.h"

#include "session/language_texts.h"

namespace ruvenset {

std::string FormatTextMessage(const TextMessage& message, const LanguageTexts& texts) {
  if (message.textId == 0) return {};
  std::vector<TextArg> args;
  for (const TextArgument& a : message.arguments) {
    switch (a.kind) {
      case TextArgument::Kind::Number:
        args.emplace_back(a.number);
        break;
      case TextArgument::Kind::String:
        args.emplace_back(a.text);
        break;
      case TextArgument::Kind::LanguageText:
        args.emplace_back(texts.Text(static_cast<int>(a.number)));
        break;
    }
  }
  switch (args.size()) {
    case 0:
      return texts.FormatText(message.textId, {});
    case 1:
      return texts.FormatText(message.textId, {args[0]});
    case 2:
      return texts.FormatText(message.textId, {args[0], args[1]});
    default:
      return texts.FormatText(message.textId, {args[0], args[1], args[2]});
  }
}

}  // namespace ruvenset
