#include "shell/menu_captions.h"

#include "shell/menu_table.h"

namespace ruvenset {

int MenuCaptionText(MenuItem item) {
  return MenuEntryOf(item).captionText;
}

std::string BuiltInMenuCaption(MenuItem item, int langRus) {
  const MenuEntry& entry = MenuEntryOf(item);
  const char* caption = langRus == 1 ? entry.russian : entry.ukrainian;
  return caption != nullptr ? caption : "";
}

std::string EditionSuffix(int langRus, MenuEdition edition) {
  if (edition == MenuEdition::AllChannels) return "-X-3\"";
  return langRus == 1 ? "-X-3\" (только канал температуры)" : "-X-3\" (тільки канал температури)";
}

}  // namespace ruvenset
