#pragma once

#include <string>
#include <string_view>

namespace tolvan {

// True when `bytes` are one well-formed XML 1.0 document by a strict parser (expat), in the
// encoding the document declares (UTF-8, UTF-16, ISO-8859-1 or US-ASCII), with no element
// nested deeper than `deepest` levels (the root is level 1). A document type declaration with
// an internal subset, or a reference to an entity that nobody declared, also makes it false:
// the tree the program keeps (pugixml) would not expand them. Work and memory are linear in the
// size of `bytes`; sizes above INT_MAX are refused.
bool IsWellFormedXml(std::string_view bytes, int deepest);

// `text` made fit to be XML character data: every byte that starts no valid UTF-8 sequence
// becomes U+FFFD, and the code points XML 1.0 forbids (most control characters, U+FFFE,
// U+FFFF) are left out.
std::string XmlCharacterData(std::string_view text);

}  // namespace tolvan
