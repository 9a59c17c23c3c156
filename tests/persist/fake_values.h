#pragma once
// Remembered values in a map, positions as their decimal text, made from and journalled as
// "name=text;name=text" by the names of the configuration file's elements.

#include <algorithm>
#include <map>

#include "persist/config_elements.h"

namespace tolvan::testing {

struct FakeValues final : RememberedValues {
  std::map<Remembered, std::string> values;
  std::string journal;  // every write, in order

  explicit FakeValues(const std::string& entries = "") {
    for (std::size_t at = 0, end; at < entries.size(); at = end + 1) {
      end = std::min(entries.find(';', at), entries.size());
      const std::size_t equals = entries.find('=', at);
      const std::string name = entries.substr(at, equals - at);
      SetText(std::ranges::find(kConfigElements, name, &ConfigElement::name)->value,
              entries.substr(equals + 1, end - equals - 1));
    }
    journal.clear();
  }

  std::string Text(Remembered value) const override { return Known(value) ? values.at(value) : ""; }
  void SetText(Remembered value, const std::string& text) override {
    values[value] = text;
    const auto& element = *std::ranges::find(kConfigElements, value, &ConfigElement::value);
    journal += (journal.empty() ? "" : ";") + std::string(element.name) + "=" + text;
  }
  std::int32_t Position(Remembered value) const override {
    return Known(value) ? std::stoi(values.at(value)) : 0;
  }
  void SetPosition(Remembered value, std::int32_t twips) override {
    SetText(value, std::to_string(twips));
  }
  bool Known(Remembered value) const override { return values.contains(value); }
};

}  // namespace tolvan::testing
