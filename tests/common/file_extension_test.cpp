#include <gtest/gtest.h>

#include "common/file_extension.h"

namespace ruvenset {
namespace {

TEST(FilterExtension, TakesTheFirstPlainPatternAndNothingFromAnyFile) {
  struct Row {
    const char* patterns;
    const char* extension;
  };
  const Row rows[] = {
      {"*.klb", "klb"},
      {"*.klb;*.KLB", "klb"},
      {"*.csv *.txt", "csv"},
      {" ;*.png", "png"},
      {"*.*", ""},
      {"*", ""},
      {"", ""},
      {"*.k?b;*.ctr", "ctr"},
      {"*.tar.gz;*.rcl", "rcl"},
      {"report*", ""},
      {"*.", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(FilterExtension(r.patterns), r.extension) << r.patterns;
}

}  // namespace
}  // namespace ruvenset
