#pragma once
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace zephyra {

// Calls `apply` with the attribute's text when the element has it; absent attributes change nothing.
template <typename Apply> void IfAttributePresent(pugi::xml_node element, const char* name, Apply apply)
{
    if (const pugi::xml_attribute attribute = element.attribute(name))
        apply(std::string_view(attribute.value()));
}

// Appends the attribute last, so attributes stand in the order they are written.
inline void SetAttribute(pugi::xml_node element, const char* name, const std::string& value)
{
    element.append_attribute(name).set_value(value.c_str());
}

} // namespace zephyra
