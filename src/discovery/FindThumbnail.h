#pragma once
#include "Find.h"
#include "Picture.h"

#include <cstdint>
#include <optional>
#include <stop_token>

namespace zephyra {

// A square density thumbnail of a find, as the Gallery and the contact sheet show it: light
// glowing out of a dark ground, so that dull finds (a few dots, a smear) show at a glance.
// Runs on the calling thread only (it is called from search workers); nothing when stopped.
[[nodiscard]] std::optional<Picture> RenderFindThumbnail(const Find& find, int size, std::stop_token stop);

// The most memory RenderFindThumbnail holds for a find of `points` points: its exact orbit and the
// starts taken from it, its canvas and the picture.
[[nodiscard]] std::uint64_t FindThumbnailBytes(std::int32_t points, int size);

} // namespace zephyra
