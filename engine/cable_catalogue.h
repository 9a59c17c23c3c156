#pragma once
// The catalogue of feed lines a transformer can be cut from: impedance, velocity factor and
// matched-loss model of each, with how sure each figure is and where it comes from. The
// figures live in a data file (persist/cable_catalogue_file.h reads it).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_loss.h"
#include "engine/transformer.h"

namespace tolvan {

// How sure a figure is; the letter is the catalogue's tag.
enum class Certainty : char {
  Read = 'A',      // read in a named source
  Derived = 'B',   // derived from physics or by scaling: an estimate
  Recalled = 'C',  // recalled from a data sheet that could not be read: check it
};

// A matched loss a source publishes, in dB per 100 ft at `mhz`.
struct PublishedLoss {
  double mhz = 0;
  double db_per_100ft = 0;
  std::string source;  // a source id, such as "S2"
};

struct Cable {
  std::string name;                  // as listed, "RG-213/U"
  std::vector<std::string> aliases;  // other names it is found by, "RG-213"
  double impedance = 0;              // ohms
  Certainty impedance_certainty = Certainty::Read;
  double velocity_factor = 0;  // fraction, 0 to 1
  Certainty velocity_factor_certainty = Certainty::Read;
  LineLoss loss;
  Certainty loss_certainty = Certainty::Read;
  std::vector<PublishedLoss> points;       // the published points the loss model was fitted to
  std::optional<double> max_fit_error_db;  // the fit's largest miss over `points`, dB per 100 ft
  bool pairs = false;                // two identical lines in parallel are a recognised use of it
  bool paralleled = false;           // this entry is such a pair
  std::vector<std::string> sources;  // source ids
  std::string notes;                 // cautions, such as "measure VF"

  LineKind Kind() const { return {impedance, velocity_factor, loss}; }
};

// Two identical lines joined at both ends: half the impedance, the same velocity factor and
// the same loss per length. Named "2x <name>".
Cable ParallelPair(const Cable& single);

struct CableSource {
  std::string id;    // "S1"
  std::string text;  // author, title, where to find it
};

struct CableLookup {
  std::optional<Cable> cable;            // the cable found
  std::vector<std::string> close_names;  // when none was found: names that come close
};

class CableCatalogue {
 public:
  CableCatalogue(std::vector<Cable> cables, std::vector<CableSource> sources);

  const std::vector<Cable>& cables() const { return cables_; }
  const std::vector<CableSource>& sources() const { return sources_; }

  // The single cables in catalogue order, each that pairs followed by its parallel pair.
  const std::vector<Cable>& Candidates() const { return candidates_; }

  // A candidate by its name or an alias, ignoring case, blanks and punctuation ("rg213" finds
  // RG-213/U, "2 x RG-6" the pair of RG-6/U). When none matches, the names that come close:
  // those that begin with what was typed or lie within a few typing errors of it.
  CableLookup Find(std::string_view name) const;

 private:
  std::vector<Cable> cables_;
  std::vector<CableSource> sources_;
  std::vector<Cable> candidates_;
};

// 'No cable "RG58X" in the catalogue; close names: RG-58/U, RG-8X.' or, with none close,
// 'No cable "foo" in the catalogue.'
std::string UnknownCableMessage(std::string_view name, const std::vector<std::string>& close_names);

}  // namespace tolvan
