#include "engine/measured_load_entry.h"

#include <charconv>
#include <cmath>

#include "engine/checked_math.h"
#include "engine/fault.h"
#include "engine/number_reading.h"
#include "engine/touchstone.h"

namespace tolvan {

namespace {

// The design holds F in single precision, so a typed frequency at the very edge of the file
// ("14.2" for a file from 14.2 MHz) can round to just outside it. An edge that rounds to the
// same single as F is moved onto F, by less than a part in ten million.
MeasuredLoad WithEdgesAt(const MeasuredLoad& load, float F) {
  std::vector<MeasuredPoint> points = load.points();
  if (SameSingle(points.front().mhz, F) && F < points.front().mhz) {
    points.front().mhz = F;
  }
  if (SameSingle(points.back().mhz, F) && F > points.back().mhz) {
    points.back().mhz = F;
  }
  return MeasuredLoad(std::move(points), load.reference_ohms());
}

}  // namespace

std::optional<float> DesignFrequency(std::string_view freq_text) {
  const LeadingNumber number = ReadLeadingNumber(freq_text);
  if (number.overflow) return std::nullopt;
  try {
    const float mhz = StoreSingle(number.value);
    if (mhz > 0) return mhz;
  } catch (const ArithmeticFault&) {
  }
  return std::nullopt;
}

std::string SingleText(float value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
  const std::string written(text, end);
  return written == "-0" ? "0" : written;
}

MeasuredLoadEntry TakeMeasuredLoad(const std::filesystem::path& file, std::string_view freq_text) {
  MeasuredLoadEntry entry;
  TouchstoneRead read = ReadTouchstone(file);
  if (!read.load) {
    entry.error = std::move(read.error);
    return entry;
  }
  const std::string name = file.string() + ": ";
  const std::optional<float> F = DesignFrequency(freq_text);
  if (!F) {
    entry.error = name + "Freq does not hold a valid frequency";
    return entry;
  }
  const MeasuredLoad load = WithEdgesAt(*read.load, *F);
  // The frequency as the user typed it, where a message names it, rather than its single.
  const std::string single = SingleText(*F);
  double typed = *F;
  std::from_chars(single.data(), single.data() + single.size(), typed);
  if (!load.ReflectionAt(*F)) {
    entry.error = name + OutsideRangeMessage(load, typed);
    return entry;
  }
  if (load.points().size() < 2) {
    entry.error = name + "the load is measured at " + MhzText(typed) +
                  " MHz only; the analysis needs a range of frequencies";
    return entry;
  }
  const std::optional<std::complex<double>> ohms = load.ImpedanceAt(*F);
  const auto fits = [](double value) { return std::fabs(value) < 0x1.ffffffp127; };
  if (!ohms || !fits(ohms->real()) || !fits(ohms->imag())) {
    entry.error = name + "the load is an open circuit at " + MhzText(typed) + " MHz";
    return entry;
  }
  entry.F = *F;
  entry.r_text = SingleText(static_cast<float>(ohms->real()));
  entry.x_text = SingleText(static_cast<float>(ohms->imag()));
  entry.load = std::make_shared<const MeasuredLoad>(load);
  return entry;
}

}  // namespace tolvan
