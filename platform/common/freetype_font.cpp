// Fonts from the system's faces: fontconfig finds the file of a family, FreeType rasterises its
// glyphs. A font is sized the way GDI sizes one: the cell height is the face's whole line (its
// Windows ascent plus descent), the average width is the width of the face's 'x', and the glyphs
// are stretched horizontally to meet it. Characters the face lacks are taken from the
// fallback faces, so Japanese text in a Latin face still shows.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>
#include <unordered_map>
#include <vector>

#include "font_internal.h"

namespace platform {
namespace {

struct FaceChoice {
    const char* family;
    bool bold;
};

// The faces the game names have no counterpart here; these stand in for them, best first.
std::vector<FaceChoice> FaceChain(const std::string& faceName) {
    if (faceName == "標準ゴシック") return {{"IPAGothic", false}, {"DejaVu Sans", false}};
    if (strcasecmp(faceName.c_str(), "Impact") == 0)
        return {
            {"Impact", false}, {"Liberation Sans Narrow", true}, {"DejaVu Sans Condensed", true}};
    return {{faceName.c_str(), false}, {"DejaVu Sans", false}};
}

// Faces asked for characters that the chosen face lacks.
constexpr FaceChoice kGlyphFallbacks[] = {{"IPAGothic", false}, {"DejaVu Sans", false}};

FT_Library FreeType() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

FcConfig* Fontconfig() {
    static FcConfig* config = FcInitLoadConfigAndFonts();
    return config;
}

bool FamilyMatches(FcPattern* match, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0) return true;
    return false;
}

// The file and face index of a family, only when fontconfig has that family itself (its nearest
// match for an unknown name is some other face, which the chain decides about instead).
bool LocateFace(const FaceChoice& choice, std::string* file, int* index) {
    FcConfig* config = Fontconfig();
    if (config == nullptr) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(choice.family));
    FcPatternAddInteger(pattern, FC_WEIGHT, choice.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    if (match != nullptr) {
        FcChar8* path = nullptr;
        int faceIndex = 0;
        if (FamilyMatches(match, choice.family) &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
            *file = reinterpret_cast<const char*>(path);
            *index = faceIndex;
            found = true;
        }
        FcPatternDestroy(match);
    }
    return found;
}

// One FreeType face set to the cell height and average width, with its baseline.
class SizedFace {
  public:
    static std::unique_ptr<SizedFace> Open(const FaceChoice& choice, int cellHeight,
                                           int averageWidth) {
        std::string file;
        int index = 0;
        if (FreeType() == nullptr || !LocateFace(choice, &file, &index)) return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(FreeType(), file.c_str(), index, &face) != 0) return nullptr;
        auto sized = std::unique_ptr<SizedFace>(new SizedFace(face, choice.family));
        if (!sized->SetSize(cellHeight, averageWidth)) return nullptr;
        return sized;
    }

    ~SizedFace() { FT_Done_Face(face_); }
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;

    bool HasGlyph(char32_t codepoint) const { return FT_Get_Char_Index(face_, codepoint) != 0; }
    const std::string& Family() const { return family_; }

    bool Rasterise(char32_t codepoint, Glyph* out) const {
        if (FT_Load_Char(face_, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
            return false;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        out->advance = static_cast<int>((slot->advance.x + 32) >> 6);
        out->left = slot->bitmap_left;
        out->top = ascent_ - slot->bitmap_top;
        out->width = static_cast<int>(bitmap.width);
        out->height = static_cast<int>(bitmap.rows);
        out->coverage.assign(static_cast<size_t>(out->width) * static_cast<size_t>(out->height), 0);
        for (int y = 0; y < out->height; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < out->width; ++x) {
                uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                    : row[x];
                out->coverage[static_cast<size_t>(y * out->width + x)] = value;
            }
        }
        return true;
    }

  private:
    SizedFace(FT_Face face, std::string family) : face_(face), family_(std::move(family)) {}

    // GDI's cell is the Windows ascent plus descent of the OS/2 table. Its average character
    // width is, as GDI documents it, generally the width of the letter x, measured here from the
    // face itself. The table's xAvgCharWidth weights the narrow space heavily (and in newer
    // tables averages every glyph): sized by it, the stand-ins for Impact, whose capitals are
    // wider than Impact's, ran the title's and the HUD's texts into each other. A face without
    // an 'x' falls back on the table, then on half an em.
    bool SetSize(int cellHeight, int averageWidth) {
        const double unitsPerEm = face_->units_per_EM > 0 ? face_->units_per_EM : 1000.0;
        double ascentUnits = face_->ascender, descentUnits = -face_->descender;
        double averageUnits = 0;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
        if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            ascentUnits = os2->usWinAscent;
            descentUnits = os2->usWinDescent;
        }
        if (ascentUnits + descentUnits <= 0) return false;
        if (FT_Get_Char_Index(face_, 'x') != 0 && FT_Load_Char(face_, 'x', FT_LOAD_NO_SCALE) == 0)
            averageUnits = face_->glyph->metrics.horiAdvance;
        if (averageUnits <= 0 && os2 != nullptr) averageUnits = os2->xAvgCharWidth;
        if (averageUnits <= 0) averageUnits = unitsPerEm / 2;
        const double emHeight = cellHeight * unitsPerEm / (ascentUnits + descentUnits);
        double emWidth = emHeight;
        if (averageWidth > 0) emWidth = averageWidth * unitsPerEm / averageUnits;
        if (FT_Set_Char_Size(face_, ToF26Dot6(emWidth), ToF26Dot6(emHeight), 72, 72) != 0)
            return false;
        ascent_ = static_cast<int>(std::lround(ascentUnits * emHeight / unitsPerEm));
        return true;
    }

    static FT_F26Dot6 ToF26Dot6(double pixels) {
        return static_cast<FT_F26Dot6>(std::max(1.0, std::round(pixels * 64.0)));
    }

    FT_Face face_;
    std::string family_;
    int ascent_ = 0;
};

class SystemFont final : public Font {
  public:
    SystemFont(std::unique_ptr<SizedFace> face, int cellHeight, int averageWidth)
        : cellHeight_(cellHeight), averageWidth_(averageWidth) {
        faces_.push_back(std::move(face));
    }

    int CellHeight() const override { return cellHeight_; }
    std::string FaceName() const override { return faces_.front()->Family(); }

    const Glyph& GlyphFor(char32_t codepoint) override {
        return glyphs_.Get(codepoint, [this](char32_t c) { return Rasterise(c); });
    }

  private:
    Glyph Rasterise(char32_t codepoint) {
        Glyph glyph;
        if (const SizedFace* face = FaceFor(codepoint); face && face->Rasterise(codepoint, &glyph))
            return glyph;
        // No face has it: the built-in font's box, at this font's size.
        if (!builtIn_) builtIn_ = MakeBuiltInFont(cellHeight_, averageWidth_);
        return builtIn_->GlyphFor(codepoint);
    }

    const SizedFace* FaceFor(char32_t codepoint) {
        for (const auto& face : faces_)
            if (face->HasGlyph(codepoint)) return face.get();
        if (!fallbacksOpened_) {
            fallbacksOpened_ = true;
            for (const FaceChoice& choice : kGlyphFallbacks)
                if (choice.family != faces_.front()->Family())
                    if (auto face = SizedFace::Open(choice, cellHeight_, averageWidth_))
                        faces_.push_back(std::move(face));
            for (size_t i = 1; i < faces_.size(); ++i)
                if (faces_[i]->HasGlyph(codepoint)) return faces_[i].get();
        }
        return nullptr;
    }

    int cellHeight_;
    int averageWidth_;
    std::vector<std::unique_ptr<SizedFace>> faces_;
    bool fallbacksOpened_ = false;
    std::shared_ptr<Font> builtIn_;
    GlyphCache glyphs_;
};

} // namespace

std::shared_ptr<Font> MakeSystemFont(const std::string& faceName, int cellHeight,
                                     int averageWidth) {
    for (const FaceChoice& choice : FaceChain(faceName))
        if (auto face = SizedFace::Open(choice, cellHeight, averageWidth))
            return std::make_shared<SystemFont>(std::move(face), cellHeight, averageWidth);
    return nullptr;
}

} // namespace platform
