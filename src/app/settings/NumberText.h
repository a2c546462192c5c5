#pragma once
#include <QString>

#include <cstdint>
#include <optional>

namespace zephyra {

// The texts of the dialog's number edits, in the "C" form whatever the user's locale.

// The shortest text that reads back as the same float, so that showing a value and taking it
// back unchanged never alters it (a start point must compare equal after OK).
[[nodiscard]] QString FormatFloat(float value);

// A decimal number, blanks around it allowed; nothing for other text, for infinities and NaNs,
// and for magnitudes beyond the float range.
[[nodiscard]] std::optional<float> ParseFloat(const QString& text);

// A 32-bit integer, blanks around it allowed; nothing for other text or an overflow.
[[nodiscard]] std::optional<std::int32_t> ParseInteger(const QString& text);

} // namespace zephyra
