#pragma once
// tolvan-calc: the command-line front end on the design engine, for scripting and for checking
// a design without a display.

#include <map>
#include <optional>
#include <string>

#include "engine/screen.h"

namespace tolvan::cli {

// A length unit for the physical lengths.
struct LengthUnit {
  std::string name;  // cm, m, in or ft
  double per_cm;     // how many of the unit make one centimetre
};

struct Options {
  std::map<InputBox, std::string> texts;  // the value given to each input option, as typed
  bool json = false;
  bool help = false;
  bool version = false;
  LengthUnit unit{"cm", 1};
  std::optional<double> sweep_percent;  // --sweep: ± this many percent of F
  std::optional<int> points;            // --points: samples in the sweep and the chart
  std::optional<std::string> plot;      // --plot: the SVG chart's file
  std::optional<std::string> report;    // --report: the text report's file
  std::string comment;                  // --comment: the report's comment
};

struct ParsedOptions {
  std::optional<Options> options;
  std::string error;  // why the command line was not understood, when options is empty
};

// Reads the command line. "--name value" and "--name=value" both work; a value may begin with
// "-" (a negative number), but not with "--". An input option without a value holds the empty
// text, which the calculation treats as missing. --sweep takes its span only as --sweep=SPAN.
ParsedOptions ParseOptions(int argc, const char* const* argv);

std::string UsageText();

}  // namespace tolvan::cli
