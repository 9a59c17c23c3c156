#pragma once
// The design engine: turns the texts of the seven input boxes into a design record, solves the
// series-section transformer for both solutions and writes the result labels. Standard C++
// only; it reaches the screen through the small interfaces of engine/screen.h.

namespace tolvan {

// The seven values of one calculation, in single precision as they were checked.
struct DesignRecord {
  float F = 0;    // operating frequency, MHz; > 0
  float Zo = 0;   // feed-line impedance, also Line-1's, ohms; > 0
  float Zm = 0;   // matching-line (Line-2) impedance, ohms; > 0 and not equal to Zo
  float R = 0;    // load resistance, ohms; > 0
  float X = 0;    // load reactance, ohms; negative for a capacitive load
  float VFo = 0;  // feed-line velocity factor as a fraction (89 % is 0.89); > 0
  float VFm = 0;  // matching-line velocity factor as a fraction; not 0, may be negative
};

}  // namespace tolvan
