#include <gtest/gtest.h>

#include "verification/protocol_csv.h"
#include "verification/protocol_time.h"

namespace ruvenset {
namespace {

ProtocolRecord TransmitterRecord() {
  ProtocolRecord r;
  r.langRus = 0;
  r.deviceText = "Симулятор ВАЛДОР";
  r.model = 16;
  r.version = 35;
  r.revision = 2;
  r.factoryNumber = 4000000001u;
  r.pipeline = 2;
  r.channelKind = kKindPressure;
  r.unit = "кгс/см2";
  r.range = {0.0f, 16.0f};
  r.substituteMeasured = false;
  r.substituteConstant = 1.0332f;
  r.referenceMode = kReferenceTransmitter;
  r.transmitterType = kTransmitter3095;
  r.transmitterAddress = 2;
  r.transmitterVariable = 1;
  r.referenceGauge = true;
  r.atmospheric = 1.0332f;
  r.atmosphericUnit = "кгс/см2";
  r.limit = PermissibleError{0.25f, true};
  r.technician = "Коваленко, \"старший\" поверитель";
  r.dataFile = "/home/lab/дані, 2024/поверка.ctr";
  ProtocolPoint a;
  a.start = 1'700'000'000;
  a.end = 1'700'000'060;
  a.count = 12;
  a.reference = 2.0664f;
  a.mean = 2.0701f;
  a.minimum = 2.06f;
  a.maximum = 2.08f;
  a.standardDeviation = 0.0031f;
  a.largestDeviation = -0.0104f;
  a.error = 0.0037f;
  a.errorPercent = 0.023125f;
  a.verdict = Verdict::Pass;
  a.readings = {{1.7e9, 2.07f}};
  ProtocolPoint b;
  b.start = 1'700'000'060;
  b.end = 1'700'000'061;
  b.count = 1;
  b.mean = 4.0f;
  b.minimum = 4.0f;
  b.maximum = 4.0f;
  r.points = {a, b};
  return r;
}

TEST(ProtocolCsv, WrittenWithAPointAndReadBackWhole) {
  const ProtocolRecord r = TransmitterRecord();
  const std::string text = FormatProtocolCsv(r);
  EXPECT_EQ(
      text.rfind("point,start,end,readings,reference_value,mean,min,max,std_dev,largest_deviation,error,"
                 "error_percent,limit,verdict,channel,unit,",
                 0),
      0u)
      << text;
  EXPECT_NE(
      text.find(
          "\r\n1," + ProtocolTimestamp(r.points[0].start) + "," + ProtocolTimestamp(r.points[0].end) +
          ",12,2.0664,2.0701,2.06,2.08,0.0031,-0.0104,0.0037,0.023125,0.25%,pass,pressure,кгс/см2,0,16,"),
      std::string::npos)
      << text;
  EXPECT_NE(
      text.find(",\"Коваленко, \"\"старший\"\" поверитель\",\"/home/lab/дані, 2024/поверка.ctr\",uk\r\n"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n2,"), std::string::npos);

  ProtocolRecord back;
  ASSERT_EQ(ParseProtocolCsv(text, back).status, ProtocolCsvStatus::Read);
  EXPECT_EQ(back.langRus, 0);
  EXPECT_EQ(back.deviceText, r.deviceText);
  EXPECT_EQ(back.model, 16);
  EXPECT_EQ(back.version, 35);
  EXPECT_EQ(back.revision, 2);
  EXPECT_EQ(back.factoryNumber, r.factoryNumber);
  EXPECT_EQ(back.pipeline, 2);
  EXPECT_EQ(back.channelKind, kKindPressure);
  EXPECT_EQ(back.unit, r.unit);
  EXPECT_EQ(back.range.upper, 16.0f);
  EXPECT_FALSE(back.substituteMeasured);
  EXPECT_EQ(back.substituteConstant, 1.0332f);
  EXPECT_EQ(back.referenceMode, kReferenceTransmitter);
  EXPECT_EQ(back.transmitterType, kTransmitter3095);
  EXPECT_EQ(back.transmitterAddress, 2);
  EXPECT_EQ(back.transmitterVariable, 1);
  EXPECT_EQ(back.referenceGauge, true);
  EXPECT_EQ(back.atmospheric, 1.0332f);
  EXPECT_EQ(back.atmosphericUnit, r.atmosphericUnit);
  ASSERT_TRUE(back.limit);
  EXPECT_TRUE(back.limit->percent);
  EXPECT_EQ(back.limit->value, 0.25f);
  EXPECT_EQ(back.technician, r.technician);
  EXPECT_EQ(back.dataFile, r.dataFile);
  ASSERT_EQ(back.points.size(), 2u);
  const ProtocolPoint& a = back.points[0];
  EXPECT_EQ(a.start, r.points[0].start);
  EXPECT_EQ(a.end, r.points[0].end);
  EXPECT_EQ(a.count, 12u);
  EXPECT_EQ(a.reference, r.points[0].reference);
  EXPECT_EQ(a.mean, r.points[0].mean);
  EXPECT_EQ(a.minimum, r.points[0].minimum);
  EXPECT_EQ(a.maximum, r.points[0].maximum);
  EXPECT_EQ(a.standardDeviation, r.points[0].standardDeviation);
  EXPECT_EQ(a.largestDeviation, r.points[0].largestDeviation);
  EXPECT_EQ(a.error, r.points[0].error);
  EXPECT_EQ(a.errorPercent, r.points[0].errorPercent);
  EXPECT_EQ(a.verdict, Verdict::Pass);
  EXPECT_TRUE(a.readings.empty());  // the CSV keeps no readings
  const ProtocolPoint& b = back.points[1];
  EXPECT_FALSE(b.reference || b.standardDeviation || b.largestDeviation || b.error || b.errorPercent);
  EXPECT_EQ(b.verdict, Verdict::None);
}

TEST(ProtocolCsv, ColumnsAreFoundByNameWhateverTheLabAddedBeforeThem) {
  ProtocolRecord r = TransmitterRecord();
  r.referenceMode = kReferenceTyped;
  r.langRus = 1;
  const std::string text = FormatProtocolCsv(r);
  // A spreadsheet put a column of its own in front and saved the file with its own line ends.
  std::string edited;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at);
    edited += (at == 0 ? "remark," : "\"ok, checked\",") + text.substr(at, end - at) + "\n";
    at = end + 2;
  }
  ProtocolRecord back;
  ASSERT_EQ(ParseProtocolCsv("\xEF\xBB\xBF" + edited, back).status, ProtocolCsvStatus::Read);
  EXPECT_EQ(back.points.size(), 2u);
  EXPECT_EQ(back.points[0].mean, r.points[0].mean);
  EXPECT_EQ(back.langRus, 1);
  EXPECT_EQ(back.referenceMode, kReferenceTyped);
  EXPECT_FALSE(back.transmitterVariable);  // only a transmitter has one
}

TEST(ProtocolCsv, WhatIsNotAProtocolSaysWhereAndACutFileNeverReadsBadData) {
  const std::string text = FormatProtocolCsv(TransmitterRecord());
  ProtocolRecord untouched;
  untouched.technician = "kept";
  struct Case {
    const char* name;
    std::string text;
    ProtocolCsvStatus status;
    int line;
    const char* column;
  };
  std::string badMean = text;
  badMean.replace(badMean.find(",2.0701,"), 8, ",2.07x1,");
  std::string badVerdict = text;
  badVerdict.replace(badVerdict.find(",pass,"), 6, ",good,");
  const std::string header = text.substr(0, text.find("\r\n") + 2);
  const Case cases[] = {
      {"empty", "", ProtocolCsvStatus::NotAProtocol, 0, ""},
      {"another csv", "a,b,c\r\n1,2,3\r\n", ProtocolCsvStatus::NotAProtocol, 0, ""},
      {"header only", header, ProtocolCsvStatus::NoPoints, 0, ""},
      {"bad number", badMean, ProtocolCsvStatus::BadField, 2, "mean"},
      {"unknown verdict", badVerdict, ProtocolCsvStatus::BadField, 2, "verdict"},
      {"quote never closed", text + "3,\"2024", ProtocolCsvStatus::NotAProtocol, 0, ""},
  };
  for (const Case& c : cases) {
    ProtocolRecord record = untouched;
    const ProtocolCsvOutcome outcome = ParseProtocolCsv(c.text, record);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(outcome.line, c.line) << c.name;
    EXPECT_EQ(outcome.column, c.column) << c.name;
    EXPECT_EQ(record.technician, "kept") << c.name;  // a file that fails changes nothing
  }
  // Every cut of the file either reads as whole rows or is refused.
  for (size_t size = 0; size < text.size(); ++size) {
    ProtocolRecord record;
    const ProtocolCsvOutcome outcome = ParseProtocolCsv(std::string_view(text).substr(0, size), record);
    if (outcome.status == ProtocolCsvStatus::Read) EXPECT_LE(record.points.size(), 2u) << size;
  }
}

}  // namespace
}  // namespace ruvenset
