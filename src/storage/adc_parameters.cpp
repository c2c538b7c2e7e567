#include "storage/adc_parameters.h"

#include <algorithm>

#include "session/language_texts.h"

namespace ruvenset {
namespace {

// Where a field lies: byte of the block, lowest bit, number of bits.
struct FieldBits {
  int byte = 0;
  int shift = 0;
  int width = 0;
};

FieldBits BitsOf(AdcFamily family, const AdcSetting& s) {
  const int k = std::clamp(s.input, 0, 2);
  switch (family) {
    case AdcFamily::Sigma:
      switch (s.field) {
        case AdcField::Gain:
          return {k, 0, 3};
        case AdcField::Rate:
          return {k + 3, 0, 2};
        case AdcField::Range:
          return {k + 3, 2, 1};
        case AdcField::Buffer:
          return {k + 3, 4, 1};
        case AdcField::ClockDivider:
          return {k + 3, 5, 1};
        case AdcField::Polarity:
          return {k + 3, 6, 1};
        default:
          return {};
      }
    case AdcFamily::Model9:
      switch (s.field) {
        case AdcField::Gain:
          return {0, 0, 2};
        case AdcField::Rate:
          return {1, 3, 3};
        case AdcField::Clock:
          return {1, 5, 1};
        case AdcField::Range:
          return {1, 2, 1};
        case AdcField::Buffer:
          return {1, 1, 1};
        case AdcField::FilterSync:
          return {1, 0, 1};
        default:
          return {};
      }
    case AdcFamily::Classic:
      switch (s.field) {
        case AdcField::Gain:
          return {3 * k, 2, 3};
        case AdcField::Polarity:
          return {3 * k + 1, 4, 1};
        default:
          return {};
      }
  }
  return {};
}

std::vector<AdcChoice> Literals(std::initializer_list<const char*> labels) {
  std::vector<AdcChoice> out;
  for (const char* l : labels) out.push_back({l, 0});
  return out;
}

std::vector<AdcChoice> Texts(int first) {
  return {{{}, first}, {{}, first + 1}};
}

std::string ChoiceText(const AdcChoice& c, const LanguageTexts& texts) {
  return c.textId != 0 ? texts.Text(c.textId) : c.literal;
}

void AddInput(std::vector<AdcRow>& rows, AdcBlock block, int input, std::initializer_list<AdcField> fields,
              int firstText, int textStep, int inputNumber) {
  int text = firstText;
  for (AdcField f : fields) {
    rows.push_back({{block, input, f}, text, inputNumber});
    text += textStep;
  }
}

constexpr std::initializer_list<AdcField> kClassicFields = {AdcField::Gain, AdcField::Polarity,
                                                            AdcField::Filter};
constexpr std::initializer_list<AdcField> kSigmaFields = {AdcField::Gain,         AdcField::Polarity,
                                                          AdcField::ClockDivider, AdcField::Buffer,
                                                          AdcField::Range,        AdcField::Rate};
// Own row texts of models 16, 18 and 20 ("Input %d: ..."), in the order of kSigmaFields.
constexpr int kSigmaRowTexts = 3200;
constexpr int kFilterSyncRowText = 3206;

void AddChannel(std::vector<AdcRow>& rows, AdcFamily family, int model, int channel) {
  const bool differential = channel == 2;
  const AdcBlock block = differential && HasSecondAdcBlock(model) ? AdcBlock::Second : AdcBlock::Main;
  switch (family) {
    case AdcFamily::Classic:
      if (channel == 1) {
        AddInput(rows, block, 1, kClassicFields, 1180, 1, 0);
      } else {
        AddInput(rows, block, 0, kClassicFields, 1177, 1, 0);
        AddInput(rows, block, 2, kClassicFields, 1183, 1, 0);
      }
      break;
    case AdcFamily::Sigma:
      if (channel == 1) {
        AddInput(rows, block, 1, kSigmaFields, kSigmaRowTexts, 1, 2);
      } else {
        AddInput(rows, block, 0, kSigmaFields, kSigmaRowTexts, 1, 1);
        AddInput(rows, block, 2, kSigmaFields, kSigmaRowTexts, 1, 3);
      }
      break;
    case AdcFamily::Model9:
      if (channel != 1) break;
      rows.push_back({{block, 0, AdcField::Gain}, 1230, 0});
      rows.push_back({{block, 0, AdcField::Clock}, 1231, 0});
      rows.push_back({{block, 0, AdcField::Rate}, 1234, 0});
      rows.push_back({{block, 0, AdcField::Range}, 1235, 0});
      rows.push_back({{block, 0, AdcField::Buffer}, 1236, 0});
      rows.push_back({{block, 0, AdcField::FilterSync}, kFilterSyncRowText, 0});
      break;
  }
}

}  // namespace

AdcFamily AdcFamilyOf(int model) {
  if (model == 16 || model == 18 || model == 20) return AdcFamily::Sigma;
  if (model == 9) return AdcFamily::Model9;
  return AdcFamily::Classic;
}

bool HasSecondAdcBlock(int model) {
  return model == 7 || model == 16 || model == 18;
}

int DecodeAdcSetting(const uint8_t* block, AdcFamily family, const AdcSetting& setting) {
  if (family == AdcFamily::Classic && setting.field == AdcField::Filter) {
    const int base = 3 * std::clamp(setting.input, 0, 2);
    return ((block[base + 1] & 0x0F) << 8) | block[base + 2];
  }
  const FieldBits f = BitsOf(family, setting);
  if (f.width == 0) return 0;
  return (block[f.byte] >> f.shift) & ((1 << f.width) - 1);
}

void EncodeAdcSetting(uint8_t* block, AdcFamily family, const AdcSetting& setting, int value) {
  if (family == AdcFamily::Classic && setting.field == AdcField::Filter) {
    const int base = 3 * std::clamp(setting.input, 0, 2);
    const int filter = std::clamp(value, kFilterMin, kFilterMax);
    block[base + 1] = static_cast<uint8_t>((block[base + 1] & 0xF0) | (filter >> 8));
    block[base + 2] = static_cast<uint8_t>(filter & 0xFF);
    return;
  }
  const FieldBits f = BitsOf(family, setting);
  if (f.width == 0) return;
  const int mask = ((1 << f.width) - 1) << f.shift;
  const int bits = (std::clamp(value, 0, (1 << f.width) - 1) << f.shift) & mask;
  int byte = (block[f.byte] & ~mask) | bits;
  if (family == AdcFamily::Classic && setting.field == AdcField::Polarity)
    byte |= setting.block == AdcBlock::Main ? 0xC0 : 0x80;
  block[f.byte] = static_cast<uint8_t>(byte);
}

std::vector<AdcChoice> AdcChoices(AdcFamily family, AdcField field) {
  switch (family) {
    case AdcFamily::Sigma:
      switch (field) {
        case AdcField::Gain:
          return Literals({"1 ", "2 ", "4 ", "8 ", "16 ", "32 ", "64 ", "128"});
        case AdcField::Rate:
          return Literals({"15  ", "7.5 ", "3.75", "Fosc/128"});
        case AdcField::Range:
          return Texts(1650);
        case AdcField::Buffer:
          return Texts(1654);
        case AdcField::ClockDivider:
          return Literals({"Fosc/128", "Fosc/256"});
        case AdcField::Polarity:
          return Texts(1660);
        default:
          return {};
      }
    case AdcFamily::Model9:
      switch (field) {
        case AdcField::Gain:
          return Literals({"1 ", "2 ", "32 ", "128"});
        case AdcField::Clock:
          return Literals({"1 МГц   ", "2.4576 МГц"});
        case AdcField::Rate:
          return Literals({"20 Гц", "25 Гц", "100 Гц", "200 Гц", "50 Гц", "60 Гц", "250 Гц", "500 Гц"});
        case AdcField::Range:
          return Texts(1650);
        case AdcField::Buffer:
          return Texts(1126);
        case AdcField::FilterSync:
          return Texts(1128);
        default:
          return {};
      }
    case AdcFamily::Classic:
      switch (field) {
        case AdcField::Gain:
          return Literals({"1", "2", "4", "8", "16", "32", "64", "128"});
        case AdcField::Polarity:
          return Texts(1660);
        default:
          return {};
      }
  }
  return {};
}

std::vector<AdcChoice> AdcChoicesToPick(AdcFamily family, AdcField field) {
  std::vector<AdcChoice> choices = AdcChoices(family, field);
  if (family == AdcFamily::Sigma && field == AdcField::Rate) choices.resize(3);
  return choices;
}

std::vector<AdcRow> AdcRows(int model, int selector) {
  const AdcFamily family = AdcFamilyOf(model);
  std::vector<AdcRow> rows;
  if (selector == 3) {
    for (int channel : {0, 1, 2}) {
      if (channel == 2 && !HasSecondAdcBlock(model)) continue;
      AddChannel(rows, family, model, channel);
    }
  } else if (selector >= 0 && selector <= 2) {
    AddChannel(rows, family, model, selector);
  }
  return rows;
}

std::string AdcValueText(const AdcBlocks& blocks, int model, const AdcSetting& setting,
                         const LanguageTexts& texts) {
  const AdcFamily family = AdcFamilyOf(model);
  const int value = DecodeAdcSetting(blocks.Of(setting.block), family, setting);
  if (family == AdcFamily::Classic && setting.field == AdcField::Filter) return std::to_string(value);
  const std::vector<AdcChoice> choices = AdcChoices(family, setting.field);
  if (value < 0 || value >= static_cast<int>(choices.size())) return std::to_string(value);
  return ChoiceText(choices[static_cast<size_t>(value)], texts);
}

std::string AdcRowText(const AdcBlocks& blocks, int model, const AdcRow& row, const LanguageTexts& texts) {
  const std::string value = AdcValueText(blocks, model, row.setting, texts);
  if (row.inputNumber != 0) return texts.FormatText(row.textId, {row.inputNumber, value});
  return texts.FormatText(row.textId, {value});
}

std::vector<std::string> AdcReportLines(const AdcBlocks& blocks, int model, bool differentialChannel,
                                        const LanguageTexts& texts) {
  std::vector<std::string> lines;
  auto add = [&](int textId, AdcBlock block, int input, AdcField field) {
    lines.push_back(texts.FormatText(textId, {AdcValueText(blocks, model, {block, input, field}, texts)}));
  };
  const AdcBlock main = AdcBlock::Main;
  switch (AdcFamilyOf(model)) {
    case AdcFamily::Sigma:
      if (model == 20) break;
      add(1623, main, 1, AdcField::Polarity);
      add(1618, main, 1, AdcField::ClockDivider);
      add(1613, main, 1, AdcField::Buffer);
      add(1603, main, 1, AdcField::Range);
      add(1598, main, 1, AdcField::Rate);
      add(1578, main, 1, AdcField::Gain);
      break;
    case AdcFamily::Model9:
      add(1627, main, 0, AdcField::Gain);
      add(1628, main, 0, AdcField::Clock);
      add(1629, main, 0, AdcField::Rate);
      add(1630, main, 0, AdcField::Range);
      add(1631, main, 0, AdcField::Buffer);
      add(1632, main, 0, AdcField::FilterSync);
      break;
    case AdcFamily::Classic: {
      lines.push_back(texts.Text(1574));
      int text = 1575;
      for (int input : {0, 1, 2})
        for (AdcField f : kClassicFields) add(text++, main, input, f);
      if (!differentialChannel) break;
      lines.push_back(texts.Text(1584));
      const AdcBlock second = HasSecondAdcBlock(model) ? AdcBlock::Second : AdcBlock::Main;
      text = 1585;
      for (int input : {0, 2})
        for (AdcField f : kClassicFields) add(text++, second, input, f);
      break;
    }
  }
  return lines;
}

}  // namespace ruvenset
