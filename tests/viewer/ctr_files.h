#pragma once
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/verification_record.h"

namespace ruvenset::testing {

// A folder of its own for each test, removed with its files afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    for (;;) {
      const std::filesystem::path folder =
          std::filesystem::temp_directory_path() / ("grafmira-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder)) {
        const std::u8string utf8 = folder.u8string();
        path_.assign(utf8.begin(), utf8.end());
        return;
      }
    }
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(std::u8string(path_.begin(), path_.end())), ec);
  }
  std::string File(const std::string& name) {
    files_.push_back(path_ + "/" + name);
    return files_.back();
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

inline VerificationRecord Reading(uint8_t channel, uint8_t unit, float value, double time = 46000.5,
                                  uint32_t adc = 0x123456, uint16_t ambient = 0x7A40) {
  return VerificationRecord{time, channel, unit, ambient, static_cast<uint32_t>(ambient) << 8, adc, value};
}

inline std::vector<uint8_t> FileImage(const std::vector<VerificationRecord>& records, size_t extraBytes = 0) {
  std::vector<uint8_t> bytes(kVerificationMagic, kVerificationMagic + kVerificationMagicSize);
  for (const VerificationRecord& r : records) {
    uint8_t b[kVerificationRecordSize];
    EncodeVerificationRecord(r, b);
    bytes.insert(bytes.end(), b, b + sizeof b);
  }
  bytes.insert(bytes.end(), extraBytes, 0xEE);
  return bytes;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, const char* mode = "wb") {
  FILE* f = std::fopen(path.c_str(), mode);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace ruvenset::testing
