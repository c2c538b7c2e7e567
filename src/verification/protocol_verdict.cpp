#include "verification/protocol_verdict.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace ruvenset {

Verdict JudgePoint(const ProtocolPoint& point, const std::optional<PermissibleError>& limit,
                   const ChannelRange& range) {
  if (!limit || !point.reference) return Verdict::None;
  const double span = range.usable() ? static_cast<double>(range.upper) - range.lower : 0.0;
  const std::optional<double> allowed = AbsoluteLimit(*limit, span);
  if (!allowed) return Verdict::None;
  const double reference = *point.reference;
  const double error = static_cast<double>(point.mean) - reference;
  // The error is a difference of two single-precision values: it is known to a few units in the last
  // place of the larger of them, and the limit to one unit in its own.
  const double precision =
      2.0 * FLT_EPSILON * std::max(std::fabs(static_cast<double>(point.mean)), std::fabs(reference)) +
      FLT_EPSILON * *allowed;
  return std::fabs(error) <= *allowed + precision ? Verdict::Pass : Verdict::Fail;
}

void JudgePoints(std::vector<ProtocolPoint>& points, const std::optional<PermissibleError>& limit,
                 const ChannelRange& range) {
  for (ProtocolPoint& point : points) point.verdict = JudgePoint(point, limit, range);
}

Verdict OverallVerdict(const std::vector<ProtocolPoint>& points) {
  Verdict overall = Verdict::None;
  for (const ProtocolPoint& point : points) {
    if (point.verdict == Verdict::Fail) return Verdict::Fail;
    if (point.verdict == Verdict::Pass) overall = Verdict::Pass;
  }
  return overall;
}

const char* VerdictWord(Verdict verdict) {
  return verdict == Verdict::Pass ? "pass" : verdict == Verdict::Fail ? "fail" : "none";
}

std::optional<Verdict> VerdictOfWord(std::string_view word) {
  for (Verdict verdict : {Verdict::None, Verdict::Pass, Verdict::Fail}) {
    if (word == VerdictWord(verdict)) return verdict;
  }
  return std::nullopt;
}

}  // namespace ruvenset
