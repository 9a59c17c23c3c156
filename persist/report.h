#pragma once

#include <filesystem>
#include <string>

#include "engine/design_result.h"
#include "engine/screen.h"

namespace tolvan {

// The input boxes' texts as the report prints them.
struct ReportInputs {
  std::string Freq, Zo, Zm, VF0, VF1, Xl, Rl;
};

// The texts of the seven boxes, as they stand.
ReportInputs ReportInputsFrom(const InputBoxes& boxes);

// A comment with every lone LF made CR LF, as the report's lines end; CR LF stays as it is.
std::string WithCrLfBreaks(const std::string& comment);

// The user's regional separators for the report's numbers.
struct NumberSeparators {
  std::string decimal = ".";
  std::string grouping = ",";
};

// The results report, UTF-8, every line ended by CR LF, the last one too: title block, comment
// (written as held, CR LF breaks included), the inputs, the line drawing, the results and the
// alternate results from the stored singles, and the publisher's address. 59 lines with an
// empty or one-line comment. `file_title` is the report's file name without its folder.
std::string ReportText(const ReportInputs& inputs, const DesignResult& result,
                       const std::string& comment, const std::string& file_title,
                       const NumberSeparators& separators);

// "###,##0.0##": grouped by threes, rounded to three decimals, trailing zeros dropped down to
// one decimal. Applied only to a text that is one number as a whole; any other is returned
// unchanged.
std::string FormatFrequencyText(const std::string& text, const NumberSeparators& separators);

// "#,##0.00": grouped by threes, exactly two decimals.
std::string FormatCentimetres(double value, const NumberSeparators& separators);

// Writes a report's bytes to `file` with WriteFileSafely (persist/file_writer.h): an existing
// regular file is replaced all at once where its folder allows it, a file this user may not write
// is refused. Returns the reason of a failure, or empty.
std::string WriteReportFile(const std::filesystem::path& file, const std::string& bytes);

// The path a report is written to for the UTF-8 path the save dialog gave: a path of more than
// 200 characters is cut to its first 200 and "txt" put directly after them. Characters are
// counted as code points, so that a cut never splits one.
std::string LimitedReportPath(const std::string& path);

}  // namespace tolvan
