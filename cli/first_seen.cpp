#include "cli/first_seen.h"

#include "engine/label_format.h"
#include "engine/solver.h"

namespace tolvan::cli {
namespace {

// Keeps what each label would show: every pass writes the same four, so the second pass's
// values are the ones left, each cut as the label writer cuts it.
class LastShown final : public SolverObserver {
 public:
  void Stored(LengthLabel label, double value) override {
    const double shown = ReduceTo15Digits(value);
    switch (label) {
      case LengthLabel::Line1Wl:
        lengths.wl[kLine1] = shown;
        break;
      case LengthLabel::Line2Wl:
        lengths.wl[kLine2] = shown;
        break;
      case LengthLabel::Line1Cm:
        lengths.cm[kLine1] = shown;
        break;
      case LengthLabel::Line2Cm:
        lengths.cm[kLine2] = shown;
        break;
    }
  }
  ShownLengths lengths;
};

}  // namespace

FirstSeen FirstSeenLengths(const DesignRecord& design, const DesignResult& stored) {
  LastShown labels;
  DesignResult again;
  Solve(design, again, labels);
  FirstSeen seen;
  seen.results.wl = {stored.ResWl[kLine1], stored.ResWl[kLine2]};
  seen.results.cm = {stored.ResCm[kLine1], stored.ResCm[kLine2]};
  seen.alternate = labels.lengths;
  return seen;
}

}  // namespace tolvan::cli
