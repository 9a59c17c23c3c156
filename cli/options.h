#pragma once
// tolvan-calc: the command-line front end on the design engine, for scripting and for checking
// a design without a display.

#include <map>
#include <optional>
#include <string>

#include "engine/screen.h"

namespace tolvan::cli {

struct Options {
  std::map<InputBox, std::string> texts;  // the value given to each input option, as typed
  bool json = false;
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  std::optional<Options> options;
  std::string error;  // why the command line was not understood, when options is empty
};

// Reads the command line. "--name value" and "--name=value" both work; a value may begin with
// "-" (a negative number), but not with "--". An input option without a value holds the empty
// text, which the calculation treats as missing.
ParsedOptions ParseOptions(int argc, const char* const* argv);

std::string UsageText();

}  // namespace tolvan::cli
