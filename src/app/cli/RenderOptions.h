#pragma once
#include "CliArguments.h"
#include "PictureRecord.h"

#include <string>
#include <vector>

namespace zephyra::cli {

// The density renderer's options of the command line, shared by render --density and animate: one
// for each row of the density option table that has a command-line name.
[[nodiscard]] const std::vector<CommandOption>& DensityCommandOptions();
// Render's own: a bare code's picture is fitted unless this says otherwise.
inline constexpr CommandOption NO_FIT_OPTION{"--no-fit", "", "keep the default camera of a bare code"};

// The 4D turn of render and animate, over the record's: degrees in the planes of w and x, y, z.
inline const std::vector<CommandOption> TURN4D_OPTIONS = {
    {"--xw", "D", "4D cases: turn through w in the plane of x and w, in degrees"},
    {"--yw", "D", "4D cases: the same in the plane of y and w"},
    {"--zw", "D", "4D cases: the same in the plane of z and w"}};

// Sets the 4D turn given on the command line. False, changing nothing, when one is given for a
// case that is not four-dimensional. Throws UsageError for a bad number.
[[nodiscard]] bool ApplyTurn4DOptions(const ParsedArguments& parsed, Attractor& attractor);

// Applies the density options present on the command line over `settings` (the defaults, or
// those a picture was made with). Throws UsageError for a bad value.
void ApplyDensityOptions(const ParsedArguments& parsed, PictureSettings& settings);

// WIDTHxHEIGHT with each side within 1..largestSide.
void ParseSize(const std::string& text, int largestSide, int& width, int& height);

} // namespace zephyra::cli
