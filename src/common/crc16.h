#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final XOR.
// Frames, flow computer memory blocks and calibration files carry it low byte first.
uint16_t Crc16Modbus(const uint8_t* data, size_t size);

// Appends nothing: stores the CRC of data[0 .. size) at data[size] (low) and data[size + 1] (high).
void StoreCrc16(uint8_t* data, size_t size);

// True when data[size], data[size + 1] hold the CRC of data[0 .. size), low byte first.
bool Crc16Matches(const uint8_t* data, size_t size);

}  // namespace ruvenset
