#pragma once
// The fonts level of every graphing window and text window.
//
// TFontWin holds the window's ten fonts with their point sizes (font i is chosen with command
// 60 + i through the font chooser), the number format of the numbers the window shows, and the
// scaling of the fonts to a printer or metafile and back. A font change is announced with
// Notify(kNotifyFontChanged), so every level can rebuild what depends on the font.
#include <string>

#include "core/numbers.h"
#include "shell/file_msg_win.h"
#include "shell/fonts.h"

namespace quorlin {

inline constexpr int kStrSuccess = 88;   // "success"
inline constexpr int kStrTeXSaved = 89;  // "TeX file saved"

class TFontWin : public TFileMsgWin {
public:
    TFontWin(int kind, QString fileName, QWidget* parent = nullptr);

    WindowFonts& Fonts() { return fonts_; }
    const WindowFonts& Fonts() const { return fonts_; }
    // Whether choosing a font marks the diagram modified (true after construction).
    bool FontChangeMarksModified() const { return fontChangeMarksModified_; }
    void SetFontChangeMarksModified(bool on) { fontChangeMarksModified_ = on; }

    // Lets the user choose font i in the font chooser; true when the font changed.
    bool ChooseFont(int i);

    // --- number format ---
    NumberFormat& Format() { return format_; }
    const NumberFormat& Format() const { return format_; }
    // The decimal places changed: the field width follows (places + 2).
    virtual void NumberFormatChanged();
    std::string FormatNum(long double value) const { return format_.FormatNum(value); }

    // Tells the user that the TeX file was written.
    void ReportTeXSaved();

    // begin: the fonts take the heights of a device of dotsPerInch; end: they are restored.
    void ScaleFonts(bool begin, int dotsPerInch) { fonts_.ScaleFonts(begin, dotsPerInch); }

    // Print (through the print dialog), print format and printer selection on the program's
    // printer; Print is filled by the windows that have something to print.
    virtual void Print() {}

private:
    WindowFonts fonts_;
    NumberFormat format_;
    bool fontChangeMarksModified_ = true;
};

}  // namespace quorlin
