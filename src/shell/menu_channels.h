#pragma once
#include "session/program_state.h"
#include "shell/main_menu.h"

namespace ruvenset {

// The channel code and channel kind a procedure item sets before it starts its procedure; -1 leaves
// the value as it was (items that name no channel, or only a kind).
struct MenuChannel {
  int code = -1;
  int kind = -1;
};

MenuChannel MenuChannelOf(MenuItem item);

// Sets the program-wide channel for a procedure item.
void ChooseChannel(ChannelChoice& channel, MenuItem item);

}  // namespace ruvenset
