#pragma once
#include <string_view>

namespace zephyra {

// True when `text` is one well-formed XML document: one root element and nothing but comments,
// processing instructions and white space around it, no attribute twice on an element, and no
// unescaped "<" in an attribute value or "&" that starts no character or entity reference.
// pugixml accepts all of these, and reading only part of a file would let the next save drop the rest.
// Throws std::bad_alloc when the memory left cannot hold the parse.
[[nodiscard]] bool IsWellFormedXml(std::string_view text);
// The same rules for UTF-8 text inside an element: elements, text and comments, any number of them.
[[nodiscard]] bool IsWellFormedXmlContent(std::string_view text);

} // namespace zephyra
