#include "device/identify.h"

#include <algorithm>
#include <cstring>

#include "common/device_models.h"
#include "device/exchange.h"

namespace ruvenset {
namespace {

// How long the notice about an unserved flow computer stays open.
constexpr int kNoticeMs = 3400;

}  // namespace

bool ParseIdentification(std::span<const uint8_t> frame, Identification& id) {
  id = Identification{};
  if (frame.size() < kMinFrameLength) return false;
  std::copy_n(frame.begin(), std::min<size_t>(frame.size(), kIdentificationSize), id.response);
  if (id.oldDevice()) {
    id.type = 0;
    id.version = 1;
    id.revision = 0;
    std::memset(id.response + 5, 0, kIdentificationSize - 5);
    return true;
  }
  if (frame.size() < kMinFrameLength + kIdentificationDataNeeded) return false;
  id.version = id.data(0);
  id.revision = id.data(1);
  id.byteOrder = (id.data(4) & 0x08) ? DeviceByteOrder::LsbFirst : DeviceByteOrder::MsbFirst;
  id.type = id.data(6);
  if (id.type >= 10 && id.type <= 14) {
    id.type -= 6;
    id.extended = true;
  }
  return true;
}

bool IsMarkerModel(int type) {
  return ModelOf(type).markers;
}

int PreambleInRtsForType(int type) {
  return ModelOf(type).preambleInRts ? 1 : 0;
}

VersionVerdict CheckVersion(const Identification& id) {
  const DeviceModel model = ModelOf(id.type);
  if (model.refusedText != 0) return {false, 2864, model.refusedText, model.refusedSuffix};
  if (id.version < 20) return {false, 2864, 2866, ""};
  return {};
}

IdentifyResult Identify(ProgramState& state, Technician& technician) {
  Request request;
  request.command = 0x0C;
  request.answerData = kIdentificationDataNeeded;
  request.shortAnswerData = 1;  // an old flow computer
  request.progressText = state.Text(2729);
  if (Exchange(state, technician, request) != LinkOk) return IdentifyResult::LinkFailed;

  ConnectionRecord& record = state.record;
  if (!ParseIdentification(state.link.answer().frame(), record.id)) return IdentifyResult::LinkFailed;
  LinkRuntime& runtime = state.link.runtime();
  runtime.preambleInRts = PreambleInRtsForType(record.id.type);
  runtime.deviceType = record.id.type;
  record.parameterPasswordEntered = false;
  std::memset(record.parameterPassword, ' ', kPasswordSize);

  const VersionVerdict verdict = CheckVersion(record.id);
  if (verdict.served) return IdentifyResult::Served;
  technician.ShowNotice(state.Text(2325), state.Text(verdict.line1),
                        state.Text(verdict.line2) + verdict.suffix, kNoticeMs);
  return IdentifyResult::Refused;
}

}  // namespace ruvenset
