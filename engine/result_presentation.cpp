#include "engine/result_presentation.h"

#include "engine/label_format.h"

namespace tolvan {

void LabelWriter::Stored(LengthLabel label, double value) {
  labels_.SetCaption(label, FormatLength(ReduceTo15Digits(value), decimal_separator_));
}

void ShowSolution(LengthLabels& labels, const DesignResult& result, bool pressed,
                  const std::string& decimal_separator) {
  const auto& wl = pressed ? result.ResWl : result.AltWl;
  const auto& cm = pressed ? result.ResCm : result.AltCm;
  labels.SetCaption(LengthLabel::Line1Wl, FormatLength(wl[kLine1], decimal_separator));
  labels.SetCaption(LengthLabel::Line1Cm, FormatLength(cm[kLine1], decimal_separator));
  labels.SetCaption(LengthLabel::Line2Wl, FormatLength(wl[kLine2], decimal_separator));
  labels.SetCaption(LengthLabel::Line2Cm, FormatLength(cm[kLine2], decimal_separator));
}

}  // namespace tolvan
