#include <gtest/gtest.h>

#include "scripted_peer.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

// The answer with only its first `keep` data bytes, under a fresh length byte and a valid checksum.
Bytes Cut(const Bytes& response, size_t keep) {
  return Response(response[1], response[3],
                  Bytes(response.begin() + 4, response.begin() + 4 + static_cast<long>(keep)), response[0]);
}

struct CutAnswerRun : VerificationFixture {
  // Cuts every answer to (start byte, command) while `cutting` holds; counts the answers cut.
  void CutWhile(uint8_t start, uint8_t command, size_t keep) {
    peer->filter = [=, this](const Bytes& request, Bytes& response) {
      if (cutting && request[0] == start && request[3] == command) {
        response = Cut(response, keep);
        ++cut;
      }
      return true;
    };
  }
  void Pages() {
    pages.substitute = {std::nullopt};
    pages.fileChoice = {0};
    pages.typed = {false};
    pages.start = {true};
    pages.readings = 1;
    pages.maxTicks = 40;
    pages.taken.clear();
  }

  bool cutting = true;
  int cut = 0;
};

TEST_F(CutAnswerRun, CutMeasurementOrMarkersAreShownAsNoAnswerAndTakeNoReading) {
  struct Case {
    const char* name;
    uint8_t start;
    uint8_t command;
    size_t keep;
  };
  const Case cases[] = {{"measurement", 0xBB, 0x0C, 20}, {"markers", 0xAA, 0x1D, 6}};
  for (const Case& c : cases) {
    Connect();
    Pages();
    cutting = true;
    cut = 0;
    CutWhile(c.start, c.command, c.keep);
    std::string shown;
    size_t takenWhileCut = 0;
    pages.onTick = [&](MeasuringWindow& window, int tick) {
      if (tick == 3) {
        shown = window.display().message;
        takenWhileCut = pages.taken.size();
        cutting = false;
      }
    };
    EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished) << c.name;
    EXPECT_GT(cut, 0) << c.name;
    EXPECT_EQ(shown, state.Text(2217)) << c.name;
    EXPECT_EQ(takenWhileCut, 0u) << c.name;
    EXPECT_EQ(pages.taken.size(), 1u) << c.name;  // whole answers again: the reading comes
    EXPECT_EQ(PipelineState(), 0) << c.name;
  }
}

TEST_F(CutAnswerRun, CutServiceModeRefusalIsRetriedAsAWrongAnswer) {
  Connect();
  Pages();
  state.config.link.attempts = 2;
  // Every service-mode request is refused, and the refusal carries two bytes instead of three.
  peer->filter = [this](const Bytes& request, Bytes& response) {
    if (request[3] == 0x10) {
      response = Response(1, 0x10, {10, 0});
      ++cut;
    }
    return true;
  };
  technician.confirms = {false};
  // The refusal arrives cut: a link failure, declined, so service mode is never entered.
  EXPECT_NE(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(cut, 1);  // the enter request goes out once a try
  EXPECT_EQ(technician.Count("box"), 0);
  EXPECT_EQ(PipelineState(), 0);
}

}  // namespace
}  // namespace ruvenset::testing
