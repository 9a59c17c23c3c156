#include "persist/report.h"

#include <array>

#include "engine/label_format.h"
#include "engine/number_reading.h"
#include "persist/file_writer.h"

namespace tolvan {
namespace {

class Lines {
 public:
  void Line(const std::string& text = {}) { text_ += text + "\r\n"; }
  void Text(const std::string& text) { text_ += text; }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

void Solution(Lines& out, const char* banner, const ReportInputs& inputs,
              const std::array<float, 2>& wl, const std::array<float, 2>& cm,
              const NumberSeparators& separators) {
  const auto length = [&](int line) {
    return "    " + FormatCentimetres(cm[line], separators) + " centimeters  (" +
           FormatLength(wl[line], separators.decimal) + " wavelengths)";
  };
  out.Line(banner);
  out.Line();
  out.Line("Line-1 (" + inputs.Zo + " Ohms):");
  out.Line(length(kLine1));
  out.Line();
  out.Line("Line-2 (" + inputs.Zm + " Ohms):");
  out.Line(length(kLine2));
  out.Line();
}

}  // namespace

ReportInputs ReportInputsFrom(const InputBoxes& boxes) {
  return {boxes.Text(InputBox::Freq), boxes.Text(InputBox::Zo),  boxes.Text(InputBox::Zm),
          boxes.Text(InputBox::VF0),  boxes.Text(InputBox::VF1), boxes.Text(InputBox::Xl),
          boxes.Text(InputBox::Rl)};
}

std::string WithCrLfBreaks(const std::string& comment) {
  std::string crlf;
  for (const char c : comment) {
    if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf += '\r';
    crlf += c;
  }
  return crlf;
}

std::string FormatFrequencyText(const std::string& text, const NumberSeparators& separators) {
  if (!IsWholeNumber(text)) return text;
  const LeadingNumber number = ReadLeadingNumber(text);  // blanks around it are skipped
  if (number.overflow) return text;
  std::string formatted = FormatFixed(number.value, 3, separators.decimal, separators.grouping);
  // Trailing zeros go, down to a single decimal.
  const std::size_t decimals_start = formatted.size() - 3;
  std::size_t keep = formatted.size();
  while (keep > decimals_start + 1 && formatted[keep - 1] == '0') --keep;
  formatted.resize(keep);
  return formatted;
}

std::string FormatCentimetres(double value, const NumberSeparators& separators) {
  return FormatFixed(value, 2, separators.decimal, separators.grouping);
}

std::string ReportText(const ReportInputs& inputs, const DesignResult& result,
                       const std::string& comment, const std::string& file_title,
                       const NumberSeparators& separators) {
  Lines out;
  out.Line("Tolvan Calculator.");
  out.Line(" By Kestrin, Inc.");
  out.Line();
  out.Line(" Based on 'Series-Section Transformers'");
  out.Line(" The ARRL Antenna Book, 17th Edition, page 26-15.");
  out.Line();
  out.Line(" " + file_title);
  out.Line("~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~COMMENTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  out.Line();
  out.Text(comment);  // its own line breaks as typed; the line end below closes its last line
  out.Line();
  out.Line("~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ INPUTS~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  out.Line();
  out.Line("Operating Frequency = " + FormatFrequencyText(inputs.Freq, separators) + " MHz");
  out.Line();
  out.Line("Feed Line:");
  out.Line("    Zo = " + inputs.Zo + " Ohms");
  out.Line("    Velocity = " + inputs.VF0 + "%");
  out.Line();
  out.Line("Match Line:");
  out.Line("    Zm = " + inputs.Zm + " Ohms");
  out.Line("    Velocity = " + inputs.VF1 + "%");
  out.Line();
  out.Line("Load:");
  out.Line("    X = " + inputs.Xl + " Ohms");
  out.Line("    R = " + inputs.Rl + " Ohms");
  out.Line();
  out.Line("~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ CONFIGURATION ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  out.Line();
  out.Line("Attach Line-2 between Feed line and Line 1");
  out.Line("Attach Line-1 between Line-2 and Load");
  out.Line("|--------|                                                  |------|");
  out.Line("| Source |<+===Feed-Line===>+<===Line-2===>+<===Line-1====+>| Load |");
  out.Line("|--------|      Zo                Zm             Zo         |------|");
  out.Line();
  Solution(out, "~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ RESULTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~", inputs,
           result.ResWl, result.ResCm, separators);
  Solution(out, "~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ALTERNATE RESULTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~", inputs,
           result.AltWl, result.AltCm, separators);
  out.Line("~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ COMPLIMENTS OF~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  out.Line();
  out.Line("Kestrin, Inc.");
  out.Line(" 1200 Harbour Road");
  out.Line(" Port Ellis, WA 98000");
  out.Line();
  out.Line(" (555) 010-0199");
  out.Line();
  out.Line(" reports@kestrin.example");
  return out.Take();
}

std::string WriteReportFile(const std::filesystem::path& file, const std::string& bytes) {
  return WriteFileSafely(file, bytes);
}

std::string LimitedReportPath(const std::string& path) {
  constexpr std::size_t kLongest = 200;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < path.size(); ++at) {
    // A byte that continues a UTF-8 sequence starts no character.
    if ((static_cast<unsigned char>(path[at]) & 0xC0) == 0x80) continue;
    if (characters++ == kLongest) return path.substr(0, at) + "txt";
  }
  return path;
}

}  // namespace tolvan
