#pragma once
#include "CliArguments.h"
#include "PictureRecord.h"

#include <string>
#include <vector>

namespace zephyra::cli {

// The density renderer's options, shared by render --density and animate. The parser checks the
// whole numbers against the limits; the help names the choices of the tables.
inline const std::string SUPERSAMPLE_HELP = std::string("canvas S times larger each way, averaged down (")
                                                .append(std::to_string(LEAST_SUPERSAMPLE))
                                                .append(" to ")
                                                .append(std::to_string(LARGEST_SUPERSAMPLE))
                                                .append(", default 2)");
inline const OptionSpec SUPERSAMPLE_OPTION{"--supersample", "S", SUPERSAMPLE_HELP, LEAST_SUPERSAMPLE,
                                           LARGEST_SUPERSAMPLE};
inline const std::string TONE_HELP = ChoiceNames(TONE_CHOICES).append(" (default log)");
inline const OptionSpec TONE_OPTION{"--tone", "T", TONE_HELP};
inline constexpr OptionSpec GAMMA_OPTION{"--gamma", "G", "the power of --tone gamma (default 2.2)"};
inline const std::string COLORS_HELP =
    ChoiceNames(PALETTE_CHOICES).append("\n(default coords: the view's point colours)");
inline const OptionSpec COLORS_OPTION{"--colors", "C", COLORS_HELP};
inline constexpr OptionSpec BACKGROUND_OPTION{
    "--background", "RRGGBB|transparent",
    "(default: the attractor's background colour);\ntransparent: RGBA with the density as alpha"};
inline constexpr OptionSpec DEPTH_OPTION{"--depth", "8|16", "bits a channel (default 8)"};
inline constexpr OptionSpec THREADS_OPTION{
    "--threads", "T", "worker threads, 1 to 256 (default: every core); with --seed, the same bytes again", 1,
    MOST_THREADS};
inline constexpr OptionSpec MEMORY_OPTION{
    "--memory", "MiB",
    "canvas memory; larger pictures render in strips (default 2048, less\n"
    "when the machine or its memory cgroup has less to give)",
    1, LARGEST_MEMORY_MIB};
inline constexpr OptionSpec FIT_OPTION{
    "--fit", "",
    "move the camera so that the attractor fills the picture, centred, with margins of 5 % of\n"
    "the shorter side (the default for a camera nobody moved: a bare code, a document's find)"};
inline constexpr OptionSpec NO_FIT_OPTION{"--no-fit", "", "keep the default camera of a bare code"};
inline const std::vector<OptionSpec> DENSITY_OPTIONS = {SUPERSAMPLE_OPTION, TONE_OPTION,       GAMMA_OPTION,
                                                        COLORS_OPTION,      BACKGROUND_OPTION, DEPTH_OPTION,
                                                        THREADS_OPTION,     MEMORY_OPTION,     FIT_OPTION};

// The 4D turn of render and animate, over the record's: degrees in the planes of w and x, y, z.
inline const std::vector<OptionSpec> TURN4D_OPTIONS = {
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
