#pragma once
// Checks of option values, shared by every option that takes a value of the same kind. Each is
// a CLI11 validator: it passes a text unchanged or says, after "--name: ", what is wrong with it.
// Numbers are read strictly (the whole text, a point as the decimal separator, no hexadecimal),
// unlike the design inputs, which are read as the window reads its boxes.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvan::cli {

// The text as a finite decimal number, or nothing when any of it is not.
std::optional<double> StrictNumber(std::string_view text);

// A whole number from `low` to `high`, written in decimal digits only.
CLI::Validator WholeNumber(int low, int high);

// A decimal number from `low` (included) to `high` (excluded); `unit` follows the bounds in the
// message ("percent").
CLI::Validator NumberFrom(double low, double high, std::string_view unit);

// One of `names`, exactly.
CLI::Validator OneOf(std::vector<std::string> names);

}  // namespace tolvan::cli
