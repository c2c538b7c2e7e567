#pragma once
#include <string>

class QWidget;

namespace ruvenset {

// The viewer's message box: captioned "  ! ", one OK button.
void ShowViewerMessage(QWidget* parent, const std::string& text);

}  // namespace ruvenset
