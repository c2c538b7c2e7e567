#include "shell/menu_channels.h"

namespace ruvenset {

MenuChannel MenuChannelOf(MenuItem item) {
  return MenuEntryOf(item).channel;
}

void ChooseChannel(ChannelChoice& channel, MenuItem item) {
  const MenuChannel c = MenuChannelOf(item);
  if (c.code >= 0) channel.code = c.code;
  if (c.kind >= 0) channel.kind = c.kind;
}

}  // namespace ruvenset
