#include "verification/windows/protocol_pdf_file.h"

#include "common/windows/offscreen_application.h"
#include "verification/windows/protocol_printing.h"

namespace ruvenset {

bool WriteProtocolPdfFile(const ProtocolDocument& document, const std::string& path) {
  const OffscreenApplication application;
  return WriteProtocolPdf(path, document);
}

}  // namespace ruvenset
