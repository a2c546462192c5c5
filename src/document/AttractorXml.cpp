#include "AttractorXml.h"

#include "XmlAttribute.h"
#include "XmlNumbers.h"

#include <algorithm>
#include <utility>

namespace zephyra {

namespace {

void ReadFloatAttribute(pugi::xml_node element, const char* name, float& field)
{
    IfAttributePresent(element, name, [&](std::string_view text) { field = ReadXmlFloat(text); });
}

// Axis and colour-channel choices index tables of five; anything else takes the built-in default.
void ReadChoiceAttribute(pugi::xml_node element, const char* name, std::int32_t& field, std::int32_t fallback)
{
    IfAttributePresent(element, name, [&](std::string_view text) {
        const std::int32_t choice = ReadXmlInt(text);
        field = choice >= 0 && choice < COORD_CHOICES ? choice : fallback;
    });
}

void ReadColorAttribute(pugi::xml_node element, const char* name, Rgb& color)
{
    IfAttributePresent(element, name, [&](std::string_view text) { ScanXmlColor(text, color); });
}

} // namespace

void SaveDisplay(const DisplaySettings& display, pugi::xml_node element)
{
    SetAttribute(element, "x0", XmlFloatText(display.x0));
    SetAttribute(element, "y0", XmlFloatText(display.y0));
    SetAttribute(element, "z0", XmlFloatText(display.z0));
    SetAttribute(element, "w0", XmlFloatText(display.w0));
    SetAttribute(element, "coordX", XmlIntText(display.coordX));
    SetAttribute(element, "coordY", XmlIntText(display.coordY));
    SetAttribute(element, "coordZ", XmlIntText(display.coordZ));
    SetAttribute(element, "colorR", XmlIntText(display.colorR));
    SetAttribute(element, "colorG", XmlIntText(display.colorG));
    SetAttribute(element, "colorB", XmlIntText(display.colorB));
    SetAttribute(element, "fgColor", XmlColorText(display.fgColor));
    SetAttribute(element, "bgColor", XmlColorText(display.bgColor));
}

void LoadDisplay(DisplaySettings& display, pugi::xml_node element)
{
    const DisplaySettings builtIn;
    ReadFloatAttribute(element, "x0", display.x0);
    ReadFloatAttribute(element, "y0", display.y0);
    ReadFloatAttribute(element, "z0", display.z0);
    ReadFloatAttribute(element, "w0", display.w0);
    ReadChoiceAttribute(element, "coordX", display.coordX, builtIn.coordX);
    ReadChoiceAttribute(element, "coordY", display.coordY, builtIn.coordY);
    ReadChoiceAttribute(element, "coordZ", display.coordZ, builtIn.coordZ);
    ReadChoiceAttribute(element, "colorR", display.colorR, builtIn.colorR);
    ReadChoiceAttribute(element, "colorG", display.colorG, builtIn.colorG);
    ReadChoiceAttribute(element, "colorB", display.colorB, builtIn.colorB);
    ReadColorAttribute(element, "fgColor", display.fgColor);
    ReadColorAttribute(element, "bgColor", display.bgColor);
}

void SaveToXml(const Attractor& attractor, pugi::xml_node parent)
{
    pugi::xml_node element = parent.append_child("attractor");
    // A refused code goes back as it was read, so nothing the user typed is lost.
    SetAttribute(element, "config", attractor.code.empty() ? attractor.refusedCode : attractor.code);
    SetAttribute(element, "pointsCount", XmlIntText(attractor.pointsCount));
    SetAttribute(element, "fov", XmlFloatText(attractor.fov));
    SetAttribute(element, "zoom", XmlFloatText(attractor.zoom));
    SetAttribute(element, "yaw", XmlFloatText(attractor.yaw));
    SetAttribute(element, "pitch", XmlFloatText(attractor.pitch));
    SetAttribute(element, "tx", XmlFloatText(attractor.tx));
    SetAttribute(element, "ty", XmlFloatText(attractor.ty));
    // The 4D turn only where there is one, so that records without it stay as they were.
    for (const auto& [name, angle] :
         {std::pair{"xw", attractor.xw}, {"yw", attractor.yw}, {"zw", attractor.zw}})
        if (angle != 0.0f)
            SetAttribute(element, name, XmlFloatText(angle));
    SaveDisplay(attractor.display, element);
}

AttractorRef LoadFromXml(pugi::xml_node element, const AttractorDefaults& defaults)
{
    AttractorRef attractor = Attractor::CreateEmpty(defaults);
    Attractor& a = *attractor;
    IfAttributePresent(element, "pointsCount",
                       [&](std::string_view text) { a.pointsCount = std::max(0, ReadXmlInt(text)); });
    ReadFloatAttribute(element, "fov", a.fov);
    ReadFloatAttribute(element, "zoom", a.zoom);
    ReadFloatAttribute(element, "yaw", a.yaw);
    ReadFloatAttribute(element, "pitch", a.pitch);
    IfAttributePresent(element, "config", [&](std::string_view text) {
        a.valid = a.SetCode(text, defaults);
        if (!a.valid)
            a.refusedCode = text;
    });
    ReadFloatAttribute(element, "tx", a.tx);
    ReadFloatAttribute(element, "ty", a.ty);
    ReadFloatAttribute(element, "xw", a.xw);
    ReadFloatAttribute(element, "yw", a.yw);
    ReadFloatAttribute(element, "zw", a.zw);
    LoadDisplay(a.display, element);
    // The thumbnail is drawn when a panel first shows the record.
    return attractor;
}

void LoadList(AttractorList& list, pugi::xml_node container, const AttractorDefaults& defaults)
{
    for (const pugi::xml_node child : container.children())
        if (child.type() == pugi::node_element)
            list.AddTail(LoadFromXml(child, defaults));
}

void SaveList(const AttractorList& list, pugi::xml_node container, int limit)
{
    for (const AttractorRef& entry : list) {
        if (limit == 0)
            return;
        SaveToXml(*entry, container);
        if (limit > 0)
            --limit;
    }
}

} // namespace zephyra
