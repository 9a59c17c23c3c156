#pragma once
// tolvan-calc: the command-line front end on the design engine, for scripting and for checking
// a design without a display.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/screen.h"

namespace tolvan::cli {

// A length unit for the physical lengths.
struct LengthUnit {
  std::string name;  // cm, m, in or ft
  double per_cm;     // how many of the unit make one centimetre
};

// Every unit that --units takes, centimetres first.
const std::vector<LengthUnit>& LengthUnits();

struct Options {
  std::map<InputBox, std::string> texts;  // the value given to each input option, as typed
  bool json = false;
  LengthUnit unit = LengthUnits().front();
  std::optional<double> sweep_percent;     // --sweep: ± this many percent of F
  std::optional<int> points;               // --points: samples in the sweep and the chart
  std::optional<std::string> plot;         // --plot: the SVG chart's file
  std::optional<std::string> report;       // --report: the text report's file
  std::optional<std::string> comment;      // --comment: the report's comment
  std::optional<std::string> load;         // --load: the Touchstone file that gives R and X
  std::optional<std::string> feed_cable;   // --feed-cable: the feed line's and Line-1's cable
  std::optional<std::string> match_cable;  // --match-cable: Line-2's cable
  std::optional<double> tolerance_mm;      // --tolerance: the cut error, mm
  bool cables = false;                     // --cables: list the cable catalogue
  bool advise = false;                     // --advise: list the cables that can be Line-2
  std::vector<std::string> given;          // the options given, by name ("--zo")
};

enum class Request { Run, Help, Version, UsageError };

struct ParsedOptions {
  Request request = Request::Run;
  Options options;   // complete when the request is Run
  std::string text;  // Help: the help text; UsageError: one line saying what is wrong
};

// Reads the command line. "--name value" and "--name=value" both work, and a value may begin
// with a single "-" ("--x -3.5", "--x -.5"). An input option without a value holds the empty
// text, which the calculation treats as missing. Every other malformed, unknown, repeated or
// pointless option is a usage error: a value out of its range, --points without --sweep or
// --plot, --comment without --report, --plot and --report naming one file, --r or --x with
// --load, an option that --advise or --cables does not use.
ParsedOptions ParseOptions(int argc, const char* const* argv);

}  // namespace tolvan::cli
