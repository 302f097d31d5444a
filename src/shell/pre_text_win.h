#pragma once
// The base of the text windows: an editor filling the client area, in the window's text font.
//
// TPreTextWin holds the editor and its text, the read-only and hide-on-close choices, and the
// text font (font 4 "text window" of the window's fonts unless a derived window picks another).
// Editing marks the window modified. Attached text windows (notebook, help, listings, tables)
// only hide when closed; they live as long as their graphing window.
#include <QSize>
#include <QString>

#include "shell/font_win.h"

class QPlainTextEdit;

namespace quorlin {

inline constexpr int kTextFontIndex = 4;
inline constexpr int kTableFontIndex = 6;

// The size of an editor showing that many columns and lines of its font beside a scroll bar,
// as far as the available screen allows.
QSize TextAreaSize(const QPlainTextEdit& editor, int columns, int lines);

class TPreTextWin : public TFontWin {
public:
    explicit TPreTextWin(QString fileName, QWidget* parent = nullptr);
    ~TPreTextWin() override;

    QString Text() const;
    // Replaces the text (without marking the window modified).
    void SetText(const QString& text);
    bool IsReadOnly() const;
    void SetReadOnly(bool on);
    void SetHideOnClose(bool on) { hideOnClose_ = on; }

    // Selects the next occurrence of text after the cursor (case-insensitive), wrapping round
    // once; false when the text holds none.
    bool FindText(const QString& text);

    // The font of the editor: font TextFontIndex() of the window, or one handed in.
    virtual int TextFontIndex() const { return kTextFontIndex; }
    void ApplyTextFont();
    void ApplyTextFont(const FontRecord& font);

    void Notify(int code) override;
    bool CanClose() override;
    // A text window opens wide enough for the lines of a listing or a table.
    QSize sizeHint() const override;

protected:
    QPlainTextEdit& Editor() { return *editor_; }

private:
    QPlainTextEdit* editor_;  // owned by this widget
    bool settingText_ = false;
    bool hideOnClose_ = false;
};

}  // namespace quorlin
