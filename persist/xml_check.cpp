#include "persist/xml_check.h"

#include <expat.h>

#include <climits>
#include <memory>
#include <random>

namespace tolvan {
namespace {

struct Check {
  XML_Parser parser;
  int deepest;
  int depth = 0;
  bool refused = false;
};

void Refuse(Check& check) {
  check.refused = true;
  XML_StopParser(check.parser, XML_FALSE);
}

void OnStart(void* data, const XML_Char*, const XML_Char**) {
  Check& check = *static_cast<Check*>(data);
  if (++check.depth > check.deepest) Refuse(check);
}

void OnEnd(void* data, const XML_Char*) { --static_cast<Check*>(data)->depth; }

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int internal_subset) {
  if (internal_subset) Refuse(*static_cast<Check*>(data));
}

void OnSkippedEntity(void* data, const XML_Char*, int) { Refuse(*static_cast<Check*>(data)); }

bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The code point that starts at text[at] and its length in bytes; length 0 when the bytes there
// are no valid UTF-8 (overlong, a surrogate, beyond U+10FFFF, cut short).
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t lowest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, lowest = 0x10000;
  } else {
    return {0, 0};
  }
  if (at + length > text.size()) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {0, 0};
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
  return {code, length};
}

// One parser per thread, reset for every document: creating one costs more than parsing a
// small file. The hash salt, which guards expat's tables against names chosen to collide, is
// drawn once per process instead of once per document.
XML_Parser ResetParser() {
  static const unsigned long salt = [] {
    std::random_device entropy;
    return (static_cast<unsigned long>(entropy()) << 31) ^ entropy();
  }();
  thread_local const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
      XML_ParserCreate(nullptr), &XML_ParserFree);
  if (!parser || !XML_ParserReset(parser.get(), nullptr)) return nullptr;
  XML_SetHashSalt(parser.get(), salt);
  return parser.get();
}

}  // namespace

bool IsWellFormedXml(std::string_view bytes, int deepest) {
  if (bytes.size() > INT_MAX) return false;
  XML_Parser parser = ResetParser();
  if (parser == nullptr) return false;
  Check check{parser, deepest};
  XML_SetUserData(parser, &check);
  XML_SetElementHandler(parser, &OnStart, &OnEnd);
  XML_SetStartDoctypeDeclHandler(parser, &OnDoctype);
  XML_SetSkippedEntityHandler(parser, &OnSkippedEntity);
  const XML_Status status =
      XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE);
  return status == XML_STATUS_OK && !check.refused;
}

std::string XmlCharacterData(std::string_view text) {
  std::string data;
  data.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto [code, length] = DecodeUtf8(text, at);
    if (length == 0) {
      data += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    if (IsXmlChar(code)) data.append(text.substr(at, length));
    at += length;
  }
  return data;
}

}  // namespace tolvan
