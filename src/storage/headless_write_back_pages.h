#pragma once
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/write_back_pages.h"

namespace ruvenset {

// The write-back's windows without a screen (the CLI, the tests): service operations run to their end
// on the link's clock (or through `host` when given), the write window only keeps its bar, the notice
// goes to the technician.
class HeadlessWriteBackPages : public WriteBackPages, private WriteProgressView {
 public:
  HeadlessWriteBackPages(ProgramState& state, Technician& technician, ServiceWindowHost* host = nullptr)
      : technician_(technician),
        clockHost_(state.link.clock()),
        host_(host != nullptr ? *host : clockHost_) {}

  ServiceWindowHost& ServiceHost() override { return host_; }
  void RunWriteWindow(const std::string& caption, const std::string& label,
                      const std::function<void(WriteProgressView&)>& sequence) override;
  void ShowNotice3(const std::string& caption, const std::string& line1, const std::string& line2,
                   const std::string& line3) override;

  int maximum() const { return maximum_; }
  int position() const { return position_; }

 private:
  void SetMaximum(int maximum) override { maximum_ = maximum; }
  void SetPosition(int position) override { position_ = position; }

  Technician& technician_;
  ClockServiceHost clockHost_;
  ServiceWindowHost& host_;
  int maximum_ = 0;
  int position_ = 0;
};

}  // namespace ruvenset
