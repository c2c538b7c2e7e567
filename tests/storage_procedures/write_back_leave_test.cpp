#include <gtest/gtest.h>

#include "storage/calibration_menu.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

struct WriteBackLeave : StorageFixture {};

TEST_F(WriteBackLeave, WritesAcceptedButServiceModeKeptIsNoSuccess) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  // The flow computer takes every write, then no longer answers the request to leave service mode.
  peer->filter = [](const std::vector<uint8_t>& request, std::vector<uint8_t>&) {
    return request[3] != 0x11;
  };
  technician.confirms = {false};
  const WriteBackOutcome outcome = StoreCalibrationSection(tools, CalibrationSection::CorrectionMultipliers);
  EXPECT_EQ(outcome.result, WriteBackResult::LeaveFailed);
  EXPECT_GT(outcome.stepsWritten, 0);
  EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1);

  peer->filter = nullptr;
  writeBack.written.clear();
  technician.confirms = {};
  EXPECT_EQ(StoreCalibrationSection(tools, CalibrationSection::CorrectionMultipliers).result,
            WriteBackResult::Stored);
}

}  // namespace
}  // namespace ruvenset::testing
