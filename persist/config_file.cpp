#include "persist/config_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <pugixml.hpp>
#include <system_error>

#include "engine/number_reading.h"
#include "persist/config_elements.h"
#include "persist/file_writer.h"
#include "persist/temporary_file.h"
#include "persist/xml_check.h"

namespace tolvan {
namespace {

// Everything in the file is kept through an update, comments, processing instructions and the
// white space between elements too, so that an update writes back the file's own layout.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype |
                                   pugi::parse_ws_pcdata;

// Bounds on the work a file can cause: a larger or deeper file is damaged. The default file is
// 17 lines and three levels deep.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;
constexpr int kDeepestNesting = 64;

// What an element added to a file is indented with, and the line end that closes it.
constexpr const char* kIndent = "\n    ";
constexpr const char* kLineEnd = "\n";

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

// A value that XML cannot carry as it is (a control character, broken UTF-8) is stored without
// the offending characters rather than making the file unreadable.
void ReplaceText(pugi::xml_node element, const std::string& text) {
  while (pugi::xml_node child = element.first_child()) element.remove_child(child);
  element.append_child(pugi::node_pcdata).set_value(XmlCharacterData(text).c_str());
}

// A new element at the end of `data`, on a line of its own, before the line end that closes it.
pugi::xml_node AddElement(pugi::xml_node data, const char* name) {
  pugi::xml_node closing = data.last_child();
  if (closing.type() != pugi::node_pcdata) {
    closing = data.append_child(pugi::node_pcdata);
    closing.set_value(kLineEnd);
  }
  data.insert_child_before(pugi::node_pcdata, closing).set_value(kIndent);
  return data.insert_child_before(name, closing);
}

// The document of the default file's layout: version-only declaration, `data`, the fourteen
// elements of the default file in table order.
void BuildLayout(pugi::xml_document& document, const ElementText& text_of) {
  document.reset();
  document.append_child(pugi::node_declaration).append_attribute("version") = "1.0";
  pugi::xml_node data = document.append_child(std::string(kConfigRoot).c_str());
  for (const ConfigElement& element : kConfigElements) {
    if (!element.in_default_file) continue;
    ReplaceText(AddElement(data, std::string(element.name).c_str()), text_of(element));
  }
}

// The elements that the default file lacks, each once its value is known.
void StoreAddedElements(pugi::xml_document& document, const RememberedValues& values) {
  pugi::xml_node data = document.child(std::string(kConfigRoot).c_str());
  for (const ConfigElement& element : kConfigElements) {
    if (element.in_default_file || !values.Known(element.value)) continue;
    const std::string name(element.name);
    pugi::xml_node node = data.child(name.c_str());
    if (!node) node = AddElement(data, name.c_str());
    ReplaceText(node, CurrentText(element, values));
  }
}

// The document as it is, with no re-indenting, so that writing costs in proportion to the
// file's size whatever its shape. A line ends each node at the top level.
std::string Serialise(const pugi::xml_document& document) {
  struct Text final : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, std::size_t size) override {
      bytes.append(static_cast<const char*>(data), size);
    }
  } lf;
  if (document.first_child().type() != pugi::node_declaration)
    lf.bytes = "<?xml version=\"1.0\"?>\n";
  for (pugi::xml_node node : document.children()) {
    node.print(lf, "", pugi::format_raw, pugi::encoding_utf8);
    lf.bytes += '\n';
  }
  // pugixml ends lines with LF, the file with CR LF; a line feed inside a value becomes CR LF as
  // well, which every XML reader turns back into the line feed. pugixml leaves a carriage return
  // in a text as it is, which a reader would turn into a line feed: it is written as a reference.
  // (pugixml's text holds no NUL, so strpbrk sees all of it.)
  std::string crlf;
  crlf.reserve(lf.bytes.size() + lf.bytes.size() / 16);
  const char* at = lf.bytes.c_str();
  while (const char* end = std::strpbrk(at, "\r\n")) {
    crlf.append(at, end);
    crlf += *end == '\n' ? "\r\n" : "&#13;";
    at = end + 1;
  }
  crlf += at;
  return crlf;
}

// The file's bytes, or nothing when it cannot be opened; reads no more than one byte beyond the
// largest file and never waits (a FIFO gives what is there).
std::optional<std::string> ReadBounded(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char block[16384];
  while (bytes.size() <= kLargestFile) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

std::string InLowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Damaged: larger than kLargestFile, deeper than kDeepestNesting, not well-formed XML 1.0 (two
// roots, forbidden characters, an undeclared entity: anything pugixml would take only because it
// is lenient), or a root other than `data`.
bool Parse(std::string_view bytes, pugi::xml_document& document) {
  if (bytes.size() > kLargestFile || !IsWellFormedXml(bytes, kDeepestNesting)) return false;
  const pugi::xml_parse_result parsed =
      document.load_buffer(bytes.data(), bytes.size(), kParseOptions);
  if (!parsed || !document.child(std::string(kConfigRoot).c_str())) return false;
  // The file is always written back in UTF-8; a declaration that named another encoding
  // (ISO-8859-1, UTF-16, US-ASCII) would then make the next reader misread or refuse it.
  for (pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_declaration) continue;
    pugi::xml_attribute encoding = node.attribute("encoding");
    if (encoding && InLowerCase(encoding.value()) != "utf-8") encoding = "UTF-8";
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

// The element of the table that an element name stands for, compared in lower case and
// without a namespace prefix; none for any other name. Allocates nothing: most names are
// someone else's.
const ConfigElement* ElementNamed(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
  constexpr std::size_t kLongestName = 4;
  if (name.size() > kLongestName) return nullptr;
  char lower[kLongestName];
  for (std::size_t i = 0; i < name.size(); ++i) {
    lower[i] = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
  }
  for (const ConfigElement& element : kConfigElements) {
    if (element.name == std::string_view(lower, name.size())) return &element;
  }
  return nullptr;
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
    const ConfigElement* element = ElementNamed(child.name());
    if (element == nullptr) continue;
    const std::string text = TrimBlanks(TextContent(child));
    if (element->position) {
      values.SetPosition(element->value, PositionFromText(text));
    } else {
      values.SetText(element->value, text);
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
  return WriteFileSafely(file, DefaultConfigText(WorkingDirectory())).empty();
}

ConfigDocument::ConfigDocument(std::string_view bytes)
    : document_(std::make_unique<pugi::xml_document>()), damaged_(!Parse(bytes, *document_)) {}

ConfigDocument::~ConfigDocument() = default;

void ConfigDocument::Load(RememberedValues& values) const {
  if (!damaged_) Apply(*document_, values);
}

std::string ConfigDocument::Update(const RememberedValues& values) {
  if (damaged_) {
    BuildLayout(*document_, [&](const ConfigElement& e) { return CurrentText(e, values); });
    StoreAddedElements(*document_, values);
    damaged_ = false;
    return Serialise(*document_);
  }
  pugi::xml_node data = document_->child(std::string(kConfigRoot).c_str());
  for (Remembered value : kUpdateOrder) {
    const ConfigElement& element = ElementFor(value);
    const std::string name(element.name);
    pugi::xml_node node = data.child(name.c_str());
    if (!node) node = AddElement(data, name.c_str());
    ReplaceText(node, CurrentText(element, values));
  }
  StoreAddedElements(*document_, values);
  return Serialise(*document_);
}

void LoadConfig(const std::filesystem::path& file, RememberedValues& values) {
  RemoveStaleTemporaries(file);  // left by a copy of the program that was killed while writing
  const auto load = [&values](const std::optional<std::string>& bytes) {
    if (!bytes) return false;
    const ConfigDocument document(*bytes);
    document.Load(values);
    return !document.damaged();
  };
  if (load(ReadBounded(file))) return;
  // Read back what was written rather than trusting it; should neither work, the defaults come
  // from memory so that start-up goes on.
  if (CreateConfig(file) && load(ReadBounded(file))) return;
  load(DefaultConfigText(WorkingDirectory()));
}

void UpdateConfig(const std::filesystem::path& file, const RememberedValues& values) {
  ConfigDocument document(ReadBounded(file).value_or(std::string()));
  WriteFileSafely(file, document.Update(values));
}

}  // namespace tolvan
