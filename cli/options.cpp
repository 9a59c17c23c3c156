#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

#include "cli/option_checks.h"
#include "engine/cut_tolerance.h"

namespace tolvan::cli {
namespace {

struct InputOption {
  const char* name;
  InputBox box;
  const char* value_name;
  const char* help;
};

// In the order in which the calculation asks for them.
constexpr std::array<InputOption, 7> kInputOptions{{
    {"--zo", InputBox::Zo, "OHMS", "feed-line impedance, also Line-1's"},
    {"--zm", InputBox::Zm, "OHMS", "matching-line (Line-2) impedance"},
    {"--r", InputBox::Rl, "OHMS", "load resistance"},
    {"--x", InputBox::Xl, "OHMS", "load reactance, negative for a capacitive load"},
    {"--freq", InputBox::Freq, "MHZ", "operating frequency"},
    {"--vf-feed", InputBox::VF0, "PERCENT", "feed-line velocity factor"},
    {"--vf-match", InputBox::VF1, "PERCENT", "matching-line velocity factor"},
}};

constexpr double kDefaultSweepPercent = 10;

const char* const kFooter =
    "The feed line (Zo) runs to Line-2 (Zm), then Line-1 (Zo), then the load R + jX.\n"
    "Values are read as the Tolvan window reads its boxes; the point is the decimal separator.\n"
    "Every solved design is also checked at F (SWR 1.00 for a correct match), with each\n"
    "solution's 1.5:1 and 2:1 bandwidths, taking the lines as lossless and the load as constant.\n"
    "\n"
    "With --load the load is the measured one, at F and at every frequency the file covers;\n"
    "--r and --x are left out. A cable named for a section makes it lossy (its impedance\n"
    "taken as real): the output adds the SWR at F with losses, the transformer's loss, and\n"
    "lengths refined so that the lossy transformer matches exactly, which the check around F\n"
    "then uses. --zo, --zm, --vf-feed and --vf-match given beside a cable override its\n"
    "figures. Cable names ignore case and punctuation; \"2x RG-6/U\" is two RG-6/U in\n"
    "parallel where the catalogue allows it. --tolerance adds the cut accuracy each section\n"
    "needs to keep the SWR at F at or below 1.1. --advise takes no --zm, --vf-match or\n"
    "--match-cable: it lists every catalogue cable that can be Line-2, shortest first.\n"
    "\n"
    "The report's numbers use the separators of the locale (LC_ALL, LC_NUMERIC, LANG), as the\n"
    "window's report does; the tables and the JSON always use a point and no grouping.\n"
    "\n"
    "Exit status: 0 solved, 1 a value refused, the design impossible, a file not read or not\n"
    "written, or F outside a measured load's range, 2 a missing value or a usage error.";

// A rule between options, checked once the command line is read.
struct Rule {
  std::function<bool(const Options&)> broken;
  const char* message;
};

// Both names lead to one file, through symbolic links and "..", whether or not it exists yet.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error_a, error_b;
  const auto canonical_a = std::filesystem::weakly_canonical(a, error_a);
  const auto canonical_b = std::filesystem::weakly_canonical(b, error_b);
  return !error_a && !error_b && canonical_a == canonical_b;
}

// An option that makes others pointless: "--r does nothing with --load, which gives R and X".
struct Excludes {
  const char* option;
  std::vector<std::string> others;  // empty: every other option but --json
  const char* because;
};

const std::array<Excludes, 4> kExcludes{{
    {"--load", {"--r", "--x"}, "which gives R and X"},
    {"--advise", {"--zm", "--vf-match", "--match-cable"}, "which chooses the matching line"},
    {"--advise",
     {"--sweep", "--points", "--plot", "--report", "--comment", "--tolerance"},
     "which lists cables rather than one design"},
    {"--cables", {}, "which only lists the catalogue"},
}};

// The first option given that another given option makes pointless, said in one line.
std::string Pointless(const std::vector<std::string>& given) {
  const auto was_given = [&](const std::string& name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  for (const Excludes& rule : kExcludes) {
    if (!was_given(rule.option)) continue;
    for (const std::string& name : given) {
      const bool excluded = rule.others.empty() ? name != rule.option && name != "--json"
                                                : std::find(rule.others.begin(), rule.others.end(),
                                                            name) != rule.others.end();
      if (excluded) return name + " does nothing with " + rule.option + ", " + rule.because;
    }
  }
  return {};
}

const std::array<Rule, 3> kRules{{
    {[](const Options& o) { return o.points && !o.sweep_percent && !o.plot; },
     "--points needs --sweep or --plot"},
    {[](const Options& o) { return o.comment && !o.report; }, "--comment needs --report"},
    {[](const Options& o) { return o.plot && o.report && SameFile(*o.plot, *o.report); },
     "--plot and --report name the same file"},
}};

// The usage line names the seven inputs, which the generated "[OPTIONS]" would hide.
class HelpFormatter final : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override {
    std::string usage = "Usage: tolvan-calc";
    std::string advice = "       tolvan-calc --advise";
    for (const InputOption& input : kInputOptions) {
      const std::string option = std::string(" ") + input.name + " " + input.value_name;
      usage += option;
      if (input.box != InputBox::Zm && input.box != InputBox::VF1) advice += option;
    }
    return usage + " [OPTIONS]\n" + advice + " [OPTIONS]\n       tolvan-calc --cables [--json]\n";
  }
};

const LengthUnit& UnitNamed(const std::string& name) {
  const auto& units = LengthUnits();
  const auto found = std::find_if(units.begin(), units.end(),
                                  [&](const LengthUnit& unit) { return unit.name == name; });
  return found == units.end() ? units.front() : *found;
}

// Every option of tolvan-calc, declared here and nowhere else: its name, the name of its value,
// its help, its check and what it sets in `options` when given (checks run first). Options
// whose value may not be left out go into `needs_value`.
void Declare(CLI::App& app, Options& options, std::vector<CLI::Option*>& needs_value) {
  using Set = std::function<void(const std::string&)>;
  const auto optional_value = [&](const char* name, const char* value_name, const char* help,
                                  Set set) {
    CLI::Option* option = app.add_option_function<std::string>(name, std::move(set), help);
    return option->expected(0, 1)->type_name(value_name);
  };
  const auto value = [&](const char* name, const char* value_name, const char* help, Set set) {
    CLI::Option* option = optional_value(name, value_name, help, std::move(set));
    needs_value.push_back(option);
    return option;
  };

  // An input left without a value is missing, as an empty box is.
  for (const InputOption& input : kInputOptions) {
    optional_value(
        input.name, input.value_name, input.help,
        [&options, box = input.box](const std::string& text) { options.texts[box] = text; });
  }
  std::vector<std::string> unit_names;
  for (const LengthUnit& unit : LengthUnits()) unit_names.push_back(unit.name);
  value("--units", "cm|m|in|ft", "unit of the physical lengths (default cm)",
        [&](const std::string& name) { options.unit = UnitNamed(name); })
      ->check(OneOf(unit_names));
  optional_value("--sweep", "[=SPAN]", "also a table of SWR over F ± SPAN percent (default 10)",
                 [&](const std::string& span) {
                   options.sweep_percent = StrictNumber(span).value_or(kDefaultSweepPercent);
                 })
      ->check(NumberFrom(0.001, 100, "percent"));
  value("--points", "N", "samples in the sweep (default 41) and the chart (401)",
        [&](const std::string& points) {
          options.points = static_cast<int>(StrictNumber(points).value_or(0));
        })
      ->check(WholeNumber(2, 100000));
  value("--plot", "FILE.svg", "an SVG chart of SWR against frequency",
        [&](const std::string& file) { options.plot = file; });
  value("--report", "FILE", "the text report, as the window's Save Results writes it",
        [&](const std::string& file) { options.report = file; });
  optional_value("--comment", "TEXT", "the report's comment",
                 [&](const std::string& text) { options.comment = text; });
  app.add_flag_callback(
      "--json", [&] { options.json = true; }, "print one JSON object instead of the tables");
  value("--load", "FILE.s1p", "R and X at F, and the load around F, from a .s1p file",
        [&](const std::string& file) { options.load = file; });
  value("--feed-cable", "NAME", "the feed line's and Line-1's cable: Zo, VF, loss",
        [&](const std::string& name) { options.feed_cable = name; });
  value("--match-cable", "NAME", "Line-2's cable: Zm, VF, loss",
        [&](const std::string& name) { options.match_cable = name; });
  optional_value("--tolerance", "[=MM]", "also the SWR at F with a section cut 1 % or MM (5) off",
                 [&](const std::string& mm) {
                   options.tolerance_mm = StrictNumber(mm).value_or(kDefaultCutErrorMm);
                 })
      ->check(NumberFrom(0.01, 1000, "mm"));
  app.add_flag_callback(
      "--advise", [&] { options.advise = true; },
      "list the cables that can be Line-2 for this load");
  app.add_flag_callback(
      "--cables", [&] { options.cables = true; }, "list the cable catalogue");
}

// The arguments as CLI11 is to see them. A value that begins with a single "-" is joined to its
// option ("--x -.5" becomes "--x=-.5"), since CLI11 would take it for an unknown short option,
// and "--x=" is given its empty value explicitly.
// Returns why the command line is refused before CLI11 reads it: an option given twice, or a
// value given to a flag. `given` receives the names of the options given, in their order.
std::string Normalise(const CLI::App& app, int argc, const char* const* argv,
                      std::vector<std::string>& arguments, std::vector<std::string>& given) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::string name = argument.substr(0, argument.find('='));
    const CLI::Option* option = name.starts_with("--") ? app.get_option_no_throw(name) : nullptr;
    if (option == nullptr) {
      arguments.push_back(argument);
      continue;
    }
    if (std::find(given.begin(), given.end(), name) != given.end()) {
      return name + " is given more than once";
    }
    given.push_back(name);
    const bool takes_value = option->get_expected_max() > 0;
    if (!takes_value && name != argument) return name + " takes no value";
    if (takes_value && name == argument && i + 1 < argc && argv[i + 1][0] == '-' &&
        argv[i + 1][1] != '-') {
      arguments.push_back(argument + "=" + argv[++i]);
    } else if (takes_value && argument.size() == name.size() + 1) {
      // "--zo=" gives the empty value; CLI11 would take the next argument instead.
      arguments.push_back(name);
      arguments.emplace_back();
    } else {
      arguments.push_back(argument);
    }
  }
  return {};
}

ParsedOptions UsageError(std::string what) { return {Request::UsageError, {}, std::move(what)}; }

// The first argument that is not an option of ours, as the reason to stop.
std::string Unexpected(const std::string& argument) {
  if (argument.starts_with("--") && argument.size() > 2) {
    return "unknown option '" + argument.substr(0, argument.find('=')) + "'";
  }
  return "unexpected argument '" + argument + "'";
}

}  // namespace

const std::vector<LengthUnit>& LengthUnits() {
  static const std::vector<LengthUnit> units{
      {"cm", 1}, {"m", 0.01}, {"in", 1 / 2.54}, {"ft", 1 / 30.48}};
  return units;
}

ParsedOptions ParseOptions(int argc, const char* const* argv) {
  CLI::App app("tolvan-calc: designs a series-section matching transformer", "tolvan-calc");
  app.set_help_flag();
  app.allow_extras();
  app.formatter(std::make_shared<HelpFormatter>());
  app.footer(kFooter);
  Options options;
  std::vector<CLI::Option*> needs_value;
  Declare(app, options, needs_value);
  bool help = false;
  bool version = false;
  app.add_flag("--help", help, "this text");
  app.add_flag("--version", version, "the version");

  std::vector<std::string> arguments;
  if (std::string refused = Normalise(app, argc, argv, arguments, options.given);
      !refused.empty()) {
    return UsageError(refused);
  }
  try {
    std::reverse(arguments.begin(), arguments.end());  // the order CLI11 takes a vector in
    app.parse(arguments);
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what());
  }
  if (help) return {Request::Help, {}, app.help()};
  if (version) return {Request::Version, {}, {}};
  if (!app.remaining().empty()) return UsageError(Unexpected(app.remaining().front()));
  for (const CLI::Option* option : needs_value) {
    if (option->count() > 0 && (option->results().empty() || option->results().front().empty())) {
      return UsageError(option->get_name() + " needs a value (" + option->get_type_name() + ")");
    }
  }
  if (std::string pointless = Pointless(options.given); !pointless.empty()) {
    return UsageError(pointless);
  }
  for (const Rule& rule : kRules) {
    if (rule.broken(options)) return UsageError(rule.message);
  }
  return {Request::Run, std::move(options), {}};
}

}  // namespace tolvan::cli
