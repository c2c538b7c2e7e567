#include "session/language_texts.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace ruvenset {
namespace {

TEST(LanguageTextsParse, ReadsEntriesCommentsAndEscapes) {
  LanguageTexts texts;
  const std::string catalogue =
      "# comment\n"
      "\n"
      "2278\tВыход\r\n"
      "2855\tНе удалось открыть порт COM%d\n"
      "1001\tдве\\nстроки\\tи \\\\ черта\n"
      "1002\t\n";
  const LangLoadResult result = LanguageTexts::Parse(catalogue, texts);
  ASSERT_EQ(result.status, LangLoadStatus::Ok);
  EXPECT_EQ(texts.Count(), 4u);
  EXPECT_EQ(texts.Text(2278), "Выход");
  EXPECT_EQ(texts.Text(1001), "две\nстроки\tи \\ черта");
  EXPECT_EQ(texts.Text(1002), "");
  EXPECT_EQ(texts.FormatText(2855, {3}), "Не удалось открыть порт COM3");
}

TEST(LanguageTextsParse, ReportsTheFirstBadLine) {
  struct Case {
    const char* name;
    std::string catalogue;
    int line;
  };
  const Case cases[] = {
      {"no tab", "1001\tok\n1002 text\n", 2},         {"id below range", "1000\tx\n", 1},
      {"id above range", "1001\tx\n\n4000\tx\n", 3},  {"letters in id", "10a1\tx\n", 1},
      {"duplicate id", "1001\ta\n1001\tb\n", 2},      {"unknown escape", "1001\ta\\qb\n", 1},
      {"lone backslash", "1001\tab\\\n", 1},          {"second tab", "1001\ta\tb\n", 1},
      {"invalid UTF-8", "1001\tok\n1002\t\xD0\n", 2}, {"overlong UTF-8", "1001\t\xC0\xAF\n", 1},
      {"surrogate", "1001\t\xED\xA0\x80\n", 1},       {"invalid UTF-8 in comment", "# \xFF\n", 1},
  };
  for (const Case& c : cases) {
    LanguageTexts texts;
    const LangLoadResult result = LanguageTexts::Parse(c.catalogue, texts);
    EXPECT_EQ(result.status, LangLoadStatus::BadLine) << c.name;
    EXPECT_EQ(result.line, c.line) << c.name;
  }
}

TEST(LanguageTextsParse, FailedParseKeepsThePreviousTexts) {
  LanguageTexts texts;
  ASSERT_EQ(LanguageTexts::Parse("2278\tВыход\n", texts).status, LangLoadStatus::Ok);
  EXPECT_EQ(LanguageTexts::Parse("2279\tДалее\nbad\n", texts).status, LangLoadStatus::BadLine);
  EXPECT_EQ(texts.Text(2278), "Выход");
  EXPECT_FALSE(texts.Has(2279));
}

TEST(LanguageTexts, MissingIdGivesVisiblePlaceholder) {
  LanguageTexts texts;
  EXPECT_EQ(texts.Text(2855), "#2855");
  EXPECT_EQ(texts.FormatText(2855, {1, "x"}), "#2855");
  EXPECT_EQ(texts.Text(-7), "#-7");
}

TEST(LanguageTextsLoad, MissingFileAndFileOnDisk) {
  LanguageTexts texts;
  EXPECT_EQ(LanguageTexts::Load("/nonexistent/Lang01.txt", texts).status, LangLoadStatus::MissingFile);

  const std::string path = testing::TempDir() + "lang_texts_test.txt";
  {
    std::ofstream file(path, std::ios::binary);
    file << "2613\tПринять\n";
  }
  ASSERT_EQ(LanguageTexts::Load(path, texts).status, LangLoadStatus::Ok);
  EXPECT_EQ(texts.Text(2613), "Принять");
  std::remove(path.c_str());
}

TEST(LanguageCatalogue, NamesAndSearchOrder) {
  EXPECT_EQ(LanguageCatalogueName(1), "Lang01.txt");
  EXPECT_EQ(LanguageCatalogueName(0), "Lang00.txt");
  EXPECT_EQ(LanguageCatalogueCandidates(1, "", "/opt/rv/bin"),
            (std::vector<std::string>{"/opt/rv/bin/lang/Lang01.txt",
                                      "/opt/rv/bin/../share/ruvenset/lang/Lang01.txt"}));
  EXPECT_EQ(LanguageCatalogueCandidates(0, "/tmp/l", "/opt/rv/bin"),
            (std::vector<std::string>{"/tmp/l/Lang00.txt"}));
}

TEST(LanguageCatalogue, EnvironmentOverrideWins) {
  const std::string dir = testing::TempDir();
  const std::string path = dir + "/Lang00.txt";
  {
    std::ofstream file(path, std::ios::binary);
    file << "2278\tВихід\n";
  }
  // putenv keeps the string itself, so it lives as long as the test program (both systems have putenv).
  static std::string setting;
  setting = std::string(kLanguageDirVariable) + "=" + dir;
  ASSERT_EQ(putenv(setting.data()), 0);
  EXPECT_EQ(FindLanguageCatalogue(0), path);
  LanguageTexts texts;
  EXPECT_EQ(LoadLanguageTexts(0, texts).status, LangLoadStatus::Ok);
  EXPECT_EQ(texts.Text(2278), "Вихід");
  EXPECT_EQ(FindLanguageCatalogue(5), "");
  EXPECT_EQ(LoadLanguageTexts(5, texts).status, LangLoadStatus::MissingFile);
  static std::string cleared;
  cleared = std::string(kLanguageDirVariable) + "=";  // empty: no override
  putenv(cleared.data());
  std::remove(path.c_str());
}

TEST(FormatTextArgs, FormatsLikePrintfWhenArgumentsFit) {
  struct Case {
    std::string format;
    std::string expected;
  };
  const Case cases[] = {
      {"Адрес (%g...%g):", "Адрес (1...254):"},
      {"%.2f %s", "21.50 °C"},
      {"COM%d, %d бит/с", "COM2, 1200 бит/с"},
      {"код %lu (0x%-6x)|", "код 4294967295 (0xffffffff)|"},
      {"100%% [%5.1f]", "100% [ 21.5]"},
      {"[%-6s|%6s|%.3s]", "[Тос   |   Тос|Дав]"},
      {"%c%03d", "A007"},
      {"%hhu %hd", "255 -1"},
  };
  EXPECT_EQ(FormatTextArgs(cases[0].format, {1.0, 254.0}), cases[0].expected);
  EXPECT_EQ(FormatTextArgs(cases[1].format, {21.5, "°C"}), cases[1].expected);
  EXPECT_EQ(FormatTextArgs(cases[2].format, {2, 1200}), cases[2].expected);
  EXPECT_EQ(FormatTextArgs(cases[3].format, {4294967295u, -1}), cases[3].expected);
  EXPECT_EQ(FormatTextArgs(cases[4].format, {21.5f}), cases[4].expected);
  EXPECT_EQ(FormatTextArgs(cases[5].format, {"Тос", "Тос", "Давление"}), cases[5].expected);
  EXPECT_EQ(FormatTextArgs(cases[6].format, {'A', 7}), cases[6].expected);
  EXPECT_EQ(FormatTextArgs(cases[7].format, {-1, 65535}), cases[7].expected);
}

TEST(FormatTextArgs, IntegerServesFloatingPointConversion) {
  EXPECT_EQ(FormatTextArgs("от %g до %g", {19, 2000}), "от 19 до 2000");
}

TEST(FormatTextArgs, MismatchesStayVisibleAndNeverReadGarbage) {
  struct Case {
    const char* name;
    std::string format;
    std::string expected;
  };
  // Each row is formatted with the arguments (7, "abc").
  const Case cases[] = {
      {"string for %d", "%s=%d", "%s=%d"},
      {"too few arguments", "%d %s %d", "7 abc %d"},
      {"surplus arguments", "%d", "7"},
      {"no arguments wanted", "Выход", "Выход"},
      {"pointer conversion", "%p %d", "%p 7"},
      {"write-back conversion", "%n%d", "%n7"},
      {"star width", "%*d", "%*d"},
      {"huge width", "%99999999d|%d", "%99999999d|7"},
      {"trailing percent", "%d %", "7 %"},
      {"lone percent before text", "50% и %d", "50% и 7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatTextArgs(c.format, {7, "abc"}), c.expected) << c.name;
  }
}

TEST(TextSignature, ListsConversionsInOrder) {
  struct Case {
    std::string text;
    bool valid;
    std::string signature;
  };
  const Case cases[] = {
      {"Выход", true, ""},
      {"%-11lu (0x%-x)", true, "dd"},
      {"[ %g ... %g ]", true, "ff"},
      {"%s: %.2f %s, 100%%", true, "sfs"},
      {"%c %hhd %lld %zu %Lf %E %a", true, "ddddfff"},
      {"50% и", false, ""},
      {"%p", false, ""},
      {"%n", false, ""},
      {"%*d", false, ""},
      {"конец %", false, ""},
  };
  for (const Case& c : cases) {
    std::string signature;
    EXPECT_EQ(TextSignature(c.text, signature), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(signature, c.signature) << c.text;
    }
  }
}

}  // namespace
}  // namespace ruvenset
