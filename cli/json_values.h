#pragma once
// The JSON writer's types for tolvan-calc's outputs, shared by the files that build its parts.

#include <nlohmann/json.hpp>
#include <optional>

namespace tolvan::cli {

using Json = nlohmann::ordered_json;

// The value rounded to 9 significant digits, which the JSON writer then prints in full: a
// stored single read back from it is the same single. Null when not finite.
Json Exact(double value);

// Exact(*value), or null when there is none.
Json ExactOrNull(const std::optional<double>& value);

}  // namespace tolvan::cli
