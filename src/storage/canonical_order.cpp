#include "storage/canonical_order.h"

#include "common/device_models.h"

#include "storage/merge_exchange_sort.h"

namespace ruvenset {
namespace {

void SortChannel(ChannelSection channel, bool sortTosPoints) {
  const int tosPoints = channel.UsedTosPoints();
  if (sortTosPoints) {
    MergeExchangeSort(
        tosPoints, [&](int a, int b) { return channel.TosCode(a) > channel.TosCode(b); },
        [&](int a, int b) { channel.SwapTosPoints(a, b); });
  }
  for (int k = 0; k < tosPoints; ++k) {
    MergeExchangeSort(
        channel.UsedPoints(k),
        [&](int a, int b) { return channel.PointCode(k, a) > channel.PointCode(k, b); },
        [&](int a, int b) { channel.SwapPoints(k, a, b); });
  }
}

}  // namespace

void PutInCanonicalOrder(CalibrationImage& image, CalibrationSection section, uint8_t modelCode) {
  if (IsChannelSection(section)) {
    const bool fixedTos = section == CalibrationSection::Temperature && ModelOf(modelCode).singleTos;
    SortChannel(image.Channel(section), !fixedTos);
    return;
  }
  MergeExchangeSort(
      image.UsedCorrectionPoints(),
      [&](int a, int b) { return image.CorrectionFlow(a) > image.CorrectionFlow(b); },
      [&](int a, int b) { image.SwapCorrectionPoints(a, b); });
}

}  // namespace ruvenset
