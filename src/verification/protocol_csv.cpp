#include "verification/protocol_csv.h"

#include <charconv>
#include <map>
#include <vector>

#include "common/plain_number.h"
#include "verification/protocol_time.h"
#include "verification/protocol_verdict.h"

namespace ruvenset {
namespace {

// The columns in the order FormatProtocolCsv writes each row's fields; readers find them by name.
constexpr const char* kColumns[] = {
    "point",
    "start",
    "end",
    "readings",
    "reference_value",
    "mean",
    "min",
    "max",
    "std_dev",
    "largest_deviation",
    "error",
    "error_percent",
    "limit",
    "verdict",
    "channel",
    "unit",
    "range_lower",
    "range_upper",
    "device",
    "model",
    "version",
    "revision",
    "factory_number",
    "pipeline",
    "substitute",
    "reference",
    "transmitter",
    "transmitter_address",
    "transmitter_variable",
    "reference_pressure",
    "atmospheric_pressure",
    "atmospheric_unit",
    "technician",
    "data_file",
    "language",
};

constexpr const char* kReferenceWords[] = {"none", "typed", "transmitter"};
// More rows than any verification makes: a file beyond it is not a protocol.
constexpr size_t kMaxPoints = 100000;

std::string Quoted(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos &&
      (field.empty() || (field.front() != ' ' && field.back() != ' ')))
    return field;
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Number(const std::optional<float>& value) {
  return value ? PlainNumber(*value) : std::string();
}

using Row = std::vector<std::string>;

// Splits RFC 4180 text into rows; `lines` holds the line each row starts on. False for a quote that
// is never closed.
bool SplitRows(std::string_view text, std::vector<Row>& rows, std::vector<int>& lines) {
  Row row;
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  int line = 1;
  int rowLine = 1;
  auto endRow = [&] {
    row.push_back(std::move(field));
    field.clear();
    const bool blank = row.size() == 1 && row.front().empty() && !fieldStarted;
    if (!blank) {
      rows.push_back(std::move(row));
      lines.push_back(rowLine);
    }
    row.clear();
    fieldStarted = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      fieldStarted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
      fieldStarted = true;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    } else if (c == '\n') {
      endRow();
      rowLine = ++line;
    } else {
      field += c;
      fieldStarted = true;
    }
  }
  if (quoted) return false;
  if (fieldStarted || !field.empty() || !row.empty()) endRow();
  return true;
}

std::optional<int64_t> Integer(std::string_view text, int64_t lowest, int64_t highest) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end || value < lowest || value > highest)
    return std::nullopt;
  return value;
}

template <size_t N>
std::optional<int> WordIndex(std::string_view word, const char* const (&words)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (word == words[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

// The fields of one row by column name; each reader notes the column of the first field that failed.
class RowReader {
 public:
  RowReader(const Row& row, const std::map<std::string, size_t>& columns) : row_(row), columns_(columns) {}

  const std::string& Text(const char* column) const {
    static const std::string kEmpty;
    const size_t at = columns_.at(column);
    return at < row_.size() ? row_[at] : kEmpty;
  }
  // An empty field is none; anything else must be a number.
  std::optional<float> Optional(const char* column) {
    const std::string& text = Text(column);
    if (text.empty()) return std::nullopt;
    const std::optional<float> value = ParsePlainNumber(text);
    if (!value) Fail(column);
    return value;
  }
  float Required(const char* column) {
    const std::optional<float> value = ParsePlainNumber(Text(column));
    if (!value) Fail(column);
    return value.value_or(0);
  }
  int64_t Whole(const char* column, int64_t lowest, int64_t highest) {
    const std::optional<int64_t> value = Integer(Text(column), lowest, highest);
    if (!value) Fail(column);
    return value.value_or(0);
  }
  std::time_t Time(const char* column) {
    const std::optional<std::time_t> value = ParseProtocolTimestamp(Text(column));
    if (!value) Fail(column);
    return value.value_or(0);
  }
  template <size_t N>
  int Word(const char* column, const char* const (&words)[N]) {
    const std::optional<int> value = WordIndex(Text(column), words);
    if (!value) Fail(column);
    return value.value_or(0);
  }
  void Fail(const char* column) {
    if (failed_.empty()) failed_ = column;
  }
  const std::string& failed() const { return failed_; }

 private:
  const Row& row_;
  const std::map<std::string, size_t>& columns_;
  std::string failed_;
};

void ReadPoint(RowReader& r, ProtocolPoint& p) {
  p.start = r.Time("start");
  p.end = r.Time("end");
  p.count = static_cast<uint32_t>(r.Whole("readings", 1, 0xFFFFFFFF));
  p.reference = r.Optional("reference_value");
  p.mean = r.Required("mean");
  p.minimum = r.Required("min");
  p.maximum = r.Required("max");
  p.standardDeviation = r.Optional("std_dev");
  p.largestDeviation = r.Optional("largest_deviation");
  p.error = r.Optional("error");
  p.errorPercent = r.Optional("error_percent");
  const std::optional<Verdict> verdict = VerdictOfWord(r.Text("verdict"));
  if (!verdict) r.Fail("verdict");
  p.verdict = verdict.value_or(Verdict::None);
}

void ReadStatement(RowReader& r, ProtocolRecord& record) {
  const std::string& language = r.Text("language");
  if (language != "ru" && language != "uk") r.Fail("language");
  record.langRus = language == "ru" ? 1 : 0;
  record.deviceText = r.Text("device");
  record.model = static_cast<int>(r.Whole("model", 0, 255));
  record.version = static_cast<int>(r.Whole("version", 0, 255));
  record.revision = static_cast<int>(r.Whole("revision", 0, 255));
  if (!r.Text("factory_number").empty())
    record.factoryNumber = static_cast<uint32_t>(r.Whole("factory_number", 0, 0xFFFFFFFF));
  record.pipeline = static_cast<int>(r.Whole("pipeline", 1, 255));
  const std::optional<int> kind = ChannelKindOfWord(r.Text("channel"));
  if (!kind) r.Fail("channel");
  record.channelKind = kind.value_or(kKindTemperature);
  record.unit = r.Text("unit");
  record.range = {r.Required("range_lower"), r.Required("range_upper")};
  record.substituteMeasured = r.Text("substitute") == "measured";
  if (!record.substituteMeasured) record.substituteConstant = r.Required("substitute");
  record.referenceMode = r.Word("reference", kReferenceWords);
  if (record.referenceMode == kReferenceTransmitter) {
    const std::string& type = r.Text("transmitter");
    if (type != "3051" && type != "3095") r.Fail("transmitter");
    record.transmitterType = type == "3095" ? kTransmitter3095 : kTransmitter3051;
    record.transmitterAddress = static_cast<int>(r.Whole("transmitter_address", 1, 15));
    if (!r.Text("transmitter_variable").empty())
      record.transmitterVariable = static_cast<int>(r.Whole("transmitter_variable", 0, 3));
    const std::string& measures = r.Text("reference_pressure");
    if (measures == "absolute" || measures == "gauge")
      record.referenceGauge = measures == "gauge";
    else if (!measures.empty())
      r.Fail("reference_pressure");
    record.atmospheric = r.Optional("atmospheric_pressure");
    record.atmosphericUnit = r.Text("atmospheric_unit");
  }
  const std::string& limit = r.Text("limit");
  if (!limit.empty()) {
    record.limit = ParsePermissibleError(limit);
    if (!record.limit) r.Fail("limit");
  }
  record.technician = r.Text("technician");
  record.dataFile = r.Text("data_file");
}

}  // namespace

std::string FormatProtocolCsv(const ProtocolRecord& record) {
  std::string text;
  auto append = [&text](const Row& row) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += ',';
      text += Quoted(row[i]);
    }
    text += "\r\n";
  };
  append(Row(std::begin(kColumns), std::end(kColumns)));
  const std::string limit = record.limit ? FormatPermissibleError(*record.limit) : std::string();
  const bool transmitter = record.referenceMode == kReferenceTransmitter;
  for (size_t k = 0; k < record.points.size(); ++k) {
    const ProtocolPoint& p = record.points[k];
    append({
        std::to_string(k + 1),
        ProtocolTimestamp(p.start),
        ProtocolTimestamp(p.end),
        std::to_string(p.count),
        Number(p.reference),
        PlainNumber(p.mean),
        PlainNumber(p.minimum),
        PlainNumber(p.maximum),
        Number(p.standardDeviation),
        Number(p.largestDeviation),
        Number(p.error),
        Number(p.errorPercent),
        limit,
        VerdictWord(p.verdict),
        ChannelWord(record.channelKind),
        record.unit,
        PlainNumber(record.range.lower),
        PlainNumber(record.range.upper),
        record.deviceText,
        std::to_string(record.model),
        std::to_string(record.version),
        std::to_string(record.revision),
        record.factoryNumber ? std::to_string(*record.factoryNumber) : std::string(),
        std::to_string(record.pipeline),
        record.substituteMeasured ? std::string("measured") : PlainNumber(record.substituteConstant),
        kReferenceWords[record.referenceMode],
        transmitter ? std::string(record.transmitterType == kTransmitter3095 ? "3095" : "3051")
                    : std::string(),
        transmitter ? std::to_string(record.transmitterAddress) : std::string(),
        transmitter && record.transmitterVariable ? std::to_string(*record.transmitterVariable)
                                                  : std::string(),
        transmitter && record.referenceGauge ? std::string(*record.referenceGauge ? "gauge" : "absolute")
                                             : std::string(),
        transmitter ? Number(record.atmospheric) : std::string(),
        transmitter && record.atmospheric ? record.atmosphericUnit : std::string(),
        record.technician,
        record.dataFile,
        record.langRus == 1 ? "ru" : "uk",
    });
  }
  return text;
}

ProtocolCsvOutcome ParseProtocolCsv(std::string_view text, ProtocolRecord& record) {
  ProtocolCsvOutcome outcome;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<Row> rows;
  std::vector<int> lines;
  if (!SplitRows(text, rows, lines) || rows.empty()) return outcome;
  std::map<std::string, size_t> columns;
  for (size_t i = 0; i < rows.front().size(); ++i) columns.emplace(rows.front()[i], i);
  for (const char* column : kColumns) {
    if (columns.count(column) == 0) return outcome;
  }
  if (rows.size() - 1 > kMaxPoints) return outcome;
  ProtocolRecord read;
  for (size_t i = 1; i < rows.size(); ++i) {
    RowReader r(rows[i], columns);
    if (i == 1) ReadStatement(r, read);
    ProtocolPoint point;
    ReadPoint(r, point);
    if (!r.failed().empty()) return {ProtocolCsvStatus::BadField, lines[i], r.failed()};
    read.points.push_back(point);
  }
  if (read.points.empty()) return {ProtocolCsvStatus::NoPoints, 0, {}};
  record = std::move(read);
  return {ProtocolCsvStatus::Read, 0, {}};
}

}  // namespace ruvenset
