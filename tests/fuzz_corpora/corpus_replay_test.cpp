#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace ruvenset::fuzz {
namespace {

namespace fs = std::filesystem;

// Every kept input of every fuzz target, seeds and the inputs that once broke a reader alike, runs
// through its target again: a reader that crashes or breaks its promise stops this test.
TEST(FuzzCorpora, EveryKeptInputRunsCleanly) {
  for (const NamedFuzzTarget& target : kFuzzTargets) {
    const fs::path folder = fs::path(RUVENSET_SOURCE_DIR) / "fuzz" / "corpus" / target.name;
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0);
      ++inputs;
    }
    EXPECT_GE(inputs, 2) << target.name << " has no seed corpus";
  }
}

// The targets take inputs too short for their selector bytes, and an empty file.
TEST(FuzzCorpora, EmptyAndTinyInputs) {
  const uint8_t bytes[8] = {0xFF, 0x06, 0x86, 0x00, 0x01, 0x02, 0x03, 0x04};
  for (const NamedFuzzTarget& target : kFuzzTargets) {
    for (size_t size = 0; size <= sizeof bytes; ++size) EXPECT_EQ(target.run(bytes, size), 0) << target.name;
  }
}

}  // namespace
}  // namespace ruvenset::fuzz
