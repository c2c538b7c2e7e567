#include "shell/link_error.h"

namespace ruvenset {

int LinkErrorTextId(int kind) {
  static const int kTexts[] = {0, 2849, 2835, 2842, 2851, 2844, 2696, 2850};
  return kind >= 1 && kind <= 7 ? kTexts[kind] : 0;
}

void ShowLinkError(const ProgramState& state, Technician& technician, int kind) {
  const int text = LinkErrorTextId(kind);
  if (text == 0) return;
  technician.ShowMessageWindow(state.Text(2385), state.Text(text), state.Text(2278));
}

}  // namespace ruvenset
