#pragma once

namespace ruvenset {

// Makes the sleeps of the calling thread end close to their deadline: the default timer slack of Linux
// (50 us) or the 15.6 ms timer tick of Windows would make every timed wait of the link late.
void UsePreciseTimers();

}  // namespace ruvenset
