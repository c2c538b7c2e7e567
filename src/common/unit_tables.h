#pragma once
#include <cstddef>

namespace ruvenset {

// Pressure units of the unit lists, in list order: kgf/cm2, MPa, kPa, m H2O, psi, bar, mm Hg, mbar.
inline constexpr int kPressureUnitCount = 8;
// Differential-pressure units, in list order: kgf/m2, kPa, mm H2O, cm H2O, in H2O, psi, mbar, bar, kgf/cm2.
inline constexpr int kDiffPressureUnitCount = 9;
// The flow computer measures pressure in kgf/cm2 (code 0) or MPa (code 1), differential pressure in
// kgf/m2 (code 0) or kPa (code 1).
inline constexpr int kDeviceUnitCount = 2;

// Value in the chosen unit = value in the flow computer's unit x factor. A device unit code outside
// 0..1 or a chosen index outside the list gives 1.0, so a damaged configuration block never reads
// past a table.
float PressureUnitFactor(int deviceUnit, int chosenUnit);
float DiffPressureUnitFactor(int deviceUnit, int chosenUnit);

// Admissible atmospheric (barometric) pressure in a pressure unit of the list.
struct ValueRange {
  float min;
  float max;
};
ValueRange AtmosphericPressureRange(int pressureUnit);

// A HART reference reading in the transmitter's unit -> the flow computer's unit. hartUnit is the
// unit code mapped from the HART unit code: pressure 0 kgf/cm2, 1 MPa, 2 kPa, 3 psi, 4 bar;
// differential pressure 0 mm H2O, 1 kPa, 2 in H2O, 3 psi, 4 bar, 5 kgf/cm2.
float HartPressureFactor(int hartUnit, int deviceUnit);
float HartDiffPressureFactor(int hartUnit, int deviceUnit);
// The HART unit code of a transmitter reply mapped to the unit code above, or -1 when unknown.
int MapHartPressureUnit(int hartUnitCode);
int MapHartDiffPressureUnit(int hartUnitCode);

// Factor for showing a verification data record recorded in unit `recordUnit` in unit `shownUnit`
// (channel 0 pressure: 0 kgf/cm2, 1 MPa; channel 2 differential pressure: 0 kgf/m2, 1 kPa; other
// channels: temperature, always 1).
float RecordUnitFactor(int channel, int shownUnit, int recordUnit);

}  // namespace ruvenset
