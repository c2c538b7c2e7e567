#include "viewer/sample_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/file_handle.h"

namespace ruvenset {
namespace {

// A small hash of (seed, i) to [-1, 1): the noise of reading i without carrying generator state.
double Noise(uint32_t seed, size_t i, uint32_t salt) {
  uint64_t x =
      (static_cast<uint64_t>(seed) << 32) ^ (static_cast<uint64_t>(i) * 0x9E3779B97F4A7C15ull) ^ salt;
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ull;
  x ^= x >> 33;
  return static_cast<double>(x >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

}  // namespace

VerificationRecord SampleReading(const SampleRunSettings& settings, size_t i) {
  const double seconds = static_cast<double>(i) * settings.intervalMs / 1000.0;
  const double noise =
      (Noise(settings.seed, i, 1) + Noise(settings.seed, i, 2) + Noise(settings.seed, i, 3)) / 1.5;
  const double drift = 0.3 * settings.noise * std::sin(seconds / 97.0);
  const double value = settings.level + settings.noise * noise + drift;
  VerificationRecord r{};
  r.time = OleDateFromLocal(settings.start) + seconds / 86400.0;
  r.channel = settings.channel;
  r.unit = settings.unit;
  r.ambientAdc = static_cast<uint16_t>(
      0x7A40 + std::lround(24.0 * std::sin(seconds / 600.0) + 2.0 * Noise(settings.seed, i, 4)));
  r.channelAdc = static_cast<uint32_t>(std::clamp(
      0x52A000 + std::lround((value - settings.level) * 40000.0 + settings.level * 1000.0), 0l, 0xFFFFFFl));
  r.replyWord = static_cast<uint32_t>(r.ambientAdc) << 8;
  r.value = static_cast<float>(value);
  return r;
}

bool WriteSampleRun(const std::string& path, const SampleRunSettings& settings) {
  FileHandle file;
  if (file.Open(path, FileOpenMode::Create) != FileOpenStatus::Ok) return false;
  bool ok = file.WriteAt(0, kVerificationMagic, kVerificationMagicSize);
  std::vector<uint8_t> block;
  constexpr size_t kBlock = 4096;
  for (size_t first = 0; ok && first < settings.count; first += kBlock) {
    const size_t n = std::min(kBlock, settings.count - first);
    block.resize(n * kVerificationRecordSize);
    for (size_t i = 0; i < n; ++i)
      EncodeVerificationRecord(SampleReading(settings, first + i),
                               block.data() + i * kVerificationRecordSize);
    ok = file.WriteAt(kVerificationMagicSize + first * kVerificationRecordSize, block.data(), block.size());
  }
  return ok;
}

}  // namespace ruvenset
