#pragma once
#include <QPointer>
#include <QWidget>

#include "session/program_state.h"
#include "verification/protocol_pages.h"

namespace ruvenset {

// The protocol's windows, modal over `owner`: the protocol page, the save dialog with the proposed
// name, and the preview with Print.
class QtProtocolPages final : public ProtocolPages {
 public:
  QtProtocolPages(QWidget* owner, const ProgramState& state) : owner_(owner), state_(state) {}

  std::optional<ProtocolAnswer> AskProtocol(const ProtocolPage& page) override;
  std::optional<std::string> AskProtocolPath(const ProtocolSaveDialog& dialog) override;
  bool WriteProtocolPdf(const ProtocolDocument& document, const std::string& path) override;
  void ShowProtocol(const ProtocolRecord& record, const ProtocolDocument& document,
                    const ProtocolView& view) override;

 private:
  QPointer<QWidget> owner_;
  const ProgramState& state_;
};

}  // namespace ruvenset
