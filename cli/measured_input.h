#pragma once
// --load: the measured load's R and X at F, given to the calculation as the texts of the R and
// X boxes, so that the window's checks and the solver see them as typed values.

#include <map>
#include <span>
#include <string>

#include "engine/measured_load.h"
#include "engine/screen.h"

namespace tolvan::cli {

// Puts into `texts` R and X of `load` at the frequency that the Freq box gives, in the
// shortest digits that read back as the same double, when the inputs before R and F itself pass
// Calculate's checks (of those in `wanted`). Otherwise puts placeholders that R's and X's
// checks accept, so that the calculation stops where, and in the words, it would without
// --load. Returns the error line when F passes but the load is not known there, naming the file
// as `file`; empty otherwise.
std::string PutMeasuredTexts(const MeasuredLoad& load, const std::string& file,
                             std::span<const InputBox> wanted,
                             std::map<InputBox, std::string>& texts);

}  // namespace tolvan::cli
