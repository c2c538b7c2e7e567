#include "verification/windows/qt_protocol_pages.h"

#include "shell/windows/ui_thread.h"
#include "verification/windows/protocol_printing.h"
#include "verification/windows/protocol_windows.h"
#include "verification/windows/start_pages.h"

namespace ruvenset {

std::optional<ProtocolAnswer> QtProtocolPages::AskProtocol(const ProtocolPage& page) {
  return OnUiThread([&]() -> std::optional<ProtocolAnswer> {
    TFormProtocol window(owner_, page);
    return window.Ask();
  });
}

std::optional<std::string> QtProtocolPages::AskProtocolPath(const ProtocolSaveDialog& dialog) {
  return OnUiThread([&]() -> std::optional<std::string> {
    DataFileDialog file;
    file.newFile = true;
    file.title = dialog.title;
    file.filter = dialog.filter;
    file.folder = dialog.folder;
    DataFileWindow window(owner_, state_, file);
    window.setObjectName("ProtocolSaveDialog");
    window.selectFile(QString::fromStdString(dialog.proposedName));
    return window.Ask();
  });
}

bool QtProtocolPages::WriteProtocolPdf(const ProtocolDocument& document, const std::string& path) {
  return OnUiThread([&] { return ruvenset::WriteProtocolPdf(path, document); });
}

void QtProtocolPages::ShowProtocol(const ProtocolRecord&, const ProtocolDocument& document,
                                   const ProtocolView& view) {
  OnUiThread([&] {
    TProtocolPreview window(owner_, document, view);
    window.exec();
  });
}

}  // namespace ruvenset
