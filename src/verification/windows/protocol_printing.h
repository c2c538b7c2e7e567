#pragma once
#include <string>

#include "verification/protocol_document.h"

class QPainter;
class QPrinter;
class QRectF;

namespace ruvenset {

// The pages of a protocol: its table pages, then the chart page.
int ProtocolPageCount(const ProtocolDocument& document);

// Draws page `index` (from 0) into `area`, the printable part of the page; the layout scales with the
// area, so a printer page and a picture of a page look the same.
void DrawProtocolPage(QPainter& painter, const QRectF& area, const ProtocolDocument& document, int index);

// Prints every page, A4 portrait. False when the device could not be painted on.
bool PrintProtocol(QPrinter& printer, const ProtocolDocument& document);

// The same into a PDF file.
bool WriteProtocolPdf(const std::string& path, const ProtocolDocument& document);

}  // namespace ruvenset
