#pragma once
#include <iosfwd>
#include <string_view>
#include <vector>

namespace zephyra {
class Attractor;
}

namespace zephyra::cli {

// JSON pieces in the "C" form. A string with its quotes and escapes; a number in its shortest
// round-trip form, null for an infinity or a NaN (JSON has neither).
void WriteJsonString(std::ostream& out, std::string_view text);
void WriteJsonNumber(std::ostream& out, float value);
void WriteJsonNumber(std::ostream& out, double value);
// An array of numbers.
void WriteJsonNumbers(std::ostream& out, const std::vector<double>& values);
// The fields that describe an attractor, from "code" to "fractalDim", without the braces.
void WriteAttractorFields(std::ostream& out, const Attractor& attractor);

} // namespace zephyra::cli
