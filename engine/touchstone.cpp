#include "engine/touchstone.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace tolvan {
namespace {

// Raised inside the reader and turned into TouchstoneRead::error at its boundary.
struct FileFault {
  int line;
  std::string what;
};

enum class Parameter { S, Y, Z };
enum class Format { MA, DB, RI };

struct Options {
  double hz_per_unit = 1e9;
  Parameter parameter = Parameter::S;
  Format format = Format::MA;
  double reference_ohms = 50;
};

constexpr std::string_view kOptionLineForm = "# <Hz|kHz|MHz|GHz> <S|Y|Z> <MA|DB|RI> R <ohms>";
constexpr std::string_view kBlanks = " \t\r\f\v";

constexpr std::array<std::pair<std::string_view, double>, 4> kUnits{
    {{"HZ", 1}, {"KHZ", 1e3}, {"MHZ", 1e6}, {"GHZ", 1e9}}};
constexpr std::array<std::pair<std::string_view, Parameter>, 3> kParameters{
    {{"S", Parameter::S}, {"Y", Parameter::Y}, {"Z", Parameter::Z}}};
constexpr std::array<std::pair<std::string_view, Format>, 3> kFormats{
    {{"MA", Format::MA}, {"DB", Format::DB}, {"RI", Format::RI}}};

template <typename Value, std::size_t N>
std::optional<Value> Lookup(const std::array<std::pair<std::string_view, Value>, N>& table,
                            std::string_view word) {
  for (const auto& [name, value] : table) {
    if (word == name) return value;
  }
  return std::nullopt;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(kBlanks, at)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// Upper case, runs of blanks made one space: how keywords and options are compared.
std::string Canonical(std::string_view text) {
  std::string canonical;
  for (const std::string_view word : Words(text)) {
    if (!canonical.empty()) canonical += ' ';
    for (const char c : word)
      canonical += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return canonical;
}

// A decimal number as the format writes it (sign, digits, point, exponent); finite.
std::optional<double> Number(std::string_view word) {
  if (word.size() > 1 && word.front() == '+' && word[1] != '-') word.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A word as an error shows it: at most 40 characters of it.
std::string Shown(std::string_view word) {
  constexpr std::size_t kShown = 40;
  return std::string(word.substr(0, kShown)) + (word.size() > kShown ? "..." : "");
}

// Between marks; appended piece by piece, which GCC 12's -Wrestrict does not misread.
std::string Enclosed(char open, std::string_view word, char close) {
  std::string enclosed(1, open);
  enclosed += word;
  enclosed += close;
  return enclosed;
}

std::string Quoted(std::string_view word) { return Enclosed('\'', Shown(word), '\''); }

// Lines of at most kTouchstoneMaxLineLength characters from at most kTouchstoneMaxBytes.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : buffer_(in.rdbuf()) {}

  // The next line without its end; false at the end of the input.
  bool Next(std::string& line) {
    line.clear();
    if (buffer_ == nullptr) return false;
    bool any = false;
    for (int c = buffer_->sbumpc(); c != std::char_traits<char>::eof(); c = buffer_->sbumpc()) {
      any = true;
      if (++bytes_ > kTouchstoneMaxBytes) {
        throw FileFault{number_ + 1, "the file is larger than 16 MiB, the most Tolvan reads"};
      }
      if (c == '\n') break;
      if (line.size() == kTouchstoneMaxLineLength) {
        throw FileFault{number_ + 1, "the line is longer than 4096 characters"};
      }
      line.push_back(static_cast<char>(c));
    }
    if (any) ++number_;
    return any;
  }

  int number() const { return number_; }

 private:
  std::streambuf* buffer_;
  std::size_t bytes_ = 0;
  int number_ = 0;
};

class Reader {
 public:
  // Takes one line; returns false after [End], when the rest is not read.
  bool Take(std::string_view text, int line) {
    line_ = line;
    text = Trimmed(text.substr(0, text.find('!')));
    if (text.empty()) return true;
    const bool first = !seen_anything_;
    seen_anything_ = true;
    if (in_information_) {
      if (Canonical(text) == "[END INFORMATION]") in_information_ = false;
      return true;
    }
    if (reference_pending_) {
      TakeReference(text);
      return true;
    }
    if (text.front() == '[') return TakeKeyword(text, first);
    if (text.front() == '#') {
      TakeOptionLine(text.substr(1));
      return true;
    }
    TakeData(text);
    return true;
  }

  MeasuredLoad Finish(int last_line) {
    line_ = std::max(last_line, 1);
    if (reference_pending_) Fail("[Reference] is not followed by the reference impedance");
    if (in_information_) Fail("[Begin Information] is not closed by [End Information]");
    if (version2_ && !network_data_) Fail("the file has no [Network Data]");
    if (version2_ && !ended_) Fail("the file ends without [End]");
    if (points_.empty()) Fail("the file holds no frequencies");
    return MeasuredLoad(std::move(points_), Reference());
  }

 private:
  [[noreturn]] void Fail(std::string what) const { throw FileFault{line_, std::move(what)}; }

  double Reference() const { return reference_.value_or(options_.reference_ohms); }

  bool TakeKeyword(std::string_view text, bool first) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) Fail("a keyword without its closing ']'");
    const std::string keyword = Canonical(text.substr(1, close - 1));
    const std::string_view argument = Trimmed(text.substr(close + 1));
    const std::string shown = Enclosed('[', Trimmed(text.substr(1, close - 1)), ']');
    if (keyword == "VERSION") {
      if (!first) Fail("[Version] must be the first line that is not a comment");
      if (Canonical(argument) != "2.0") {
        Fail("version " + Shown(argument) + " is not read; Tolvan reads versions 1.1 and 2.0");
      }
      version2_ = true;
      return true;
    }
    if (!version2_) Fail(shown + " belongs to version 2.0 files, which begin with [Version] 2.0");
    if (network_data_ && keyword != "END") Fail(shown + " inside the network data");
    if (keyword == "NUMBER OF PORTS") {
      const double ports = Count(argument, shown);
      if (ports != 1) Fail("a " + Shown(argument) + "-port file; Tolvan reads one-port files");
      ports_ = true;
    } else if (keyword == "NUMBER OF FREQUENCIES") {
      const double count = Count(argument, shown);
      if (count > kTouchstoneMaxFrequencies) TooManyFrequencies();
      expected_frequencies_ = static_cast<std::size_t>(count);
    } else if (keyword == "REFERENCE") {
      if (argument.empty()) {
        reference_pending_ = true;
      } else {
        TakeReference(argument);
      }
    } else if (keyword == "MATRIX FORMAT") {
      // One port has a single matrix element, whichever half is written.
    } else if (keyword == "BEGIN INFORMATION") {
      in_information_ = true;
    } else if (keyword == "NETWORK DATA") {
      if (!ports_) Fail("[Number of Ports] must come before [Network Data]");
      network_data_ = true;
    } else if (keyword == "END") {
      if (!network_data_) Fail("[End] before [Network Data]");
      if (expected_frequencies_ && *expected_frequencies_ != points_.size()) {
        Fail("[Number of Frequencies] says " + std::to_string(*expected_frequencies_) +
             " but the file holds " + std::to_string(points_.size()));
      }
      ended_ = true;
      return false;
    } else if (keyword == "TWO-PORT DATA ORDER" || keyword == "MIXED-MODE ORDER" ||
               keyword == "NUMBER OF NOISE FREQUENCIES" || keyword == "NOISE DATA") {
      Fail(shown + " belongs to multi-port files; Tolvan reads one-port files");
    } else {
      Fail("unknown keyword " + shown);
    }
    return true;
  }

  // A keyword's whole, positive count.
  double Count(std::string_view argument, const std::string& shown) const {
    const std::optional<double> count = Number(argument);
    if (!count || *count < 1 || *count != std::floor(*count)) {
      Fail(shown + " needs a whole number, not " + Quoted(argument));
    }
    return *count;
  }

  void TakeReference(std::string_view text) {
    reference_pending_ = false;
    const std::vector<std::string_view> words = Words(text);
    if (words.size() != 1) Fail("[Reference] of a one-port file holds one impedance");
    const std::optional<double> ohms = Number(words[0]);
    if (!ohms || *ohms <= 0)
      Fail("the reference impedance " + Quoted(words[0]) + " is not above 0");
    reference_ = *ohms;
  }

  void TakeOptionLine(std::string_view text) {
    if (options_seen_) return;  // the format ignores any option line after the first
    if (!points_.empty() || network_data_) Fail("the option line must come before the data");
    options_seen_ = true;
    const std::vector<std::string_view> words = Words(text);
    bool unit = false, parameter = false, format = false, reference = false;
    const auto once = [&](bool& seen, std::string_view what) {
      if (seen) Fail("the option line gives the " + std::string(what) + " twice");
      seen = true;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
      const std::string word = Canonical(words[i]);
      if (const auto hz = Lookup(kUnits, word)) {
        once(unit, "frequency unit");
        options_.hz_per_unit = *hz;
      } else if (const auto kind = Lookup(kParameters, word)) {
        once(parameter, "parameter");
        options_.parameter = *kind;
      } else if (const auto form = Lookup(kFormats, word)) {
        once(format, "number format");
        options_.format = *form;
      } else if (word == "R") {
        once(reference, "reference impedance");
        const std::optional<double> ohms =
            i + 1 < words.size() ? Number(words[i + 1]) : std::nullopt;
        if (!ohms || *ohms <= 0) Fail("R on the option line needs the reference impedance in ohms");
        options_.reference_ohms = *ohms;
        ++i;
      } else if (word == "H" || word == "G") {
        Fail(word + " parameters belong to two-port files; a one-port file holds S, Y or Z");
      } else {
        Fail(Quoted(words[i]) + " is not an option; the option line reads " +
             std::string(kOptionLineForm));
      }
    }
  }

  void TakeData(std::string_view text) {
    if (version2_ && !network_data_) Fail("data before [Network Data]");
    const std::vector<std::string_view> words = Words(text);
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < words.size(); ++i) {
      const std::optional<double> number = Number(words[i]);
      if (!number) Fail(Quoted(words[i]) + " is not a number");
      if (i < numbers.size()) numbers[i] = *number;
    }
    if (words.size() < 3) {
      Fail("too few numbers: a one-port data line holds a frequency and two values");
    }
    if (words.size() > 3) {
      Fail(std::to_string(words.size()) +
           " numbers on a line where a one-port file has three, a frequency and two values; "
           "Tolvan reads one-port files");
    }
    const double mhz = numbers[0] * options_.hz_per_unit / 1e6;
    if (numbers[0] < 0) Fail("the frequency " + Shown(words[0]) + " is below 0");
    if (!std::isfinite(mhz)) Fail("the frequency " + Shown(words[0]) + " is too large");
    if (!points_.empty() && !(mhz > points_.back().mhz)) {
      Fail("the frequency " + Shown(words[0]) + " is not above the one before it, " +
           Shown(previous_frequency_));
    }
    if (points_.size() == kTouchstoneMaxFrequencies) TooManyFrequencies();
    previous_frequency_ = words[0];
    points_.push_back({mhz, Reflection(numbers[1], numbers[2])});
  }

  [[noreturn]] void TooManyFrequencies() const {
    Fail("more than " + std::to_string(kTouchstoneMaxFrequencies) +
         " frequencies, the most Tolvan reads");
  }

  std::complex<double> Reflection(double a, double b) const {
    constexpr double kRadiansPerDegree = 0.017453292519943295769;
    std::complex<double> value;
    switch (options_.format) {
      case Format::RI:
        value = {a, b};
        break;
      case Format::MA:
        value = std::polar(a, b * kRadiansPerDegree);
        break;
      case Format::DB:
        value = std::polar(std::pow(10.0, a / 20), b * kRadiansPerDegree);
        break;
    }
    // Version 1.1 normalises Z and Y to the reference; version 2.0 gives ohms and siemens.
    const double to_normalised = version2_ ? 1 / Reference() : 1;
    std::complex<double> reflection = value;
    if (options_.parameter == Parameter::Z) {
      const std::complex<double> z = value * to_normalised;
      reflection = (z - 1.0) / (z + 1.0);
    } else if (options_.parameter == Parameter::Y) {
      const std::complex<double> y = version2_ ? value * Reference() : value;
      reflection = (1.0 - y) / (1.0 + y);
    }
    if (!std::isfinite(reflection.real()) || !std::isfinite(reflection.imag())) {
      Fail("the value has no finite reflection coefficient");
    }
    return reflection;
  }

  Options options_;
  bool options_seen_ = false;
  bool seen_anything_ = false;
  bool version2_ = false;
  bool ports_ = false;
  bool network_data_ = false;
  bool ended_ = false;
  bool in_information_ = false;
  bool reference_pending_ = false;
  std::optional<double> reference_;
  std::optional<std::size_t> expected_frequencies_;
  std::vector<MeasuredPoint> points_;
  std::string previous_frequency_;
  int line_ = 0;
};

}  // namespace

TouchstoneRead ParseTouchstone(std::istream& in, const std::string& name) {
  try {
    LineReader lines(in);
    Reader reader;
    std::string line;
    // Editors on Windows may begin a text file with a UTF-8 byte order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    bool more = lines.Next(line);
    if (more && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
    for (; more && reader.Take(line, lines.number()); more = lines.Next(line)) {
    }
    return {reader.Finish(lines.number()), {}, 0};
  } catch (const FileFault& fault) {
    return {std::nullopt, name + ":" + std::to_string(fault.line) + ": " + fault.what, fault.line};
  }
}

TouchstoneRead ReadTouchstone(const std::filesystem::path& file) {
  const std::string name = file.string();
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) return {std::nullopt, name + ": is a folder", 0};
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    const int cause = errno;
    return {std::nullopt, name + ": cannot be read: " + std::generic_category().message(cause), 0};
  }
  return ParseTouchstone(in, name);
}

}  // namespace tolvan
