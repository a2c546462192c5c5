#pragma once
#include "Find.h"
#include "Picture.h"

#include <optional>
#include <stop_token>
#include <vector>

namespace zephyra {

constexpr int SHEET_THUMBNAIL_SIZE = 192;

// A contact sheet of finds: their density thumbnails (SHEET_THUMBNAIL_SIZE square) in a grid of up
// to six columns, each with its code's first letters and its l and f under it, drawn on `jobs`
// threads. Nothing when stopped.
[[nodiscard]] std::optional<Picture> RenderContactSheet(const std::vector<Find>& finds, int jobs,
                                                        std::stop_token stop);

} // namespace zephyra
