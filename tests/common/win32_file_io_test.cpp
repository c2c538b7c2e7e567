#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/win32_text.h"
#include "temp_folder.h"

namespace ruvenset {
namespace {

// Another program holds the file open without letting it be renamed (no FILE_SHARE_DELETE, as most
// Windows programs open files): the write fails, the file keeps its text and no temporary file is left.
// Once the file is closed, the write goes through.
TEST(Win32FileIo, ReplaceRefusedWhileAnotherProgramHoldsTheFile) {
  testing::TempFolder root;
  const std::string file = root.File("Отчёт.rcl");
  ASSERT_EQ(WriteFileAtomically(file, "kept"), FileStatus::Ok);
  HANDLE held = ::CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WriteFileAtomically(file, "lost"), FileStatus::WriteFailed);
  ::CloseHandle(held);
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadWholeFile(file, bytes), FileStatus::Ok);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "kept");
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(Widen(root.Path()))))
    entries += e.exists() ? 1 : 0;
  EXPECT_EQ(entries, 1);

  ASSERT_EQ(WriteFileAtomically(file, "new"), FileStatus::Ok);
  ASSERT_EQ(ReadWholeFile(file, bytes), FileStatus::Ok);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
}

}  // namespace
}  // namespace ruvenset
