#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ruvenset {

class LanguageTexts;

// The ADC channel parameter blocks of a flow computer, decoded and encoded without any exchange.
//
// A block is 9 data bytes (the main block at 4301 serves pressure and temperature, the second block at
// 7947 differential pressure). How its bits read depends on the model family:
//  - models 16, 18, 20: input k (0..2) has an input byte k (gain) and a configuration byte k + 3
//    (conversion rate, reference range, buffer, clock divider, polarity);
//  - model 9: byte 0 holds the gain, byte 1 clock, output rate, range, buffer and filter sync;
//  - every other model: input k occupies bytes 3k .. 3k + 2 (gain, polarity, 12-bit filter value).
// A setting is read as a choice index (or the filter value itself) and written back changing only its
// own bits. AdcRows lists the settings a channel shows; AdcRowText and AdcReportLines give them words.

enum class AdcFamily : uint8_t { Sigma, Model9, Classic };
AdcFamily AdcFamilyOf(int model);

// Whether the model keeps its differential-pressure channel's parameters in the second block.
bool HasSecondAdcBlock(int model);

enum class AdcBlock : uint8_t { Main, Second };

enum class AdcField : uint8_t {
  Gain,
  Rate,          // models 16/18/20: conversion rate; model 9: output rate (clock bit included)
  Range,         // reference / input range
  Buffer,        // models 16/18/20 bit 4, model 9 bit 1
  ClockDivider,  // models 16/18/20 bit 5
  Polarity,      // models 16/18/20 bit 6, other models bit 4 of the second byte
  Clock,         // model 9 bit 5
  FilterSync,    // model 9 bit 0
  Filter,        // other models: the 12-bit filter value
};

struct AdcSetting {
  AdcBlock block = AdcBlock::Main;
  int input = 0;  // ADC input 0..2 (model 9: 0)
  AdcField field = AdcField::Gain;
};

inline constexpr int kAdcBlockBytes = 9;
inline constexpr int kFilterMin = 19;
inline constexpr int kFilterMax = 2000;

// The setting's value: a choice index, or for the filter the value itself.
int DecodeAdcSetting(const uint8_t* block, AdcFamily family, const AdcSetting& setting);
// Writes value into the setting's bits and leaves every other bit as it was. Writing the polarity of
// the other models also sets bits 6 and 7 of its byte in the main block, bit 7 in the second block.
// A value outside the field is clipped to it (the filter to 19 .. 2000).
void EncodeAdcSetting(uint8_t* block, AdcFamily family, const AdcSetting& setting, int value);

// A value's label: a literal (gains, rates, clocks) or a language text (options).
struct AdcChoice {
  std::string literal;
  int textId = 0;
};
// The labels a field can show (for the filter: none, it is a number).
std::vector<AdcChoice> AdcChoices(AdcFamily family, AdcField field);
// The labels a technician may choose from: models 16/18/20 offer only the three conversion rates.
std::vector<AdcChoice> AdcChoicesToPick(AdcFamily family, AdcField field);

// One row of the parameter list: the setting, its language text and the input number the text takes
// (0 when the text takes none).
struct AdcRow {
  AdcSetting setting;
  int textId = 0;
  int inputNumber = 0;
};

// The rows of a channel: selector 0 pressure, 1 temperature, 2 differential pressure, 3 all the model has.
std::vector<AdcRow> AdcRows(int model, int selector);

// The two blocks as read (or as kept in a calibration image).
struct AdcBlocks {
  uint8_t main[kAdcBlockBytes]{};
  uint8_t second[kAdcBlockBytes]{};
  const uint8_t* Of(AdcBlock b) const { return b == AdcBlock::Main ? main : second; }
  uint8_t* Of(AdcBlock b) { return b == AdcBlock::Main ? main : second; }
};

// The value of a row as shown: its label in the current language, or the filter number.
std::string AdcValueText(const AdcBlocks& blocks, int model, const AdcSetting& setting,
                         const LanguageTexts& texts);
// The whole row: its language text formatted with (the input number and) the value.
std::string AdcRowText(const AdcBlocks& blocks, int model, const AdcRow& row, const LanguageTexts& texts);

// The parameter lines of the calibration report (without line ends): for models 16 and 18 the
// temperature input's settings, for model 9 its single input, for the other models every input of the
// main block and, with a differential-pressure channel, of the second block. Model 20 prints none.
std::vector<std::string> AdcReportLines(const AdcBlocks& blocks, int model, bool differentialChannel,
                                        const LanguageTexts& texts);

}  // namespace ruvenset
