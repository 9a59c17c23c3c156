#include "cli/options.h"

#include <array>
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

const InputOption* FindInputOption(std::string_view name) {
  for (const InputOption& option : kInputOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool StartsWithDoubleDash(std::string_view text) { return text.substr(0, 2) == "--"; }

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

    if (const InputOption* input = FindInputOption(name)) {
      std::string value;
      if (equals != std::string_view::npos) {
        value = std::string(argument.substr(equals + 1));
      } else if (i + 1 < argc && !StartsWithDoubleDash(argv[i + 1])) {
        value = argv[++i];
      }
      options.texts[input->box] = value;
      continue;
    }
    if (equals != std::string_view::npos) {
      return {std::nullopt, "option '" + std::string(name) + "' takes no value"};
    }
    if (name == "--json") {
      options.json = true;
    } else if (name == "--help") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else {
      return {std::nullopt, "unknown option '" + std::string(name) + "'"};
    }
  }
  return {options, ""};
}

}  // namespace tolvan::cli
