#pragma once

namespace ruvenset {

// A number that tells the users of one machine apart (the user id on Linux, the login session on
// Windows), for names that must differ between users who work at the same time.
unsigned CurrentUserNumber();

}  // namespace ruvenset
