#include "AttractorText.h"

#include "AttractorXml.h"
#include "XmlFile.h"

#include <cstring>
#include <sstream>

namespace zephyra {

std::string AttractorElementText(const Attractor& attractor)
{
    pugi::xml_document document;
    SaveToXml(attractor, document);
    std::ostringstream out;
    document.document_element().print(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

AttractorRef AttractorFromElementText(std::string_view text, const AttractorDefaults& defaults)
{
    pugi::xml_document document;
    // A record is held to the rules of the files: a picture must not carry what a file may not.
    if (!LoadWellFormedXml(document, text))
        return {};
    const pugi::xml_node element = document.first_child();
    if (!element || element.next_sibling() || std::strcmp(element.name(), "attractor") != 0)
        return {};
    return LoadFromXml(element, defaults);
}

} // namespace zephyra
