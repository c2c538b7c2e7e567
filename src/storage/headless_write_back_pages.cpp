#include "storage/headless_write_back_pages.h"

namespace ruvenset {

void HeadlessWriteBackPages::RunWriteWindow(const std::string&, const std::string&,
                                            const std::function<void(WriteProgressView&)>& sequence) {
  maximum_ = 0;
  position_ = 0;
  sequence(*this);
}

void HeadlessWriteBackPages::ShowNotice3(const std::string& caption, const std::string& line1,
                                         const std::string& line2, const std::string& line3) {
  // A notice, not a question: its three lines as one message.
  technician_.ShowMessageBox(caption, line1 + " " + line2 + " " + line3);
}

}  // namespace ruvenset
