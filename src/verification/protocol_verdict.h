#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "common/permissible_error.h"
#include "verification/channel_ranges.h"
#include "verification/protocol_point.h"

namespace ruvenset {

// Whether a point's error lies within the permissible error: an error equal to the limit passes. The
// readings and the reference are single-precision values, so "equal" holds within their precision. No
// verdict without a reference or without a limit, nor for a per cent of a range the flow computer did
// not give.
Verdict JudgePoint(const ProtocolPoint& point, const std::optional<PermissibleError>& limit,
                   const ChannelRange& range);

// Gives every point its verdict.
void JudgePoints(std::vector<ProtocolPoint>& points, const std::optional<PermissibleError>& limit,
                 const ChannelRange& range);

// The protocol's verdict: fail when a point failed, pass when the points with a verdict all passed,
// none when no point has one.
Verdict OverallVerdict(const std::vector<ProtocolPoint>& points);

// "pass", "fail" or "none": the verdict in the CSV and on the command line.
const char* VerdictWord(Verdict verdict);
std::optional<Verdict> VerdictOfWord(std::string_view word);

}  // namespace ruvenset
