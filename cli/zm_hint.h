#pragma once

#include <string>

#include "engine/feasibility.h"

namespace tolvan::cli {

// The line under "Value Zm is too close to Zo" naming the Zm that would match the load, each
// bound with four significant digits at any magnitude, rounded away from the refused window
// (the lower bound down, the upper one up) so that every Zm the line names would match.
std::string ZmHint(const ZmWindow& window);

}  // namespace tolvan::cli
