#include "persist/config_file.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <pugixml.hpp>
#include <sstream>
#include <system_error>

#include "engine/number_reading.h"
#include "persist/atomic_file.h"
#include "persist/config_elements.h"

namespace tolvan {
namespace {

// Everything in the file is kept through an update, comments and processing instructions too.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype;

// The order in which an update writes the elements, and adds those that are missing.
constexpr std::array<Remembered, 14> kUpdateOrder{
    Remembered::Freq,        Remembered::Zo,           Remembered::Zm,
    Remembered::VF0,         Remembered::VF1,          Remembered::Xl,
    Remembered::Rl,          Remembered::ReportFolder, Remembered::CommentsLeft,
    Remembered::CommentsTop, Remembered::InfoLeft,     Remembered::InfoTop,
    Remembered::MainLeft,    Remembered::MainTop};

using ElementText = std::function<std::string(const ConfigElement&)>;

const ConfigElement& ElementFor(Remembered value) {
  for (const ConfigElement& element : kConfigElements) {
    if (element.value == value) return element;
  }
  return kConfigElements.front();
}

std::string WorkingDirectory() {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  return error ? std::string() : directory.string();
}

std::string DefaultText(const ConfigElement& element, const std::string& working_directory) {
  return element.value == Remembered::ReportFolder ? working_directory
                                                   : std::string(element.default_text);
}

std::string CurrentText(const ConfigElement& element, const RememberedValues& values) {
  return element.position ? std::to_string(values.Position(element.value))
                          : values.Text(element.value);
}

void ReplaceText(pugi::xml_node element, const std::string& text) {
  while (pugi::xml_node child = element.first_child()) element.remove_child(child);
  element.append_child(pugi::node_pcdata).set_value(text.c_str());
}

// The document of the default file's layout: version-only declaration, `data`, the fourteen
// elements of the default file in table order.
void BuildLayout(pugi::xml_document& document, const ElementText& text_of) {
  document.reset();
  document.append_child(pugi::node_declaration).append_attribute("version") = "1.0";
  pugi::xml_node data = document.append_child(std::string(kConfigRoot).c_str());
  for (const ConfigElement& element : kConfigElements) {
    if (!element.in_default_file) continue;
    ReplaceText(data.append_child(std::string(element.name).c_str()), text_of(element));
  }
}

// The elements that the default file lacks, each once its value is known.
void StoreAddedElements(pugi::xml_document& document, const RememberedValues& values) {
  pugi::xml_node data = document.child(std::string(kConfigRoot).c_str());
  for (const ConfigElement& element : kConfigElements) {
    if (element.in_default_file || !values.Known(element.value)) continue;
    const std::string name(element.name);
    pugi::xml_node node = data.child(name.c_str());
    if (!node) node = data.append_child(name.c_str());
    ReplaceText(node, CurrentText(element, values));
  }
}

std::string Serialise(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, "    ", pugi::format_indent, pugi::encoding_utf8);
  // pugixml ends lines with LF, the file with CR LF. A line feed inside a value becomes CR LF
  // as well, which every XML reader turns back into the line feed.
  std::string lf = out.str();
  std::string crlf;
  crlf.reserve(lf.size() + lf.size() / 16);
  for (char c : lf) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  return crlf;
}

bool Parse(const std::filesystem::path& file, pugi::xml_document& document) {
  const pugi::xml_parse_result parsed = document.load_file(file.c_str(), kParseOptions);
  if (!parsed || !document.child(std::string(kConfigRoot).c_str())) return false;
  // The file is always written back in UTF-8; a declaration that named another encoding would
  // then make the next reader misread every non-ASCII letter.
  if (parsed.encoding != pugi::encoding_utf8) {
    for (pugi::xml_node node : document.children()) {
      if (node.type() != pugi::node_declaration) continue;
      if (pugi::xml_attribute encoding = node.attribute("encoding")) encoding = "UTF-8";
    }
  }
  return true;
}

// All the text inside an element, its descendants' too, in document order. Walked without
// recursion, so that no nesting depth in a damaged file can exhaust the stack.
std::string TextContent(pugi::xml_node element) {
  std::string text;
  pugi::xml_node node = element.first_child();
  while (node) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != element && !node.next_sibling()) node = node.parent();
    if (node == element) break;
    node = node.next_sibling();
  }
  return text;
}

std::string TrimBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string LocalNameInLowerCase(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// A window edge from its text: the leading number, rounded half to even, within 32 bits.
std::int32_t PositionFromText(const std::string& text) {
  const double rounded = std::nearbyint(ReadLeadingNumber(text).value);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (rounded <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= kHighest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

void Apply(const pugi::xml_document& document, RememberedValues& values) {
  const pugi::xml_node data = document.child(std::string(kConfigRoot).c_str());
  for (pugi::xml_node child : data.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string name = LocalNameInLowerCase(child.name());
    for (const ConfigElement& element : kConfigElements) {
      if (element.name != name) continue;
      const std::string text = TrimBlanks(TextContent(child));
      if (element.position) {
        values.SetPosition(element.value, PositionFromText(text));
      } else {
        values.SetText(element.value, text);
      }
    }
  }
}

}  // namespace

std::string DefaultConfigText(const std::string& working_directory) {
  pugi::xml_document document;
  BuildLayout(document, [&](const ConfigElement& e) { return DefaultText(e, working_directory); });
  return Serialise(document);
}

bool CreateConfig(const std::filesystem::path& file) {
  return WriteFileAtomically(file, DefaultConfigText(WorkingDirectory())).empty();
}

void LoadConfig(const std::filesystem::path& file, RememberedValues& values) {
  pugi::xml_document document;
  if (!Parse(file, document)) {
    // Read back what was written rather than trusting it; should neither work, the defaults
    // come from memory so that start-up goes on.
    if (!CreateConfig(file) || !Parse(file, document)) {
      const std::string working_directory = WorkingDirectory();
      BuildLayout(document,
                  [&](const ConfigElement& e) { return DefaultText(e, working_directory); });
    }
  }
  Apply(document, values);
}

void UpdateConfig(const std::filesystem::path& file, const RememberedValues& values) {
  pugi::xml_document document;
  if (!Parse(file, document)) {
    BuildLayout(document, [&](const ConfigElement& e) { return CurrentText(e, values); });
  } else {
    pugi::xml_node data = document.child(std::string(kConfigRoot).c_str());
    for (Remembered value : kUpdateOrder) {
      const ConfigElement& element = ElementFor(value);
      const std::string name(element.name);
      pugi::xml_node node = data.child(name.c_str());
      if (!node) node = data.append_child(name.c_str());
      ReplaceText(node, CurrentText(element, values));
    }
  }
  StoreAddedElements(document, values);
  WriteFileAtomically(file, Serialise(document));
}

}  // namespace tolvan
