#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ruvenset {

// The flow computer stores text in code page 866; the program works in code page 1251 and shows
// Unicode. The device steps move only the Cyrillic letters, exactly as the flow computer expects:
// 866 -> 1251: 0x80..0xAF gain 0x40, 0xE0..0xEF gain 0x10; 1251 -> 866: 0xC0..0xEF lose 0x40,
// 0xF0..0xFF lose 0x10. Every other byte (Ё and ё among them) passes unchanged.
uint8_t Cp866ToCp1251(uint8_t byte);
uint8_t Cp1251ToCp866(uint8_t byte);

// Code page 1251 <-> UTF-8. A character with no 1251 form becomes '?'.
std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);
// Whether the text is well-formed UTF-8 by the shape of its sequences (lead byte, then continuation bytes).
bool IsUtf8(std::string_view text);

// Device text (866, zero-terminated within at most maxBytes) as UTF-8.
std::string DeviceTextToUtf8(const uint8_t* bytes, size_t maxBytes);

}  // namespace ruvenset
