#pragma once
#include <string>

#include "shell/main_menu.h"

namespace ruvenset {

// The language text that captions a menu or item, or 0 for the few captions the program carries in
// both languages itself (see BuiltInMenuCaption).
int MenuCaptionText(MenuItem item);

// The program's own caption of an item in the chosen language (langRus 1 Russian, 0 Ukrainian);
// empty for items captioned by a language text.
std::string BuiltInMenuCaption(MenuItem item, int langRus);

// Status bar panel 1 follows language text 2361 with the edition's own suffix.
std::string EditionSuffix(int langRus, MenuEdition edition = MenuEdition::Temperature);

}  // namespace ruvenset
