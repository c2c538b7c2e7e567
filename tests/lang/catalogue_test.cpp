// Checks the shipped catalogues lang/Lang01.txt (Russian) and lang/Lang00.txt (Ukrainian) against the
// list of texts the program uses and against each other.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "shell/language_texts.h"

namespace ruvenset {
namespace {

const std::string kSourceDir = RUVENSET_SOURCE_DIR;

// id -> signature ("" for a text without arguments).
std::map<int, std::string> RequiredIds() {
  std::map<int, std::string> required;
  std::ifstream file(kSourceDir + "/tests/lang/required_ids.txt");
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int id = 0;
    std::string signature;
    fields >> id >> signature;
    required[id] = signature == "-" ? "" : signature;
  }
  return required;
}

class Catalogues : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int lang : {0, 1}) {
      const std::string path = kSourceDir + "/lang/" + LanguageCatalogueName(lang);
      results_[lang] = LanguageTexts::Load(path, texts_[lang]);
    }
    required_ = RequiredIds();
  }

  static std::string Signature(int lang, int id) {
    std::string signature;
    if (!TextSignature(texts_[lang].Text(id), signature)) return "<invalid>";
    return signature;
  }

  static inline LanguageTexts texts_[2];
  static inline LangLoadResult results_[2];
  static inline std::map<int, std::string> required_;
};

// A clean load also means: valid UTF-8 throughout, no duplicate ids, every id in 1001..3999.
TEST_F(Catalogues, BothLoadWithoutBadLines) {
  for (int lang : {0, 1}) {
    EXPECT_EQ(results_[lang].status, LangLoadStatus::Ok) << LanguageCatalogueName(lang);
    EXPECT_EQ(results_[lang].line, 0) << LanguageCatalogueName(lang);
  }
  EXPECT_GT(required_.size(), 600u);
}

TEST_F(Catalogues, HoldEveryRequiredIdWithItsArguments) {
  for (const auto& [id, signature] : required_) {
    for (int lang : {0, 1}) {
      ASSERT_TRUE(texts_[lang].Has(id)) << LanguageCatalogueName(lang) << " lacks " << id;
      EXPECT_EQ(Signature(lang, id), signature) << LanguageCatalogueName(lang) << " text " << id;
    }
  }
}

TEST_F(Catalogues, LanguagesHoldTheSameIdsWithTheSameArguments) {
  EXPECT_EQ(texts_[0].Ids(), texts_[1].Ids());
  for (int id : texts_[1].Ids()) {
    EXPECT_EQ(Signature(0, id), Signature(1, id)) << "text " << id;
    EXPECT_NE(Signature(1, id), "<invalid>") << "text " << id;
  }
}

// The refusal text of code c is text 1914 + c; its arguments depend on the code.
TEST_F(Catalogues, RefusalTextsTakeTheArgumentsOfTheirCode) {
  const std::set<int> pairOfNumbers = {12, 62, 118};
  const std::set<int> nameAndPipeline = {39, 155, 157};
  const std::set<int> rawNumber = {66, 67, 115};
  std::set<int> none;
  for (auto [first, last] : {std::pair{0, 10},
                             {16, 27},
                             {29, 33},
                             {49, 49},
                             {53, 53},
                             {57, 60},
                             {65, 65},
                             {68, 70},
                             {84, 87},
                             {114, 114},
                             {116, 116},
                             {119, 133},
                             {136, 136},
                             {145, 145},
                             {148, 148},
                             {150, 150},
                             {158, 255}}) {
    for (int code = first; code <= last; ++code) none.insert(code);
  }
  for (int code = 0; code <= 255; ++code) {
    std::string expected = "d";
    if (none.count(code)) expected = "";
    if (pairOfNumbers.count(code)) expected = "dd";
    if (nameAndPipeline.count(code)) expected = "sd";
    if (rawNumber.count(code)) expected = "d";
    for (int lang : {0, 1}) {
      ASSERT_TRUE(texts_[lang].Has(1914 + code)) << "refusal code " << code;
      EXPECT_EQ(Signature(lang, 1914 + code), expected) << "refusal code " << code;
    }
  }
  // The names that refusals 155 and 157 put into their text take no arguments themselves.
  for (int b = 0; b < 32; ++b) {
    EXPECT_EQ(Signature(1, 2075 + b), "") << "2075 + " << b;
    EXPECT_EQ(Signature(1, 1398 + b), "") << "1398 + " << b;
  }
}

TEST_F(Catalogues, UnitNamesFollowTheMetrologyConvention) {
  const std::map<int, std::string> units = {
      {2155, "кгс/м2"},  {2156, "кПа"},     {2157, "кгс/м2"}, {2158, "кПа"},
      {2165, "кгс/см2"}, {2168, "кгс/см2"}, {2169, "МПа"},    {2170, "кгс/см2"},
      {2171, "МПа"},     {2172, "кПа"},     {2177, "мбар"},   {2189, "°C"},
  };
  for (const auto& [id, unit] : units) {
    for (int lang : {0, 1})
      EXPECT_EQ(texts_[lang].Text(id), unit) << LanguageCatalogueName(lang) << " " << id;
  }
}

// Texts that the program continues with a value of its own end with a space; those continued by a
// preceding text start with one.
TEST_F(Catalogues, JoinedTextsKeepTheirSeparatingSpace) {
  for (int lang : {0, 1}) {
    for (int id : {2208, 2242, 2362, 2867}) {
      const std::string& text = texts_[lang].Text(id);
      EXPECT_TRUE(!text.empty() && text.back() == ' ') << LanguageCatalogueName(lang) << " " << id;
    }
    for (int id : {1155, 2220}) {
      const std::string& text = texts_[lang].Text(id);
      EXPECT_TRUE(!text.empty() && text.front() == ' ') << LanguageCatalogueName(lang) << " " << id;
    }
  }
}

TEST_F(Catalogues, FormattedSamplesReadNaturally) {
  EXPECT_EQ(texts_[1].FormatText(2226, {1.0, 254.0}), "Введите значение от 1 до 254");
  EXPECT_EQ(texts_[0].FormatText(2855, {3}), "Не вдалося відкрити порт COM3");
  EXPECT_EQ(texts_[1].Text(2362) + texts_[1].FormatText(1914 + 155, {texts_[1].Text(2075), 1}),
            "Отказ вычислителя. Не подключен: датчик давления, трубопровод 1");
  EXPECT_EQ(texts_[1].FormatText(2260, {texts_[1].Text(2144)}),
            "Параметры калибровки канала температуры газа");
}

}  // namespace
}  // namespace ruvenset
