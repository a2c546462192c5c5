#pragma once
#include "AttractorList.h"

#include <pugixml.hpp>

namespace zephyra {

// The XML form of one attractor ("attractor" element, everything as attributes) and of a
// DisplaySettings block, shared by the configuration file and the document files.

// Appends one "attractor" element as the last child of `parent`.
void SaveToXml(const Attractor& attractor, pugi::xml_node parent);
// A new attractor from an element: the defaults first, then whatever attributes are present.
[[nodiscard]] AttractorRef LoadFromXml(pugi::xml_node element, const AttractorDefaults& defaults);

// The twelve display attributes, from "x0" to "bgColor".
void SaveDisplay(const DisplaySettings& display, pugi::xml_node element);
// Present attributes override, absent ones keep the current value.
void LoadDisplay(DisplaySettings& display, pugi::xml_node element);

// Appends a record for every child element of the container; comments, processing instructions
// and text between the records are skipped.
void LoadList(AttractorList& list, pugi::xml_node container, const AttractorDefaults& defaults);
// Writes the first `limit` entries from the head; a negative limit writes all of them.
void SaveList(const AttractorList& list, pugi::xml_node container, int limit);

} // namespace zephyra
