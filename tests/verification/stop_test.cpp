#include <gtest/gtest.h>

#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

// A verification in which the technician presses Stop while an answer is awaited: the flow computer
// took the request, but its answer does not come before the stop.
struct StoppedVerification : VerificationFixture {
  void SetUp() override {
    Connect();
    state.config.link.firstByteWait = 20;
    pages.substitute = {std::nullopt};
    pages.fileChoice = {0};
    pages.typed = {false};
    pages.start = {true};
  }
  void StopAt(uint8_t command) {
    peer->filter = [this, command, stopped = false](const Bytes& request, Bytes&) mutable {
      if (stopped || request[3] != command) return true;
      stopped = true;
      state.link.stop().Request();
      return false;
    };
  }
};

TEST_F(StoppedVerification, WhileEnteringServiceModeAsksAndLeavesServiceModeAgain) {
  StopAt(0x10);
  technician.confirms = {false};  // no new request after the stopped one
  const int64_t start = clock.NowNs();
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::ServiceModeFailed);
  EXPECT_EQ(Requests(0x10), 1);  // no further attempt
  EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1);
  // The flow computer may have taken the request: it is told to leave service mode.
  EXPECT_EQ(Requests(0x11), 1);
  clock.SleepFor(5'000'000'000);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_LT(clock.NowNs() - start, int64_t{20'000'000'000});
}

TEST_F(StoppedVerification, WhileMeasuringShowsTheMissingAnswerAndGoesOn) {
  StopAt(0x0C);
  pages.readings = 2;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  bool shown = false;
  for (const MeasuringDisplay& d : pages.displays) shown |= d.message == state.Text(2217);
  EXPECT_TRUE(shown);
  EXPECT_EQ(pages.taken.size(), 2u);
  EXPECT_EQ(Requests(0x11), 1);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(StoppedVerification, WhileLeavingServiceModeAsksAgain) {
  StopAt(0x11);
  pages.readings = 1;
  technician.confirms = {true};  // send the leave request again
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1);
  EXPECT_EQ(Requests(0x11), 2);
  EXPECT_EQ(PipelineState(), 0);
}

}  // namespace
}  // namespace ruvenset::testing
