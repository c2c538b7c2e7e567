#include "storage/fulfill_list.h"

#include <algorithm>

namespace ruvenset {

int FulfillList::ShownRows() const {
  const int rowCount = static_cast<int>(rows.size());
  return std::max(1, std::min(rowCount, std::max(1, visibleRows)));
}

int FulfillList::SelectedRow() const {
  if (rows.empty()) return -1;
  return std::clamp(selected, 0, static_cast<int>(rows.size()) - 1);
}

}  // namespace ruvenset
