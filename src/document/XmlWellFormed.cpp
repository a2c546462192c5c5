#include "XmlWellFormed.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>

#include <pugixml.hpp>

namespace zephyra {

namespace {

constexpr std::string_view PREDEFINED_ENTITIES[] = {"lt", "gt", "amp", "apos", "quot"};

bool IsReference(std::string_view name)
{
    if (name.starts_with("#x"))
        return name.size() > 2 && std::all_of(name.begin() + 2, name.end(),
                                              [](unsigned char c) { return std::isxdigit(c) != 0; });
    if (name.starts_with("#"))
        return name.size() > 1 && std::all_of(name.begin() + 1, name.end(),
                                              [](unsigned char c) { return std::isdigit(c) != 0; });
    return std::find(std::begin(PREDEFINED_ENTITIES), std::end(PREDEFINED_ENTITIES), name) !=
           std::end(PREDEFINED_ENTITIES);
}

// Raw text (references not expanded): every "&" starts a reference.
bool HasOnlyReferences(std::string_view text)
{
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
        const std::size_t end = text.find(';', amp);
        if (end == std::string_view::npos || !IsReference(text.substr(amp + 1, end - amp - 1)))
            return false;
    }
    return true;
}

// Walks the tree without recursion, so deeply nested files cannot exhaust the stack.
class WellFormedWalker : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_pcdata)
            wellFormed = HasOnlyReferences(node.value());
        else if (node.type() == pugi::node_element)
            wellFormed = AttributesAreWellFormed(node);
        return wellFormed;
    }
    bool wellFormed = true;

private:
    static bool AttributesAreWellFormed(const pugi::xml_node& element)
    {
        for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
            if (std::strchr(a.value(), '<') || !HasOnlyReferences(a.value()))
                return false;
            for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
                if (std::strcmp(a.name(), b.name()) == 0)
                    return false;
        }
        return true;
    }
};

bool TopLevelIsOneElement(const pugi::xml_document& document)
{
    int elements = 0;
    for (const pugi::xml_node node : document.children()) {
        const pugi::xml_node_type type = node.type();
        if (type == pugi::node_element)
            ++elements;
        else if (type == pugi::node_pcdata || type == pugi::node_cdata ||
                 (type == pugi::node_declaration && node != document.first_child()))
            return false;
    }
    return elements == 1;
}

// Parsed as a fragment with references kept as written, so that what lies around the root and
// every raw "&" can be seen.
constexpr unsigned RAW =
    (pugi::parse_default | pugi::parse_fragment | pugi::parse_declaration) & ~pugi::parse_escapes;

// The raw tree of the text when its elements and texts keep the rules; nothing otherwise.
std::optional<pugi::xml_document> ParsedRaw(std::string_view text, pugi::xml_encoding encoding)
{
    std::optional<pugi::xml_document> raw(std::in_place);
    const pugi::xml_parse_result parsed = raw->load_buffer(text.data(), text.size(), RAW, encoding);
    // A file too large for the memory left is not ill-formed: the reader says so instead.
    if (parsed.status == pugi::status_out_of_memory)
        throw std::bad_alloc();
    WellFormedWalker walker;
    if (!parsed || !raw->traverse(walker) || !walker.wellFormed)
        raw.reset();
    return raw;
}

} // namespace

bool IsWellFormedXml(std::string_view text)
{
    const std::optional<pugi::xml_document> raw = ParsedRaw(text, pugi::encoding_auto);
    return raw && TopLevelIsOneElement(*raw);
}

bool IsWellFormedXmlContent(std::string_view text)
{
    return ParsedRaw(text, pugi::encoding_utf8).has_value();
}

} // namespace zephyra
