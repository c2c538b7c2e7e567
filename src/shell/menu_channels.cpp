#include "shell/menu_channels.h"

namespace ruvenset {

MenuChannel MenuChannelOf(MenuItem item) {
  using M = MenuItem;
  switch (item) {
    case M::N20:
    case M::N21:
    case M::N22:
    case M::N23:
      return {1, 1};
    case M::N10:
    case M::N14:
    case M::N15:
    case M::N16:
      return {0, 0};
    case M::N34:
    case M::N35:
      return {5, 4};
    case M::N5:
    case M::N25:
    case M::N26:
    case M::N27:
      return {2, 2};
    case M::N38:
    case M::N39:
      return {4, 2};
    case M::N42:
    case M::N43:
      return {3, 3};
    case M::N2:
    case M::N30:
      return {-1, 3};
    default:
      return {};
  }
}

void ChooseChannel(ChannelChoice& channel, MenuItem item) {
  const MenuChannel c = MenuChannelOf(item);
  if (c.code >= 0) channel.code = c.code;
  if (c.kind >= 0) channel.kind = c.kind;
}

}  // namespace ruvenset
