#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_handle.h"
#include "common/file_io.h"
#include "temp_folder.h"

namespace ruvenset {
namespace {

using testing::TempFolder;

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

std::vector<uint8_t> Read(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadWholeFile(path, bytes), FileStatus::Ok) << path;
  return bytes;
}

int Entries(const std::string& folder) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(std::u8string(folder.begin(), folder.end()))))
    n += entry.exists() ? 1 : 0;
  return n;
}

// Folder and file names in Cyrillic reach the system whole (UTF-8 inside, wide at Windows' calls).
TEST(FileIo, CyrillicFolderAndFileNames) {
  TempFolder root;
  const std::string folder = root.File("Калибровка/Поверка");
  ASSERT_TRUE(MakeDirectories(folder));
  EXPECT_TRUE(IsDirectory(folder));
  const std::string file = folder + "/ВАЛДОР №1.klb";
  EXPECT_FALSE(PathExists(file));
  ASSERT_EQ(WriteFileAtomically(file, "данные"), FileStatus::Ok);
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_EQ(Read(file), Bytes("данные"));
  // The system itself sees the name, not a mangled one.
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(std::u8string(file.begin(), file.end()))));

  FileHandle handle;
  ASSERT_EQ(handle.Open(file, FileOpenMode::Update), FileOpenStatus::Ok);
  ASSERT_TRUE(handle.WriteAt(handle.Size(), "!", 1));
  handle.Close();
  EXPECT_EQ(Read(file), Bytes("данные!"));
  EXPECT_TRUE(RemoveFile(file));
  EXPECT_FALSE(PathExists(file));
  EXPECT_EQ(handle.Open(file, FileOpenMode::Read), FileOpenStatus::NotFound);
}

// A reader has the file open while it is replaced. Linux replaces it (the reader keeps what it opened);
// Windows refuses while the file is open and the file keeps its old text. Either way the name holds a
// whole file and no temporary file is left beside it.
TEST(FileIo, ReplaceWhileTheFileIsOpenForReading) {
  TempFolder root;
  const std::string file = root.File("report.txt");
  ASSERT_EQ(WriteFileAtomically(file, "old text"), FileStatus::Ok);
  FileHandle reader;
  ASSERT_EQ(reader.Open(file, FileOpenMode::Read), FileOpenStatus::Ok);
  const FileStatus status = WriteFileAtomically(file, "new");
  ASSERT_TRUE(status == FileStatus::Ok || status == FileStatus::WriteFailed);
  char seen[8] = {};
  EXPECT_EQ(reader.ReadAt(0, seen, sizeof seen), sizeof seen);
  EXPECT_EQ(std::string(seen, sizeof seen), "old text");
  EXPECT_EQ(Read(file), Bytes(status == FileStatus::Ok ? "new" : "old text"));
  EXPECT_EQ(Entries(root.Path()), 1);
  reader.Close();
  ASSERT_EQ(WriteFileAtomically(file, "new"), FileStatus::Ok);
  EXPECT_EQ(Read(file), Bytes("new"));
}

TEST(FileIo, HandleReadsAndWritesAtOffsetsAndTruncates) {
  TempFolder root;
  const std::string file = root.File("records");
  FileHandle h;
  ASSERT_EQ(h.Open(file, FileOpenMode::Create), FileOpenStatus::Ok);
  ASSERT_TRUE(h.WriteAt(0, "abcdef", 6));
  ASSERT_TRUE(h.WriteAt(2, "XY", 2));
  EXPECT_EQ(h.Size(), 6);
  ASSERT_TRUE(h.Truncate(4));
  h.Close();
  ASSERT_EQ(h.Open(file, FileOpenMode::Read), FileOpenStatus::Ok);
  char bytes[8] = {};
  EXPECT_EQ(h.ReadAt(1, bytes, sizeof bytes), 3u);  // short at the end of the file
  EXPECT_EQ(std::string(bytes, 3), "bXY");
  EXPECT_EQ(h.Open(root.Path(), FileOpenMode::Read), FileOpenStatus::Failed);  // a folder is no file
}

}  // namespace
}  // namespace ruvenset
