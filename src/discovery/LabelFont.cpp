#include "LabelFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace zephyra {

struct LabelFont::State {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~State()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

namespace {
// The file of the font that fontconfig gives for "monospace"; empty when there is none.
std::string MonospaceFontFile()
{
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("monospace"));
    if (config && pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
                file = reinterpret_cast<const char*>(path);
            FcPatternDestroy(match);
        }
    }
    if (pattern)
        FcPatternDestroy(pattern);
    if (config)
        FcConfigDestroy(config);
    return file;
}
} // namespace

LabelFont::LabelFont(int pixelSize)
{
    const std::string file = MonospaceFontFile();
    auto state = std::make_unique<State>();
    if (file.empty() || FT_Init_FreeType(&state->library) != 0 ||
        FT_New_Face(state->library, file.c_str(), 0, &state->face) != 0 ||
        FT_Set_Pixel_Sizes(state->face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        return;
    state_ = std::move(state);
}

LabelFont::~LabelFont() = default;

void LabelFont::Draw(Picture& picture, int x, int y, std::string_view text, const Rgb& color) const
{
    if (!state_)
        return;
    FT_Face face = state_->face;
    const int baseline = y + static_cast<int>(face->size->metrics.ascender >> 6);
    int penX = x;
    for (const char c : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0)
            continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = penX + face->glyph->bitmap_left;
        const int top = baseline - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int py = top + static_cast<int>(row);
            if (py < 0 || py >= picture.Height())
                continue;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int px = left + static_cast<int>(col);
                if (px < 0 || px >= picture.Width())
                    continue;
                const float alpha = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col] / 255.0f;
                for (int k = 0; k < 3; ++k) {
                    const auto under = static_cast<float>(picture.Sample(px, py, k));
                    picture.SetSample(px, py, k,
                                      under + (color[static_cast<std::size_t>(k)] - under) * alpha);
                }
            }
        }
        penX += static_cast<int>(face->glyph->advance.x >> 6);
    }
}

} // namespace zephyra
