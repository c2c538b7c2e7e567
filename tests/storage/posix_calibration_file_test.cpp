#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "storage/calibration_file.h"
#include "storage_test_support.h"

namespace ruvenset {
namespace {

using S = CalibrationFileStatus;
using test::ImageBytes;
using test::ReadBytes;
using test::SampleImage;
using test::TempFolder;

// Run in a child process that drops root's privileges, so the read-only folder binds it too.
TEST(CalibrationFile, FailedWriteLeavesThePreviousFile) {
  TempFolder folder;
  const std::string path = folder.File("keep.klb");
  CalibrationImage first = SampleImage();
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, first), S::Ok);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
        CalibrationImage second = SampleImage();
        second.SetIdentificationCode(99);
        const bool refused =
            WriteCalibrationFile(path, CalibrationSection::Pressure, 16, second) == S::CannotCreate;
        std::_Exit(refused && ReadBytes(path) == ImageBytes(first) ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadBytes(path), ImageBytes(first));
}

}  // namespace
}  // namespace ruvenset
