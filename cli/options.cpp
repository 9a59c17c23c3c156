#include "cli/options.h"

#include <array>
#include <charconv>
#include <string_view>

namespace tolvan::cli {
namespace {

struct InputOption {
  std::string_view name;
  InputBox box;
};

constexpr std::array<InputOption, 7> kInputOptions{{
    {"--freq", InputBox::Freq},
    {"--zo", InputBox::Zo},
    {"--zm", InputBox::Zm},
    {"--r", InputBox::Rl},
    {"--x", InputBox::Xl},
    {"--vf-feed", InputBox::VF0},
    {"--vf-match", InputBox::VF1},
}};

const std::array<LengthUnit, 4> kUnits{
    {{"cm", 1}, {"m", 0.01}, {"in", 1 / 2.54}, {"ft", 1 / 30.48}}};

const InputOption* FindInputOption(std::string_view name) {
  for (const InputOption& option : kInputOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool StartsWithDoubleDash(std::string_view text) { return text.substr(0, 2) == "--"; }

template <typename Number>
std::optional<Number> Parse(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool TakesValue(std::string_view name) {
  return name == "--points" || name == "--plot" || name == "--units" || name == "--report" ||
         name == "--comment";
}

// Sets an option that is not an input; returns why the value was not accepted, or empty.
std::string SetOption(Options& options, std::string_view name, const std::string& value,
                      bool has_value) {
  if (name == "--points") {
    const auto points = Parse<int>(value);
    if (!points || *points < 2 || *points > 100000)
      return "--points takes a whole number from 2 to 100000";
    options.points = *points;
  } else if (name == "--plot") {
    if (value.empty()) return "--plot takes a file name";
    options.plot = value;
  } else if (name == "--report") {
    if (value.empty()) return "--report takes a file name";
    options.report = value;
  } else if (name == "--comment") {
    options.comment = value;
  } else if (name == "--units") {
    for (const LengthUnit& unit : kUnits) {
      if (unit.name == value) {
        options.unit = unit;
        return {};
      }
    }
    return "--units takes cm, m, in or ft";
  } else if (name == "--sweep") {
    if (!has_value) {
      options.sweep_percent = 10;
      return {};
    }
    const auto span = Parse<double>(value);
    if (!span || !(*span > 0 && *span < 100))
      return "--sweep takes a span in percent, above 0 and below 100";
    options.sweep_percent = *span;
  } else if (has_value) {
    return "option '" + std::string(name) + "' takes no value";
  } else if (name == "--json") {
    options.json = true;
  } else if (name == "--help") {
    options.help = true;
  } else if (name == "--version") {
    options.version = true;
  } else {
    return "unknown option '" + std::string(name) + "'";
  }
  return {};
}

}  // namespace

std::string UsageText() {
  return "usage: tolvan-calc --freq MHZ --zo OHMS --zm OHMS --r OHMS --x OHMS"
         " --vf-feed PERCENT --vf-match PERCENT [--json]\n"
         "       tolvan-calc --help | --version\n";
}

ParsedOptions ParseOptions(int argc, const char* const* argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!StartsWithDoubleDash(argument)) {
      return {std::nullopt, "unexpected argument '" + std::string(argument) + "'"};
    }
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const bool joined = equals != std::string_view::npos;

    std::string value;
    bool has_value = joined;
    if (joined) {
      value = std::string(argument.substr(equals + 1));
    } else if ((FindInputOption(name) != nullptr || TakesValue(name)) && i + 1 < argc &&
               !StartsWithDoubleDash(argv[i + 1])) {
      value = argv[++i];
      has_value = true;
    }

    if (const InputOption* input = FindInputOption(name)) {
      options.texts[input->box] = value;
      continue;
    }
    if (TakesValue(name) && !has_value) {
      return {std::nullopt, "option '" + std::string(name) + "' needs a value"};
    }
    if (std::string error = SetOption(options, name, value, has_value); !error.empty()) {
      return {std::nullopt, error};
    }
  }
  return {options, ""};
}

}  // namespace tolvan::cli
