#pragma once
// What both configuration fuzzers load into and check: values in plain arrays (cheap, so that the
// fuzzers spend their time in the code under test), equal before and after an update.

#include <array>
#include <cstdlib>

#include "persist/config_elements.h"
#include "persist/remembered_values.h"

namespace tolvan::testing {

struct ArrayValues final : RememberedValues {
  std::array<std::string, kConfigElements.size()> texts;
  std::array<std::int32_t, kConfigElements.size()> positions{};

  std::string Text(Remembered value) const override { return texts[Index(value)]; }
  void SetText(Remembered value, const std::string& text) override { texts[Index(value)] = text; }
  std::int32_t Position(Remembered value) const override { return positions[Index(value)]; }
  void SetPosition(Remembered value, std::int32_t twips) override {
    positions[Index(value)] = twips;
  }
  static std::size_t Index(Remembered value) { return static_cast<std::size_t>(value); }
};

inline void AbortUnlessSameValues(const ArrayValues& first, const ArrayValues& second) {
  if (first.texts != second.texts || first.positions != second.positions) std::abort();
}

}  // namespace tolvan::testing
