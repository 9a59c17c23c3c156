#pragma once
// Remembered values held in maps, with a journal of every write in the order it came.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "persist/remembered_values.h"

namespace tolvan::testing {

struct FakeValues final : RememberedValues {
  std::map<Remembered, std::string> texts;
  std::map<Remembered, std::int32_t> positions;
  std::vector<std::string> journal;

  std::string Text(Remembered value) const override {
    const auto found = texts.find(value);
    return found == texts.end() ? std::string() : found->second;
  }
  void SetText(Remembered value, const std::string& text) override {
    journal.push_back(std::to_string(static_cast<int>(value)) + "=" + text);
    texts[value] = text;
  }
  std::int32_t Position(Remembered value) const override {
    const auto found = positions.find(value);
    return found == positions.end() ? 0 : found->second;
  }
  void SetPosition(Remembered value, std::int32_t twips) override { positions[value] = twips; }
  bool Known(Remembered value) const override {
    return texts.count(value) != 0 || positions.count(value) != 0;
  }
};

}  // namespace tolvan::testing
