#include "viewer/windows/viewer_message.h"

#include <QMessageBox>

#include "viewer/viewer_texts.h"

namespace ruvenset {

void ShowViewerMessage(QWidget* parent, const std::string& text) {
  QMessageBox::warning(parent, QString::fromUtf8(viewer_text::kMessageCaption), QString::fromStdString(text));
}

}  // namespace ruvenset
