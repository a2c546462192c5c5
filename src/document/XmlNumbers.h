#pragma once
#include "DisplaySettings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zephyra {

// Numbers in the XML files, read and written in the "C" form whatever the process locale.
// Reading follows the C library: leading white space, an optional sign, then as much of a number
// as there is; nothing readable gives 0.

// atoi: decimal digits after white space and a sign; values beyond 32 bits saturate.
[[nodiscard]] std::int32_t ReadXmlInt(std::string_view text);
// atof stored as float, rounded once to single precision.
[[nodiscard]] float ReadXmlFloat(std::string_view text);

// The shortest text that reads back as the same float.
[[nodiscard]] std::string XmlFloatText(float value);
[[nodiscard]] std::string XmlIntText(std::int32_t value);

// Colours as "%f %f %f": each component with six digits after the point.
[[nodiscard]] std::string XmlColorText(const Rgb& color);
// sscanf "%f %f %f": the components read until the first one that is not a number; the rest keep
// their values.
void ScanXmlColor(std::string_view text, Rgb& color);

} // namespace zephyra
