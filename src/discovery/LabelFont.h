#pragma once
#include "DisplaySettings.h"
#include "Picture.h"

#include <memory>
#include <string_view>

namespace zephyra {

// A monospaced system font (found through fontconfig, drawn by FreeType) for the labels of
// pictures. Without a usable font it draws nothing, so a picture never fails for want of labels.
class LabelFont {
public:
    explicit LabelFont(int pixelSize);
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    // Draws one line of ASCII text with its top-left corner at (x, y), blended over the picture.
    void Draw(Picture& picture, int x, int y, std::string_view text, const Rgb& color) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace zephyra
