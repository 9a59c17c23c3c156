#pragma once
// Remembered values held in maps, with a journal of every write ("freq=7", by the name of the
// value's element in the configuration file) in the order it came.

#include <cstdint>
#include <map>
#include <string>

#include "persist/config_elements.h"
#include "persist/remembered_values.h"

namespace tolvan::testing {

struct FakeValues final : RememberedValues {
  std::map<Remembered, std::string> texts;
  std::map<Remembered, std::int32_t> positions;
  std::string journal;

  std::string Text(Remembered value) const override {
    return texts.contains(value) ? texts.at(value) : std::string();
  }
  void SetText(Remembered value, const std::string& text) override {
    Note(value, text);
    texts[value] = text;
  }
  std::int32_t Position(Remembered value) const override {
    return positions.contains(value) ? positions.at(value) : 0;
  }
  void SetPosition(Remembered value, std::int32_t twips) override {
    Note(value, std::to_string(twips));
    positions[value] = twips;
  }
  bool Known(Remembered value) const override {
    return texts.contains(value) || positions.contains(value);
  }

 private:
  void Note(Remembered value, const std::string& text) {
    for (const ConfigElement& element : kConfigElements) {
      if (element.value == value) journal += (journal.empty() ? "" : ";") + std::string(element.name) + "=" + text;
    }
  }
};

}  // namespace tolvan::testing
