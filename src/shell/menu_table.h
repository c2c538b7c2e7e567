#pragma once
#include <span>

#include "shell/main_menu.h"

namespace ruvenset {

// The channel code and channel kind a procedure item sets before it starts its procedure; -1 leaves
// the value as it was (items that name no channel, or only a kind).
struct MenuChannel {
  int code = -1;
  int kind = -1;
};

// Everything the program knows about one menu or item of the main window.
struct MenuEntry {
  MenuItem item;
  const char* name;  // the component name
  MenuItem parent;   // MenuItem::Count for a menu of the menu bar
  bool menu;         // opens a menu of its own
  int captionText;   // the language text of its caption; 0: the built-in captions below
  const char* russian;
  const char* ukrainian;
  const char* handler;  // the main window's handler (a slot without arguments); nullptr: none
  bool separatorBefore;
  bool ownItem;  // the main window's own work: enabled without a procedure
  MenuChannel channel;
};

// The rows in menu order, row i for MenuItem i.
std::span<const MenuEntry> MenuTable();
const MenuEntry& MenuEntryOf(MenuItem item);

}  // namespace ruvenset
