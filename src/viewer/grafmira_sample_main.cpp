// grafmira-sample OUT [--channel C] [--unit U] [--count N] [--interval-ms MS] [--level V] [--noise V] [--seed
// S] Writes a made-up verification data file (see sample_run.h) for demonstrations and timing.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "viewer/sample_run.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: grafmira-sample OUT [--channel C] [--unit U] [--count N] [--interval-ms MS] "
                 "[--level V] [--noise V] [--seed S]\n");
    return 2;
  }
  ruvenset::SampleRunSettings settings;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--channel") {
      settings.channel = static_cast<uint8_t>(std::atoi(value));
    } else if (name == "--unit") {
      settings.unit = static_cast<uint8_t>(std::atoi(value));
    } else if (name == "--count") {
      settings.count = std::strtoull(value, nullptr, 10);
    } else if (name == "--interval-ms") {
      settings.intervalMs = std::atoi(value);
    } else if (name == "--level") {
      settings.level = std::strtof(value, nullptr);
    } else if (name == "--noise") {
      settings.noise = std::strtof(value, nullptr);
    } else if (name == "--seed") {
      settings.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    } else {
      std::fprintf(stderr, "grafmira-sample: unknown option %s\n", name.c_str());
      return 2;
    }
  }
  if (!ruvenset::WriteSampleRun(argv[1], settings)) {
    std::fprintf(stderr, "grafmira-sample: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
