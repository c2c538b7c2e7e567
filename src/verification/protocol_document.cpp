#include "verification/protocol_document.h"

#include <algorithm>

#include "common/adaptive_format.h"
#include "common/plain_number.h"
#include "common/trimmed_text.h"
#include "verification/protocol_time.h"
#include "verification/protocol_verdict.h"

namespace ruvenset {
namespace {

constexpr int kChannelNames = 2125;    // + kind
constexpr int kChannelOfNames = 2143;  // pressure, temperature, differential pressure ("канала ...")
constexpr int kFirstColumn = 3426;
constexpr int kColumnCount = 13;
constexpr const char* kDash = "—";

std::string Shown(const std::optional<float>& value) {
  return value ? ProtocolNumber(*value) : kDash;
}

std::string ReferenceText(const ProtocolRecord& r, const LanguageTexts& texts) {
  if (r.referenceMode == kReferenceTyped) return texts.Text(3413);
  if (r.referenceMode != kReferenceTransmitter) return texts.Text(3419);
  std::string text =
      texts.FormatText(3414, {r.transmitterType == kTransmitter3095 ? "3095" : "3051", r.transmitterAddress});
  if (r.transmitterVariable) text += ", " + texts.FormatText(3415, {*r.transmitterVariable + 1});
  if (r.referenceGauge) text += ", " + texts.Text(*r.referenceGauge ? 3417 : 3416);
  if (r.atmospheric)
    text += ", " + texts.FormatText(3418, {ProtocolNumber(*r.atmospheric), r.atmosphericUnit});
  return text;
}

std::string LimitText(const ProtocolRecord& r, const LanguageTexts& texts) {
  if (!r.limit) return texts.Text(3422);
  if (r.limit->percent) return texts.FormatText(3421, {ProtocolGivenNumber(r.limit->value)});
  return ProtocolGivenNumber(r.limit->value) + " " + r.unit;
}

std::string VerdictWord(Verdict verdict, const LanguageTexts& texts) {
  return verdict == Verdict::Pass ? texts.Text(3439) : verdict == Verdict::Fail ? texts.Text(3440) : kDash;
}

}  // namespace

std::string ProtocolGivenNumber(float value) {
  std::string text = PlainNumber(value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string ProtocolNumber(float value) {
  std::string text = FormatAdaptive(value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

ProtocolDocument ComposeProtocol(const ProtocolRecord& r, const LanguageTexts& texts) {
  ProtocolDocument d;
  d.russian = r.langRus == 1;
  d.title = texts.Text(3400);
  const int kind = std::clamp(r.channelKind, 0, kChannelKindCount - 1);
  d.subtitle = texts.Text(kChannelOfNames + std::min(kind, kKindDiffPressure));

  d.header = {
      {texts.Text(3127), Trimmed(r.deviceText, kDeviceTextPadding)},
      {texts.Text(3124), std::to_string(r.model)},
      {texts.Text(3125), texts.FormatText(3126, {r.version, r.revision})},
      {texts.Text(3404), r.factoryNumber ? std::to_string(*r.factoryNumber) : kDash},
      {texts.Text(3405), std::to_string(r.pipeline)},
      {texts.Text(3406), texts.Text(kChannelNames + kind)},
      {texts.Text(3407), r.unit},
      {texts.Text(3408),
       ProtocolGivenNumber(r.range.lower) + " ... " + ProtocolGivenNumber(r.range.upper) + " " + r.unit},
      {texts.Text(3409), r.substituteMeasured
                             ? texts.Text(3410)
                             : texts.FormatText(3411, {ProtocolGivenNumber(r.substituteConstant)})},
      {texts.Text(3412), ReferenceText(r, texts)},
      {texts.Text(3420), LimitText(r, texts)},
      {texts.Text(3423), r.points.empty() ? kDash : ProtocolDate(r.points.front().start)},
      {texts.Text(3424), r.technician},
  };
  if (!r.dataFile.empty()) d.header.push_back({texts.Text(3425), r.dataFile});

  for (int c = 0; c < kColumnCount; ++c) d.columns.push_back(texts.FormatText(kFirstColumn + c, {}));
  const double span = r.range.usable() ? static_cast<double>(r.range.upper) - r.range.lower : 0.0;
  const std::optional<double> band = r.limit ? AbsoluteLimit(*r.limit, span) : std::nullopt;
  for (size_t k = 0; k < r.points.size(); ++k) {
    const ProtocolPoint& p = r.points[k];
    d.rows.push_back({std::to_string(k + 1), ProtocolTimeOfDay(p.start), ProtocolTimeOfDay(p.end),
                      std::to_string(p.count), Shown(p.reference), ProtocolNumber(p.mean),
                      ProtocolNumber(p.minimum), ProtocolNumber(p.maximum), Shown(p.standardDeviation),
                      Shown(p.largestDeviation), Shown(p.error), Shown(p.errorPercent),
                      VerdictWord(p.verdict, texts)});
    ProtocolChartPoint chart;
    chart.label = texts.FormatText(3451, {k + 1});
    chart.start = static_cast<double>(p.start);
    chart.end = static_cast<double>(p.end);
    chart.readings = p.readings;
    chart.minimum = p.minimum;
    chart.maximum = p.maximum;
    chart.mean = p.mean;
    chart.reference = p.reference;
    if (p.reference) chart.band = band;
    d.chart.push_back(std::move(chart));
  }

  for (size_t first = 0, page = 0; first < d.rows.size() || page == 0; ++page) {
    const size_t room = page == 0 ? kProtocolFirstPageRows : kProtocolNextPageRows;
    const size_t count = std::min(room, d.rows.size() - first);
    d.tablePages.push_back({first, count});
    first += count;
  }
  d.overall = OverallVerdict(r.points);
  const std::string verdict = d.overall != Verdict::None ? VerdictWord(d.overall, texts)
                              : r.limit                  ? texts.Text(3442)
                                                         : texts.Text(3443);
  d.verdict = texts.Text(3441) + ": " + verdict;
  d.signature = texts.Text(3424) + "   ______________________   " + r.technician;
  const int pages = static_cast<int>(d.tablePages.size()) + 1;
  for (int page = 1; page <= pages; ++page) d.footers.push_back(texts.FormatText(3444, {page, pages}));

  d.chartTitle = texts.Text(3445);
  d.timeAxis = texts.Text(3446);
  d.valueAxis = texts.Text(kChannelNames + kind) + ", " + r.unit;
  d.legendReadings = texts.Text(3447);
  d.legendSpan = texts.Text(3450);
  d.legendReference = texts.Text(3448);
  d.legendBand = texts.Text(3449);
  return d;
}

}  // namespace ruvenset
