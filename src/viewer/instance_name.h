#pragma once
#include <string>

namespace ruvenset {

// The name of the local socket through which a running viewer is found: the window class and caption
// made safe for a socket name (Cyrillic letters transliterated, anything else but ASCII letters and
// digits turned into '_') and the user id, e.g. "TFormMain-Statistika_poverok-1000".
std::string InstanceChannelName(const std::string& windowClass, const std::string& caption, unsigned userId);

// The requests a running viewer answers on its channel, one line each; it replies "ok\n".
inline constexpr const char* kInstanceShow = "show";
inline constexpr const char* kInstanceQuit = "quit";
inline constexpr const char* kInstanceReply = "ok";

}  // namespace ruvenset
