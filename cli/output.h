#pragma once

#include <ostream>

#include "engine/design_result.h"

namespace tolvan::cli {

// Both solutions as a table: Line-2 and Line-1 in wavelengths and centimetres, three decimals
// with a point, as the window's labels show them.
void WriteTable(std::ostream& out, const DesignResult& result);

// Both solutions as one JSON object; every number is the stored single printed with 9
// significant digits, so that it reads back exactly.
void WriteJson(std::ostream& out, const DesignResult& result);

}  // namespace tolvan::cli
