#include <gtest/gtest.h>

#include <cstring>

#include "device/constants.h"
#include "device/derived_values.h"
#include "device/identify.h"
#include "device/passwords.h"
#include "device/refusal_text.h"
#include "device/value_entry.h"
#include "link/virtual_link_clock.h"
#include "session/program_state.h"
#include "sim/flow_computer_model.h"

namespace ruvenset {
namespace {

// An identification response (58 bytes) with the given type, version and option byte 4.
std::vector<uint8_t> IdentResponse(int type, int version, uint8_t options = 0) {
  std::vector<uint8_t> r(58, 0);
  r[0] = 0x55;
  r[1] = 1;
  r[2] = 58;
  r[3] = 0x8C;
  r[4 + 0] = static_cast<uint8_t>(version);
  r[4 + 1] = 3;
  r[4 + 4] = options;
  r[4 + 6] = static_cast<uint8_t>(type);
  return r;
}

TEST(Identification, TypesVersionsAndVerdicts) {
  struct Case {
    int rawType, version;
    int type;
    bool extended;
    bool served;
    int line2;
  };
  const Case cases[] = {
      {7, 20, 7, false, true, 0}, {7, 19, 7, false, false, 2866}, {18, 50, 18, false, false, 2867},
      {12, 20, 6, true, true, 0}, {16, 35, 16, false, true, 0},   {9, 40, 9, false, false, 2866},
      {5, 25, 5, false, true, 0}, {5, 19, 5, false, false, 2866}, {20, 40, 20, false, false, 2867},
  };
  for (const auto& c : cases) {
    Identification id;
    ASSERT_TRUE(ParseIdentification(IdentResponse(c.rawType, c.version), id));
    EXPECT_EQ(id.type, c.type) << c.rawType;
    EXPECT_EQ(id.extended, c.extended) << c.rawType;
    const VersionVerdict v = CheckVersion(id);
    EXPECT_EQ(v.served, c.served) << c.rawType << " v" << c.version;
    if (!c.served) {
      EXPECT_EQ(v.line2, c.line2) << c.rawType;
    }
  }
  Identification lsb;
  ASSERT_TRUE(ParseIdentification(IdentResponse(16, 35, 0x08), lsb));
  EXPECT_EQ(lsb.byteOrder, DeviceByteOrder::LsbFirst);

  // An old flow computer answers with a single data byte.
  std::vector<uint8_t> old = {0x55, 1, 7, 0x8C, 5, 0xAB, 0xCD};
  Identification o;
  ASSERT_TRUE(ParseIdentification(old, o));
  EXPECT_EQ(o.type, 0);
  EXPECT_EQ(o.version, 1);
  EXPECT_EQ(o.data(4), 0);
  EXPECT_EQ(PreambleInRtsForType(7), 1);
  EXPECT_EQ(PreambleInRtsForType(6), 0);
}

TEST(DerivedValues, MethodCodeFromPipelineFlags) {
  struct Case {
    uint8_t flag, parameter;
    int version;
    uint8_t options;
    int preambleInRts;
    int first, second;
  };
  const Case cases[] = {
      {0x80, 0, 30, 0, 1, 2, 2},       // volume meter
      {0x10, 0, 30, 0, 1, 5, 3},       // upper and lower differential-pressure sensors
      {0x00, 0, 30, 0, 1, 3, 3},       // one differential-pressure sensor
      {0x80, 0x40, 30, 0, 0, 12, 12},  // the +10 variant
      {0x00, 0x41, 30, 0x20, 1, 13, 13},
  };
  for (const auto& c : cases) {
    ConnectionRecord r;
    r.id.version = c.version;
    r.id.response[4 + 4] = c.options;
    r.configuration[16] = 1;
    r.configuration[17] = c.flag;
    r.configuration[43] = c.parameter;
    int out[2];
    DerivedValues(r, c.preambleInRts, 0, out);
    EXPECT_EQ(out[0], c.first) << int(c.flag);
    EXPECT_EQ(out[1], c.second) << int(c.flag);
  }
  ConnectionRecord six;
  six.id.version = 10;
  six.id.response[8] = 0x30;
  six.configuration[71] = 0x02;
  int out[2];
  DerivedValues(six, 1, 0, out);
  EXPECT_EQ(out[0], 6);
}

TEST(RefusalText, ArgumentsByCode) {
  VirtualLinkClock clock;
  ProgramState state(clock);
  LanguageTexts::Parse(
      "2362\tОтказ: \n1914\tнет\n1926\tканал %d нитки %d\n1953\t%s нитки %d\n1980\tзначение %d\n"
      "2032\t%d, %d\n2069\t%s нитки %d\n2071\t%s/%d\n1837\tДАВЛ\n1838\tПЕРЕП\n2075\tA\n2076\tB\n1400\tC\n"
      "1925\tнитка %d\n",
      state.texts);
  EXPECT_EQ(RefusalText(state, 0, 5, 6), "Отказ: нет");
  EXPECT_EQ(RefusalText(state, 11, 0, 6), "Отказ: нитка 1");  // all others: a + 1
  EXPECT_EQ(RefusalText(state, 12, 1, 7), "Отказ: канал 7 нитки 2");
  EXPECT_EQ(RefusalText(state, 66, 4, 9), "Отказ: значение 4");
  EXPECT_EQ(RefusalText(state, 118, 0, 2), "Отказ: 3, 1");
  EXPECT_EQ(RefusalText(state, 155, 1, 1), "Отказ: B нитки 2");
  EXPECT_EQ(RefusalText(state, 157, 0, 2), "Отказ: C/1");
  state.record.configuration[43] = 0x01;
  EXPECT_EQ(RefusalText(state, 39, 0, 0), "Отказ: ПЕРЕП нитки 1");
}

// The simulated flow computer's refusals read as what happened, in both languages.
TEST(RefusalText, SimulatorCodesReadAsWhatHappened) {
  struct Case {
    uint8_t code, a, b;
    const char* russian;
    const char* ukrainian;
  };
  const Case cases[] = {
      {sim::kRefuseWrongPassword, 0, 0, "Неверный пароль", "Невірний пароль"},
      {sim::kRefuseBadRequest, 0, 0, "Неверная длина запроса", "Невірна довжина запиту"},
      {sim::kRefuseBadMemoryRange, 0, 0, "Недопустимый адрес памяти", "Неприпустима адреса пам'яті"},
      {sim::kRefuseNoSuchChannel, 1, 7, "Недопустимый номер канала 7 (трубопровод 2)",
       "Неприпустимий номер каналу 7 (трубопровід 2)"},
      {sim::kRefuseWrongParameterPassword, 0, 0, "Неверный пароль на изменение параметров",
       "Невірний пароль на зміну параметрів"},
      {sim::kRefuseBadCheckBytes, 3, 0, "Неверная контрольная сумма блока памяти",
       "Невірна контрольна сума блоку пам'яті"},
      {sim::kRefuseTransmitterSilent, 0, 0, "Нет связи с датчиком HART", "Немає зв'язку з датчиком HART"},
      {sim::kRefuseAlreadyInService, 0, 0, "Трубопровод уже находится в сервисном режиме",
       "Трубопровід вже перебуває в сервісному режимі"},
      {sim::kRefuseNoSuchPipeline, 4, 0, "Недопустимый номер трубопровода: 4",
       "Неприпустимий номер трубопроводу: 4"},
  };
  VirtualLinkClock clock;
  ProgramState state(clock);
  for (int lang : {0, 1}) {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/" + LanguageCatalogueName(lang),
                        state.texts);
    for (const auto& c : cases) {
      EXPECT_EQ(RefusalText(state, c.code, c.a, c.b),
                state.Text(2362) + (lang == 1 ? c.russian : c.ukrainian))
          << int(c.code);
    }
  }
}

TEST(Passwords, CodePageAndPadding) {
  uint8_t p[16];
  EncodePassword("", p);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(p), 16), std::string(16, ' '));
  EncodePassword("Ая1z", p);
  EXPECT_EQ(p[0], 0x80);
  EXPECT_EQ(p[1], 0xEF);
  EXPECT_EQ(p[2], '1');
  EXPECT_EQ(p[3], 'z');
  EXPECT_EQ(p[4], ' ');
  EncodePassword("abcdefghijklmnopqrst", p);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(p), 16), "abcdefghijklmnop");
}

TEST(ValueEntry, BoundsAndKeys) {
  EXPECT_TRUE(AcceptNumber("0.66", 0.66f, 1.05f));
  EXPECT_TRUE(AcceptNumber("1.05", 0.66f, 1.05f));
  EXPECT_FALSE(AcceptNumber("0.659", 0.66f, 1.05f));
  EXPECT_FALSE(AcceptNumber("1.051", 0.66f, 1.05f));
  EXPECT_FALSE(AcceptNumber("", 0, 1));
  EXPECT_FALSE(AcceptNumber("1.0.0", 0, 5));
  EXPECT_FALSE(AcceptNumber("-", -5, 5));
  EXPECT_EQ(*AcceptNumber("-4.5", -5, 5), -4.5f);
  // A decimal comma is a decimal separator, never dropped: 2,5 is two and a half, not 25.
  EXPECT_EQ(AcceptNumber("2,5", 0, 30), 2.5f);
  EXPECT_FALSE(AcceptNumber("2,5,", 0, 30));
  EXPECT_TRUE(NumberKeyAccepted(',', NumberFilter::DigitsPoint));
  EXPECT_TRUE(NumberTextPossible("-1,", NumberFilter::DigitsPointMinus));
  EXPECT_FALSE(NumberTextPossible("-1", NumberFilter::DigitsPoint));
  EXPECT_FALSE(NumberTextPossible("1a", NumberFilter::DigitsPointMinus));
  EXPECT_TRUE(NumberKeyAccepted('7', NumberFilter::DigitsPoint));
  EXPECT_TRUE(NumberKeyAccepted(kBackspace, NumberFilter::DigitsPoint));
  EXPECT_FALSE(NumberKeyAccepted('-', NumberFilter::DigitsPoint));
  EXPECT_TRUE(NumberKeyAccepted('-', NumberFilter::DigitsPointMinus));
  EXPECT_FALSE(NumberKeyAccepted('a', NumberFilter::DigitsPointMinus));
  EXPECT_TRUE(NumberKeyAccepted('a', NumberFilter::None));
  EXPECT_EQ(AcceptPollingCycle("2", 2), 2);
  EXPECT_FALSE(AcceptPollingCycle("7", 2));
  EXPECT_FALSE(AcceptPollingCycle("1", 2));
  EXPECT_FALSE(AcceptPollingCycle("22", 2));
}

TEST(Constants, MergeAndCompare) {
  uint8_t record[kPipelineStateSize] = {0, 0x17};
  const float pressure = 1.5f;
  std::memcpy(record + 6, &pressure, 4);
  uint8_t saved[kPipelineStateSize];
  std::memcpy(saved, record, sizeof record);

  ConstantsChoices same = ReadConstantsChoices(record, false);
  EXPECT_EQ(ApplyConstants(record, saved, 0, 0, same, 0, {}), 0);

  ConstantsChoices changed = same;
  changed.temperature = {false, 21.5f};
  changed.density = {false, 0.7f};  // hidden: neither validated nor applied
  EXPECT_EQ(ApplyConstants(record, saved, 0, 0, changed, 0, {}), 1);
  EXPECT_EQ(record[1], 0x15);
  float t;
  std::memcpy(&t, record + 10, 4);
  EXPECT_EQ(t, 21.5f);
  EXPECT_TRUE(record[1] & 0x10);

  // Upper and lower differential-pressure sensors share two flag bits.
  std::memcpy(record, saved, sizeof record);
  EXPECT_EQ(ApplyConstants(record, saved, 0x10, 1, same, 0, {false, 250.0f}), 1);
  EXPECT_EQ(record[1] & 0x0C, 0);
  EXPECT_EQ(ApplyConstants(record, saved, 0x10, 2, same, 2, {true, 0}), 1);
  EXPECT_EQ(record[1] & 0x0C, 0x0C);
}

}  // namespace
}  // namespace ruvenset
