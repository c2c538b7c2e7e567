#pragma once
#include <cstdint>

namespace ruvenset {

// What the program knows about one model of flow computer, by its model code (types 10..14 are
// reported as 4..8 with the extended flag and share their rows).
struct DeviceModel {
  int type = 0;
  // Reports new-measurement markers (command 0x1D), so a reading is taken only when one changed.
  bool markers = false;
  // Wants its preambles inside the RTS hold on a keyed line.
  bool preambleInRts = false;
  // Keeps the RTS hold to the frame alone even when the preamble flag is set.
  bool rtsHoldWithoutPreambles = false;
  // Carries the reference HART transmitter on its own line.
  bool sharedLine = false;
  // Needs a 5 ms pause before every request.
  bool requestPause = false;
  // Takes the read-memory request one byte longer from this software version on (0: never).
  int longMemoryReadFrom = 0;
  // Keeps the characteristic constants at the newer address whatever its software version.
  bool newConstantsAddress = false;
  // Is not served by this program: the second line of the notice (0: served from version 20 on).
  int refusedText = 0;
  const char* refusedSuffix = "";
  // Shows the ADC code of a differential-pressure channel in the measuring window.
  bool diffPressureCode = false;
  // Sets the zero of its HART transmitters itself (not through a relayed command).
  bool zeroesDirectly = false;
  // Keeps the measurement parameters block (pauses and conversion counts).
  bool measurementBlock = false;
  // Keeps its ADC channel blocks per channel.
  bool splitAdcBlocks = false;
  // Has no ADC channel blocks.
  bool noAdcBlocks = false;
  // Keeps one Тос point for temperature.
  bool singleTos = false;
  // Offers no temperature procedures when its pipeline measures with upper and lower
  // differential-pressure sensors.
  bool noTemperatureWithSplitDiffPressure = false;
};

// The row of a model; a model the table does not name gets a plain row.
DeviceModel ModelOf(int type);

// The address of the characteristic constants block (24 bytes and 2 check bytes).
uint16_t CharacteristicConstantsAddress(int type, int version);

// Data bytes of the read-memory request: the address, the count, and one more for some models.
int MemoryReadDataSize(int type, int version);

}  // namespace ruvenset
