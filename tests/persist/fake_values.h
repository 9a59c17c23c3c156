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
      values[Named(entries.substr(at, equals - at))] = entries.substr(equals + 1, end - equals - 1);
    }
  }
  static Remembered Named(const std::string& name) {
    return std::find_if(kConfigElements.begin(), kConfigElements.end(),
                        [&](const ConfigElement& element) { return element.name == name; })
        ->value;
  }

  std::string Text(Remembered value) const override {
    return values.contains(value) ? values.at(value) : std::string();
  }
  void SetText(Remembered value, const std::string& text) override {
    values[value] = text;
    for (const ConfigElement& element : kConfigElements) {
      if (element.value == value)
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
