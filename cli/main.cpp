// tolvan-calc: checks and solves one design given on the command line, exactly as the window's
// Calculate does, and prints both solutions; or lists the cable catalogue, or the cables that
// can be the matching section for a load.
//
// Exit status: 0 solved; 1 a value refused, Zm too close to Zo, an arithmetic fault (the
// message box's text on stderr), a file that could not be read or written, or a frequency
// outside a measured load's range; 2 a missing input (its missing sentence) or a usage error
// (one line saying what is wrong).

#include <iostream>
#include <memory>
#include <string>

#include "cli/cable_choice.h"
#include "cli/catalogue_listing.h"
#include "cli/measured_input.h"
#include "cli/options.h"
#include "cli/run.h"
#include "engine/design_inputs.h"
#include "engine/touchstone.h"
#include "persist/cable_catalogue_file.h"
#include "persist/file_writer.h"

namespace {

using namespace tolvan;

// Exit status and the one line for stderr of a run that ends early.
struct Stop {
  int status;
  std::string line;
};

// Fills `inputs` from the options and the files they name: the cables' figures, the measured
// load's R and X at F. Returns why the run cannot go on, when it cannot.
std::optional<Stop> Prepare(const cli::Options& options,
                            const std::optional<CableCatalogue>& catalogue,
                            cli::RunInputs& inputs) {
  inputs.texts = options.texts;
  if (catalogue) {
    if (std::string unknown = cli::ChooseCables(*catalogue, options, inputs.cables, inputs.texts);
        !unknown.empty()) {
      return Stop{cli::kExitUsage, unknown};
    }
  }
  if (options.load) {
    TouchstoneRead read = ReadTouchstone(*options.load);
    if (!read.load) return Stop{cli::kExitRefused, read.error};
    inputs.measured =
        cli::MeasuredInput{*options.load, std::make_shared<const MeasuredLoad>(*read.load)};
    const std::span<const InputBox> wanted =
        options.advise ? std::span<const InputBox>(cli::kAdviceInputs) : kAllInputs;
    if (std::string outside =
            cli::PutMeasuredTexts(*inputs.measured->load, *options.load, wanted, inputs.texts);
        !outside.empty()) {
      return Stop{cli::kExitRefused, outside};
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  const cli::ParsedOptions parsed = cli::ParseOptions(argc, argv);
  switch (parsed.request) {
    case cli::Request::Help:
      std::cout << parsed.text;
      return 0;
    case cli::Request::Version:
      std::cout << "tolvan-calc " << TOLVAN_VERSION << "\n";
      return 0;
    case cli::Request::UsageError:
      std::cerr << "tolvan-calc: " << parsed.text << "\n";
      return cli::kExitUsage;
    case cli::Request::Run:
      break;
  }
  const cli::Options& options = parsed.options;

  std::optional<CableCatalogue> catalogue;
  if (options.cables || options.advise || options.feed_cable || options.match_cable) {
    const std::string file = cli::InstalledCataloguePath().string();
    CatalogueRead read = ReadCableCatalogue(file);
    if (!read.catalogue) {
      std::cerr << "tolvan-calc: " << read.error << "\n";
      return cli::kExitRefused;
    }
    if (options.cables) {
      if (options.json) {
        cli::WriteCatalogueJson(std::cout, *read.catalogue, file);
      } else {
        cli::WriteCatalogue(std::cout, *read.catalogue, file);
      }
      return 0;
    }
    catalogue = std::move(read.catalogue);
  }

  cli::RunInputs inputs;
  if (const std::optional<Stop> stop = Prepare(options, catalogue, inputs)) {
    std::cerr << "tolvan-calc: " << stop->line << "\n";
    return stop->status;
  }
  return options.advise ? cli::RunAdvice(options, inputs, *catalogue)
                        : cli::RunDesign(options, inputs);
}
