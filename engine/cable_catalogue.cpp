#include "engine/cable_catalogue.h"

#include <algorithm>
#include <cctype>

namespace tolvan {
namespace {

// The letters and digits of a name in lower case; "×" counts as "x".
std::string Key(std::string_view name) {
  std::string key;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == 0xC3 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) == 0x97) {
      key += 'x';
      ++i;
    } else if (c < 0x80 && std::isalnum(c)) {
      key += static_cast<char>(std::tolower(c));
    }
  }
  return key;
}

// Insertions, deletions, substitutions and swaps of neighbours between two keys.
std::size_t TypingErrors(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::vector<std::string> Keys(const Cable& cable) {
  std::vector<std::string> keys{Key(cable.name)};
  for (const std::string& alias : cable.aliases) keys.push_back(Key(alias));
  return keys;
}

}  // namespace

Cable ParallelPair(const Cable& single) {
  Cable pair = single;
  pair.name = "2x " + single.name;
  pair.aliases.clear();
  for (const std::string& alias : single.aliases) pair.aliases.push_back("2x " + alias);
  pair.impedance = single.impedance / 2;
  pair.points.clear();  // a pair is derived, not published
  pair.max_fit_error_db.reset();
  pair.pairs = false;
  pair.paralleled = true;
  return pair;
}

CableCatalogue::CableCatalogue(std::vector<Cable> cables, std::vector<CableSource> sources)
    : cables_(std::move(cables)), sources_(std::move(sources)) {
  for (const Cable& cable : cables_) {
    candidates_.push_back(cable);
    if (cable.pairs) candidates_.push_back(ParallelPair(cable));
  }
}

CableLookup CableCatalogue::Find(std::string_view name) const {
  const std::string wanted = Key(name);
  // One typing error in a short name, one more for every six letters.
  const std::size_t allowed = 1 + wanted.size() / 6;
  struct Near {
    std::size_t errors;
    std::size_t index;
  };
  std::vector<Near> near;
  for (std::size_t index = 0; index < candidates_.size(); ++index) {
    std::optional<std::size_t> fewest;  // typing errors to the nearest key; a beginning counts 1
    for (const std::string& key : Keys(candidates_[index])) {
      if (key == wanted) return {candidates_[index], {}};
      const bool begins = !wanted.empty() && key.starts_with(wanted);
      const std::size_t errors = TypingErrors(wanted, key);
      if (begins || errors <= allowed) {
        fewest =
            std::min(fewest.value_or(errors), begins ? std::min<std::size_t>(errors, 1) : errors);
      }
    }
    if (fewest) near.push_back({*fewest, index});
  }
  std::stable_sort(near.begin(), near.end(),
                   [](const Near& a, const Near& b) { return a.errors < b.errors; });
  CableLookup lookup;
  for (const Near& n : near) lookup.close_names.push_back(candidates_[n.index].name);
  return lookup;
}

std::string UnknownCableMessage(std::string_view name,
                                const std::vector<std::string>& close_names) {
  std::string message = "No cable \"" + std::string(name) + "\" in the catalogue";
  if (close_names.empty()) return message + ".";
  message += "; close names: ";
  for (std::size_t i = 0; i < close_names.size(); ++i) {
    message += (i == 0 ? "" : ", ") + close_names[i];
  }
  return message + ".";
}

}  // namespace tolvan
