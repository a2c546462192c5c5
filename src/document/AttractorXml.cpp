#include "AttractorXml.h"

#include "ExactCoefficientsText.h"
#include "XmlAttribute.h"
#include "XmlNumbers.h"

#include <algorithm>

namespace zephyra {

namespace {

// The display attributes, from "x0" to "bgColor", in the order they are written; one list serves
// reading and writing.
template <typename Display, typename Visitor> void VisitDisplay(Display& d, Visitor&& visitor)
{
    visitor.Float("x0", d.x0);
    visitor.Float("y0", d.y0);
    visitor.Float("z0", d.z0);
    visitor.Float("w0", d.w0);
    visitor.Choice("coordX", d.coordX, &DisplaySettings::coordX);
    visitor.Choice("coordY", d.coordY, &DisplaySettings::coordY);
    visitor.Choice("coordZ", d.coordZ, &DisplaySettings::coordZ);
    visitor.Choice("colorR", d.colorR, &DisplaySettings::colorR);
    visitor.Choice("colorG", d.colorG, &DisplaySettings::colorG);
    visitor.Choice("colorB", d.colorB, &DisplaySettings::colorB);
    visitor.Color("fgColor", d.fgColor);
    visitor.Color("bgColor", d.bgColor);
}

// The attractor's attributes in the order they are written. The code comes first: reading it
// resets the display, which the display attributes after it then override.
template <typename Record, typename Visitor> void VisitAttractor(Record& a, Visitor&& visitor)
{
    visitor.Code("config", a);
    visitor.Count("pointsCount", a.pointsCount);
    visitor.Float("fov", a.fov);
    visitor.Float("zoom", a.zoom);
    visitor.Float("yaw", a.yaw);
    visitor.Float("pitch", a.pitch);
    visitor.Float("tx", a.tx);
    visitor.Float("ty", a.ty);
    visitor.Turn("xw", a.xw);
    visitor.Turn("yw", a.yw);
    visitor.Turn("zw", a.zw);
    visitor.Exact("exact", a);
    VisitDisplay(a.display, visitor);
}

struct AttributeWriter {
    pugi::xml_node element;

    void Float(const char* name, float value) { SetAttribute(element, name, XmlFloatText(value)); }
    // The 4D turn only where there is one, so that records without it stay as they were.
    void Turn(const char* name, float angle)
    {
        if (angle != 0.0f)
            Float(name, angle);
    }
    void Count(const char* name, std::int32_t value) { SetAttribute(element, name, XmlIntText(value)); }
    void Choice(const char* name, std::int32_t value, std::int32_t DisplaySettings::*) { Count(name, value); }
    void Color(const char* name, const Rgb& color) { SetAttribute(element, name, XmlColorText(color)); }
    // Exact values only where there are some, so that records without them stay as they were
    // (and a reader without them sees the nearest code).
    void Exact(const char* name, const Attractor& a)
    {
        if (const std::string text = ExactCoefficientsText(a); !text.empty())
            SetAttribute(element, name, text);
    }
    // A refused code goes back as it was read, so nothing the user typed is lost.
    void Code(const char* name, const Attractor& a)
    {
        SetAttribute(element, name, a.code.empty() ? a.refusedCode : a.code);
    }
};

// Present attributes override, absent ones keep the current value.
struct AttributeReader {
    pugi::xml_node element;
    const AttractorDefaults* defaults = nullptr; // for the code; none when reading a display block

    void Float(const char* name, float& field)
    {
        IfAttributePresent(element, name, [&](std::string_view text) { field = ReadXmlFloat(text); });
    }
    void Turn(const char* name, float& angle) { Float(name, angle); }
    // A negative count reads as 0.
    void Count(const char* name, std::int32_t& field)
    {
        IfAttributePresent(element, name,
                           [&](std::string_view text) { field = std::max(0, ReadXmlInt(text)); });
    }
    // Axis and colour-channel choices index tables of five; anything else takes the built-in default.
    void Choice(const char* name, std::int32_t& field, std::int32_t DisplaySettings::*member)
    {
        IfAttributePresent(element, name, [&](std::string_view text) {
            const std::int32_t choice = ReadXmlInt(text);
            field = choice >= 0 && choice < COORD_CHOICES ? choice : DisplaySettings().*member;
        });
    }
    void Color(const char* name, Rgb& color)
    {
        IfAttributePresent(element, name, [&](std::string_view text) { ScanXmlColor(text, color); });
    }
    // Read after the code, whose letters they override; a damaged list leaves the code's letters.
    void Exact(const char* name, Attractor& a)
    {
        IfAttributePresent(element, name, [&](std::string_view text) {
            if (a.valid)
                ReadExactCoefficientsText(text, a);
        });
    }
    void Code(const char* name, Attractor& a)
    {
        IfAttributePresent(element, name, [&](std::string_view text) {
            a.valid = a.SetCode(text, *defaults);
            if (!a.valid)
                a.refusedCode = text;
        });
    }
};

} // namespace

void SaveDisplay(const DisplaySettings& display, pugi::xml_node element)
{
    VisitDisplay(display, AttributeWriter{element});
}

void LoadDisplay(DisplaySettings& display, pugi::xml_node element)
{
    VisitDisplay(display, AttributeReader{element});
}

void SaveToXml(const Attractor& attractor, pugi::xml_node parent)
{
    VisitAttractor(attractor, AttributeWriter{parent.append_child("attractor")});
}

AttractorRef LoadFromXml(pugi::xml_node element, const AttractorDefaults& defaults)
{
    AttractorRef attractor = Attractor::CreateEmpty(defaults);
    VisitAttractor(*attractor, AttributeReader{element, &defaults});
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
