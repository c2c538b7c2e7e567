#include <gtest/gtest.h>

#include "session/language_texts.h"
#include "storage/calibration_file_status.h"
#include "storage/text_message.h"
#include "storage/write_back_checks.h"

namespace ruvenset {
namespace {

TEST(TextMessage, ArgumentsAreLookedUpAndFormatted) {
  LanguageTexts texts;
  ASSERT_EQ(LanguageTexts::Parse("1160\tcodes of %s: point %d, Тос point %d\n"
                                 "2144\ttemperature\n"
                                 "1246\tshort file %s\n",
                                 texts)
                .status,
            LangLoadStatus::Ok);
  EXPECT_EQ(FormatTextMessage(WriteBackMessage({WriteBackStatus::PointCodesNotIncreasing,
                                                CalibrationSection::Temperature, 3, 2}),
                              texts),
            "codes of temperature: point 3, Тос point 2");
  EXPECT_EQ(FormatTextMessage(CalibrationFileMessage(CalibrationFileStatus::TooShort, "/c/a.klb"), texts),
            "short file /c/a.klb");
  EXPECT_EQ(FormatTextMessage(CalibrationFileMessage(CalibrationFileStatus::NotFound, "/c/a.klb"), texts),
            "");
}

}  // namespace
}  // namespace ruvenset
