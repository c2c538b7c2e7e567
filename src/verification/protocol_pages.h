#pragma once
#include <optional>
#include <string>

#include "common/permissible_error.h"
#include "verification/channel_ranges.h"
#include "verification/protocol_document.h"
#include "verification/protocol_record.h"

namespace ruvenset {

// The protocol page after the measuring window: how many points were taken, the channel's permissible
// error and the technician, and whether to save the protocol.
struct ProtocolPage {
  std::string caption;
  std::string question;      // "Сохранить протокол поверки?"
  std::string pointsLine;    // "Точек поверки: 2"
  std::string limitCaption;  // "Допускаемая погрешность"
  std::string absoluteItem;  // in the channel's unit
  std::string percentItem;   // in per cent of the range
  std::string noLimitItem;
  std::string limitHint;  // what a limit must be, shown when the entry does not read
  std::string technicianCaption;
  std::string saveText;
  std::string skipText;
  std::optional<PermissibleError> limit;  // the configured one
  std::string technician;                 // the remembered one
};

struct ProtocolAnswer {
  std::optional<PermissibleError> limit;
  std::string technician;
};

// The save dialog of a protocol: the PDF's name is proposed, the CSV goes beside it.
struct ProtocolSaveDialog {
  std::string title;
  std::string filter;  // "Протоколы поверки (*.pdf)|*.pdf"
  std::string folder;
  std::string proposedName;  // "160123-temperature-2024-05-16.pdf"
};

// Where a protocol was written.
struct ProtocolFiles {
  std::string pdf;
  std::string csv;
};

// The written protocol as the preview shows it.
struct ProtocolView {
  ProtocolFiles files;
  std::string caption;
  std::string filesLine;  // the two files written
  std::string printText;
  std::string exitText;
};

// The windows of a verification's protocol, as the technician sees them; the Qt windows, the CLI and
// scripted tests implement them.
class ProtocolPages {
 public:
  virtual ~ProtocolPages() = default;
  // The protocol page: the permissible error and the technician to save the protocol with, or nullopt
  // when no protocol is wanted. The page holds its entries to the number rule before it closes.
  virtual std::optional<ProtocolAnswer> AskProtocol(const ProtocolPage& page) = 0;
  // The save dialog; nullopt when cancelled.
  virtual std::optional<std::string> AskProtocolPath(const ProtocolSaveDialog& dialog) = 0;
  // Prints the protocol into a PDF file; false when the file could not be written.
  virtual bool WriteProtocolPdf(const ProtocolDocument& document, const std::string& path) = 0;
  // Shows the written protocol (the windows: a preview with Print).
  virtual void ShowProtocol(const ProtocolRecord& record, const ProtocolDocument& document,
                            const ProtocolView& view) = 0;
};

}  // namespace ruvenset
