#include "cli/output.h"

#include <array>
#include <charconv>
#include <iomanip>
#include <string>

#include "engine/label_format.h"

namespace tolvan::cli {
namespace {

std::string Exact(float value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(),
                                     static_cast<double>(value), std::chars_format::general, 9);
  return std::string(text.data(), written.ptr);
}

void WriteTableLine(std::ostream& out, const char* line, float wavelengths, float cm) {
  out << "  " << line << std::setw(10) << FormatLength(wavelengths, ".") << " wavelengths"
      << std::setw(14) << FormatLength(cm, ".") << " cm\n";
}

void WriteSolution(std::ostream& out, const char* heading, const std::array<float, 2>& wl,
                   const std::array<float, 2>& cm) {
  out << heading << "\n";
  WriteTableLine(out, "Line-2 (Zm):", wl[kLine2], cm[kLine2]);
  WriteTableLine(out, "Line-1 (Zo):", wl[kLine1], cm[kLine1]);
}

void WriteJsonSolution(std::ostream& out, const std::array<float, 2>& wl,
                       const std::array<float, 2>& cm) {
  out << "{\"line1\": {\"wavelengths\": " << Exact(wl[kLine1]) << ", \"cm\": " << Exact(cm[kLine1])
      << "}, \"line2\": {\"wavelengths\": " << Exact(wl[kLine2]) << ", \"cm\": "
      << Exact(cm[kLine2]) << "}}";
}

}  // namespace

void WriteTable(std::ostream& out, const DesignResult& result) {
  WriteSolution(out, "Results (first solution):", result.ResWl, result.ResCm);
  out << "\n";
  WriteSolution(out, "Alternate results (second solution):", result.AltWl, result.AltCm);
}

void WriteJson(std::ostream& out, const DesignResult& result) {
  out << "{\"results\": ";
  WriteJsonSolution(out, result.ResWl, result.ResCm);
  out << ", \"alternate\": ";
  WriteJsonSolution(out, result.AltWl, result.AltCm);
  out << "}\n";
}

}  // namespace tolvan::cli
