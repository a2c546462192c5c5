#pragma once
#include "Attractor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zephyra {

// One attractor a search accepted, as plain values: workers hand it to other threads by copy,
// never as a shared record (the record's reference count is not made for threads).
struct Find {
    std::uint64_t index = 0; // the try that found it; orders the finds of a search
    std::string code;
    std::vector<double> exactCoefficients; // values between the letters of `code`, or none
    float lyapunov = 0.0f;
    float fractalDim = 0.0f;
    float fill = 0.0f; // share of a 64 x 64 grid that the points reach
    std::int32_t pointsCount = 0;
    DisplaySettings display;
    Thumbnail thumbnail{};
    // The Lyapunov spectrum (bits per step, largest first) and its Kaplan-Yorke dimension, when the
    // search's filter asked for them; empty otherwise.
    std::vector<double> spectrum;
    double kaplanYorke = 0.0;
};

// A fresh record of the find, with its measurements, display and thumbnail.
[[nodiscard]] AttractorRef MakeAttractor(const Find& find, const AttractorDefaults& defaults);

} // namespace zephyra
