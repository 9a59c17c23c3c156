#pragma once
// What tolvan-calc does once its options are read and the files they name are loaded: solve one
// design, or list the cables that can be its matching section.

#include <array>
#include <map>
#include <optional>
#include <string>

#include "cli/cable_choice.h"
#include "cli/design_additions.h"
#include "cli/options.h"
#include "engine/cable_catalogue.h"

namespace tolvan::cli {

inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The inputs the advisor reads, all but those of the matching line, which it chooses.
inline constexpr std::array<InputBox, 5> kAdviceInputs{InputBox::Zo, InputBox::Rl, InputBox::Xl,
                                                       InputBox::Freq, InputBox::VF0};

struct RunInputs {
  std::map<InputBox, std::string> texts;  // the boxes' texts: options, cables, measured load
  CableChoice cables;
  std::optional<MeasuredInput> measured;  // --load
};

// Checks and solves the design as the window's Calculate does and prints it with its analysis,
// writing the files asked for. Returns the exit status.
int RunDesign(const Options& options, const RunInputs& inputs);

// Checks the inputs the advisor needs and prints every candidate cable of `catalogue` that can
// be Line-2 for the load. Returns the exit status.
int RunAdvice(const Options& options, const RunInputs& inputs, const CableCatalogue& catalogue);

}  // namespace tolvan::cli
