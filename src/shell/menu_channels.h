#pragma once
#include "session/program_state.h"
#include "shell/menu_table.h"

namespace ruvenset {

// The channel code and channel kind a procedure item sets before it starts its procedure.
MenuChannel MenuChannelOf(MenuItem item);

// Sets the program-wide channel for a procedure item.
void ChooseChannel(ChannelChoice& channel, MenuItem item);

}  // namespace ruvenset
