#pragma once
#include "Find.h"
#include "Picture.h"

#include <optional>
#include <stop_token>

namespace zephyra {

// A square density thumbnail of a find, as the Gallery and the contact sheet show it: light
// glowing out of a dark ground, so that dull finds (a few dots, a smear) show at a glance.
// Runs on the calling thread only (it is called from search workers); nothing when stopped.
[[nodiscard]] std::optional<Picture> RenderFindThumbnail(const Find& find, int size, std::stop_token stop);

} // namespace zephyra
