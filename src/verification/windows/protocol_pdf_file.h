#pragma once
#include <string>

#include "verification/protocol_document.h"

namespace ruvenset {

// Writes a protocol into a PDF file as the windows print it. Needs no display: without a Qt application
// it starts one offscreen for the call. False when the file could not be written.
[[nodiscard]] bool WriteProtocolPdfFile(const ProtocolDocument& document, const std::string& path);

}  // namespace ruvenset
