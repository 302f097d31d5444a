#pragma once
// Fonts of a graphing window.
//
// The stored font record (shell/records/font_record.h) as the drawing font of the device
// context, and back. WindowFonts holds the window's ten fonts with their point
// sizes and the string ids that caption their font dialogs; font i is chosen with command
// 60 + i. For printing and metafiles the heights are scaled to the device and restored after.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/drawing_tools.h"
#include "shell/records/font_record.h"

namespace quorlin {

// The device context's description of the font (face, height, weight, italic, underline,
// strike-out, escapement).
platform::FontSpec ToFontSpec(const FontRecord& record);
// The record with the FontSpec's fields put into base (its other fields kept); nothing when the
// face name has no Windows-1252 form or is longer than 31 bytes, since a file could not
// store it.
std::optional<FontRecord> FontRecordFromSpec(const platform::FontSpec& fontSpec, FontRecord base);

class WindowFonts {
public:
    static constexpr int kFonts = 10;
    static constexpr int kFirstFontCommand = 60;
    static constexpr int kScreenDpi = 96;

    WindowFonts();

    FontRecord& Font(int i) { return fonts_.at(static_cast<std::size_t>(i)); }
    const FontRecord& Font(int i) const { return fonts_.at(static_cast<std::size_t>(i)); }
    int PointSize(int i) const { return points_.at(static_cast<std::size_t>(i)); }
    // Sets font i to pointSize on the screen.
    void SetPointSize(int i, int pointSize);
    // String id of the caption of font i's dialog; 0 for a font without one.
    int CaptionId(int i) const { return captions_.at(static_cast<std::size_t>(i)); }

    static int CommandOfFont(int i) { return kFirstFontCommand + i; }
    // The font a command 60..69 chooses.
    static std::optional<int> FontOfCommand(int command);

    // begin: keeps the ten records and sets each height for a device of dotsPerInch (a value
    // below 1 means the screen's 96); end: puts the kept records back. A second begin before
    // the end keeps the first records.
    void ScaleFonts(bool begin, int dotsPerInch);
    bool IsScaled() const { return saved_.has_value(); }

private:
    std::array<FontRecord, kFonts> fonts_;
    std::array<int, kFonts> points_;
    std::array<int, kFonts> captions_;
    std::optional<std::array<FontRecord, kFonts>> saved_;
};

}  // namespace quorlin
