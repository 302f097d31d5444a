#include "shell/fonts.h"

#include "core/text_helpers.h"
#include "platform/text_codec.h"

namespace quorlin {

namespace {

// Fonts 1, 2, 4-8: "axis scale", "equations", "text window", "axis labels", "tables",
// "list boxes", "coordinates".
constexpr std::array<int, WindowFonts::kFonts> kCaptionIds = {0,   115, 116, 0,   117,
                                                              118, 119, 120, 121, 0};
constexpr std::array<int, WindowFonts::kFonts> kDefaultPoints = {10, 9,  10, 10, 10,
                                                                 12, 10, 9,  9,  10};

}  // namespace

platform::FontSpec ToFontSpec(const FontRecord& record) {
    platform::FontSpec fontSpec;
    fontSpec.faceName = FromWindows1252(record.faceName);
    fontSpec.height = record.height;
    fontSpec.weight = record.weight;
    fontSpec.italic = record.italic != 0;
    fontSpec.underline = record.underline != 0;
    fontSpec.strikeOut = record.strikeOut != 0;
    fontSpec.escapement = record.escapement;
    return fontSpec;
}

std::optional<FontRecord> FontRecordFromSpec(const platform::FontSpec& fontSpec, FontRecord base) {
    auto face = ToWindows1252(fontSpec.faceName);
    if (!face || face->size() >= FontRecord::kFaceBytes) return std::nullopt;
    base.faceName = std::move(*face);
    base.height = fontSpec.height;
    base.weight = fontSpec.weight;
    base.italic = fontSpec.italic ? 1 : 0;
    base.underline = fontSpec.underline ? 1 : 0;
    base.strikeOut = fontSpec.strikeOut ? 1 : 0;
    base.escapement = fontSpec.escapement;
    return base;
}

WindowFonts::WindowFonts() : points_(kDefaultPoints), captions_(kCaptionIds) {
    for (int i = 0; i < kFonts; ++i) SetPointSize(i, PointSize(i));
}

void WindowFonts::SetPointSize(int i, int pointSize) {
    points_.at(static_cast<std::size_t>(i)) = pointSize;
    Font(i).height = platform::FontHeightForPoints(pointSize, kScreenDpi);
}

std::optional<int> WindowFonts::FontOfCommand(int command) {
    const int i = command - kFirstFontCommand;
    if (i < 0 || i >= kFonts) return std::nullopt;
    return i;
}

void WindowFonts::ScaleFonts(bool begin, int dotsPerInch) {
    if (!begin) {
        if (saved_) fonts_ = *saved_;
        saved_.reset();
        return;
    }
    if (!saved_) saved_ = fonts_;
    const int dpi = dotsPerInch < 1 ? kScreenDpi : dotsPerInch;
    for (int i = 0; i < kFonts; ++i)
        Font(i).height = platform::FontHeightForPoints(PointSize(i), dpi);
}

}  // namespace quorlin
