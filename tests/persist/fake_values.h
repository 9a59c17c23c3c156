#pragma once
// Remembered values held in a map, positions as their decimal text, with a journal of every
// write ("freq=7", by the name of the value's element in the configuration file) in order.

#include <algorithm>
#include <map>
#include <string>

#include "persist/config_elements.h"

namespace tolvan::testing {

struct FakeValues final : RememberedValues {
  std::map<Remembered, std::string> values;
  std::string journal;

  // Holding the values of "name=text;name=text".
  explicit FakeValues(const std::string& entries = "") {
    for (std::size_t at = 0, end; at < entries.size(); at = end + 1) {
      end = std::min(entries.find(';', at), entries.size());
      const std::size_t equals = entries.find('=', at);
      for (const ConfigElement& element : kConfigElements) {
        if (element.name != entries.substr(at, equals - at)) continue;
        values[element.value] = entries.substr(equals + 1, end - equals - 1);
      }
    }
  }

  std::string Text(Remembered value) const override {
    return values.contains(value) ? values.at(value) : std::string();
  }
  void SetText(Remembered value, const std::string& text) override {
    values[value] = text;
    for (const ConfigElement& element : kConfigElements) {
      if (element.value != value) continue;
      journal += (journal.empty() ? "" : ";") + std::string(element.name) + "=" + text;
    }
  }
  std::int32_t Position(Remembered value) const override {
    return values.contains(value) ? std::stoi(values.at(value)) : 0;
  }
  void SetPosition(Remembered value, std::int32_t twips) override {
    SetText(value, std::to_string(twips));
  }
  bool Known(Remembered value) const override { return values.contains(value); }
};

}  // namespace tolvan::testing
