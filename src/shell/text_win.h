#pragma once
// Text windows with files: open, edit, save and print "*.txt" files.
//
// A text file holds the text in Windows-1252 with CR LF line ends and a zero byte after it,
// at most 64000 bytes of text; a longer text is neither read nor written, and the user is told.
// TTextWin also serves as the read-only help window and as the plain window that takes
// listings; TNoteWin (note_win.h), TTableWin (table_win.h) and TDataWin (data_win.h) build on
// it.
#include <optional>
#include <string>

#include "platform/printing.h"
#include "shell/pre_text_win.h"

namespace quorlin {

inline constexpr std::size_t kMaxTextFileBytes = 64000;

// The file bytes of a text (CR LF line ends, Windows-1252, no zero byte yet); nothing when a
// character has no 8-bit form.
std::optional<std::string> TextFileBytes(const QString& text);
// The text of file bytes (up to the first zero byte; CR LF and lone CR become line feeds).
QString TextOfFileBytes(std::string_view bytes);

class TTextWin : public TPreTextWin {
public:
    explicit TTextWin(QString fileName, QWidget* parent = nullptr);

    QString FileFilter() const override;
    QString DefaultExtension() const override;
    int ReadFile(const QString& path) override;
    int WriteFile(const QString& path, QString* reason) override;

    // Prints the text, page after page, in the window's text font.
    bool PrintText(platform::Printer& printer);
    void Print() override;

    void ResetWindow() override;
};

}  // namespace quorlin
