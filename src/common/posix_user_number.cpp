#include <unistd.h>

#include "common/user_number.h"

namespace ruvenset {

unsigned CurrentUserNumber() {
  return static_cast<unsigned>(::getuid());
}

}  // namespace ruvenset
