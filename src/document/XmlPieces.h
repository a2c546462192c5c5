#pragma once
#include <functional>
#include <string_view>

#include <pugixml.hpp>

namespace zephyra {

// Reads the children of the root element of a large XML text a few hundred kilobytes at a time, so
// that no element tree of the whole text is ever held (it takes about three times the text). Calls
// `take` with the root (without its children) and each element child, in order.
// True when the text was read that way: it is then one well-formed document by the rule of
// IsWellFormedXml and the children are those a whole parse would give. False, with `take` perhaps
// called for some children, when the text needs a whole parse: anything but start tags, end tags and
// text inside the root (comments, processing instructions, CDATA), a text in another encoding than
// UTF-8, a piece that does not parse, or a `take` that returns false.
[[nodiscard]] bool
ReadRootChildrenInPieces(std::string_view text,
                         const std::function<bool(pugi::xml_node root, pugi::xml_node child)>& take);

} // namespace zephyra
