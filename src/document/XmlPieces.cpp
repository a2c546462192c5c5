#include "XmlPieces.h"

#include "XmlWellFormed.h"

#include <cctype>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace zephyra {

namespace {

constexpr std::size_t PIECE_BYTES = 256 * 1024;
constexpr auto npos = std::string_view::npos;

// Where the root's content lies and where it is cut into pieces of whole children.
struct RootLayout {
    std::size_t contentBegin = 0, contentEnd = 0;
    std::vector<std::size_t> cuts; // ends of the pieces but the last
};

// The position after the ">" that ends the tag starting at `at`, quoted values skipped; npos when
// the text ends first.
std::size_t TagEnd(std::string_view text, std::size_t at)
{
    for (std::size_t p = at; p < text.size(); ++p) {
        if (text[p] == '"' || text[p] == '\'') {
            p = text.find(text[p], p + 1);
            if (p == npos)
                return npos;
        } else if (text[p] == '>') {
            return p + 1;
        }
    }
    return npos;
}

bool IsUtf8(std::string_view prologue)
{
    std::string lower(prologue);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t encoding = lower.find("encoding");
    return encoding == npos || lower.find("utf-8", encoding) != npos;
}

// The start of the root's start tag after declarations, processing instructions and comments; npos
// for anything else there (a document type, a byte-order mark) or an encoding other than UTF-8.
std::size_t RootStart(std::string_view text)
{
    std::size_t p = 0;
    for (;;) {
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p])))
            ++p;
        if (p >= text.size() || text[p] != '<')
            return npos;
        const std::string_view rest = text.substr(p);
        std::string_view close;
        if (rest.starts_with("<?"))
            close = "?>";
        else if (rest.starts_with("<!--"))
            close = "-->";
        else if (rest.size() > 1 && rest[1] != '!' && rest[1] != '/')
            return IsUtf8(text.substr(0, p)) ? p : npos;
        else
            return npos;
        const std::size_t end = text.find(close, p + 2);
        if (end == npos)
            return npos;
        p = end + close.size();
    }
}

std::optional<RootLayout> LayOutRoot(std::string_view text)
{
    const std::size_t root = RootStart(text);
    if (root == npos)
        return std::nullopt;
    RootLayout layout;
    layout.contentBegin = TagEnd(text, root);
    if (layout.contentBegin == npos || text[layout.contentBegin - 2] == '/')
        return std::nullopt;
    int depth = 0;
    std::size_t p = layout.contentBegin, pieceBegin = p;
    for (;;) {
        const std::size_t tag = text.find('<', p);
        if (tag == npos || tag + 1 >= text.size())
            return std::nullopt;
        const char second = text[tag + 1];
        if (second == '?' || second == '!')
            return std::nullopt;
        if (second == '/' && depth == 0) {
            layout.contentEnd = tag;
            return layout;
        }
        p = TagEnd(text, tag);
        if (p == npos)
            return std::nullopt;
        if (second == '/')
            --depth;
        else if (text[p - 2] != '/')
            ++depth;
        if (depth == 0 && p - pieceBegin >= PIECE_BYTES) {
            layout.cuts.push_back(p);
            pieceBegin = p;
        }
    }
}

} // namespace

bool ReadRootChildrenInPieces(std::string_view text,
                              const std::function<bool(pugi::xml_node root, pugi::xml_node child)>& take)
{
    const std::optional<RootLayout> layout = LayOutRoot(text);
    if (!layout)
        return false;
    // The text around the root's content: declarations, the root's tags and what follows.
    const std::string outline =
        std::string(text.substr(0, layout->contentBegin)) + std::string(text.substr(layout->contentEnd));
    pugi::xml_document outer;
    if (!IsWellFormedXml(outline) || !outer.load_buffer(outline.data(), outline.size()))
        return false;
    std::vector<std::size_t> bounds{layout->contentBegin};
    bounds.insert(bounds.end(), layout->cuts.begin(), layout->cuts.end());
    bounds.push_back(layout->contentEnd);
    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
        const std::string_view piece = text.substr(bounds[k], bounds[k + 1] - bounds[k]);
        if (!IsWellFormedXmlContent(piece))
            return false;
        pugi::xml_document children;
        const pugi::xml_parse_result parsed = children.load_buffer(
            piece.data(), piece.size(), pugi::parse_default | pugi::parse_fragment, pugi::encoding_utf8);
        if (parsed.status == pugi::status_out_of_memory)
            throw std::bad_alloc();
        if (!parsed)
            return false;
        for (const pugi::xml_node child : children.children())
            if (child.type() == pugi::node_element && !take(outer.document_element(), child))
                return false;
    }
    return true;
}

} // namespace zephyra
