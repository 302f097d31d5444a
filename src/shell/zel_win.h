#pragma once
// The top shell level of a graphing window: the settings every graphing window shares.
//
// TZELWin adds to the levels below it the output flags (printing, high resolution, no key
// polling, animation frame), the animation delay, the mouse mode with the handlers the levels
// register for each mode (mouse_modes.h), the placement of dialogs and of the window itself, the
// binary ini file (read at set-up, written when the window closes), the palette window for
// choosing colours, the help window, the plain text window that takes listings, printing on the
// program's printer, and the file commands of its menu.
//
// Levels above fill the virtual slots: StoreIni/LoadIni for their ini words, DrawAll and
// DrawPicture for what the window shows, DrawForOutput for printing, and the body slots of the
// diagram file.
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/printing.h"
#include "resources/command_ids.h"
#include "shell/col_win.h"
#include "shell/help_window.h"
#include "shell/ini_file.h"
#include "shell/mouse_modes.h"
#include "shell/note_win.h"
#include "shell/pre_win.h"
#include "shell/table_win.h"
#include "shell/text_win.h"

namespace quorlin {

inline constexpr int kGraphWindowVersion = kProgramVersion;
inline constexpr int kDefaultDelayMs = 500;
inline constexpr int kStrCurrentValue = 86;  // "current value of x"

// Output states that drawers look at (whether a page is being printed is Printing().printing).
struct OutputFlags {
    int printLineWidth = 1;        // pen width on paper, pixels
    double printScale = 1.0;       // device pixels per screen pixel while printing
    bool highResolution = false;   // a high-resolution metafile is being made
    int highResolutionFactor = 1;  // 1, or 9 while high resolution output runs
    bool opaqueBackground = false;
    bool graphInBlack = false;
    bool noPolling = false;       // long loops skip their key poll (animations, slider redraws)
    bool animationFrame = false;  // an animation is drawing its frames
};

class TZELWin : public TPreWin {
public:
    TZELWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TZELWin() override;

    OutputFlags& Output() { return output_; }
    const OutputFlags& Output() const { return output_; }
    // The size drawers map to: the client area on the screen, the page cell while printing.
    QSize OutputSize() const;

    int Delay() const { return delayMs_; }
    void SetDelay(int ms) { delayMs_ = ms; }

    // --- mouse mode (commands 120-129; each level enables the modes it handles) ---
    int MouseMode() const { return mouseMode_; }
    virtual void SetMouseMode(int id);

    // --- placement ---
    // Dialogs open at this column (two thirds of the screen height) and row (caption plus menu
    // height).
    static int DialogColumn();
    static int DialogRow();
    // A new window: a square two thirds of the screen height, below the caption and menu.
    static QRect DefaultGeometry();
    // The placement kept in the ini file, if any.
    const std::optional<WindowPlacement>& IniPlacement() const { return iniPlacement_; }
    // Places the window where the ini file kept it, else at the default geometry (set-up does),
    // moved and shrunk as needed to lie inside PlacementArea.
    void ApplyIniPlacement();
    // Where the window may lie: the frame's client area for a child of a shown frame, else the
    // screen's available area.
    QRect PlacementArea() const;
    // Moves the window `steps` cascade steps (DialogRow: a caption and a menu) right and down
    // from where it stands, cut at the right and bottom of PlacementArea, so that windows set
    // up at one place each show their caption and menu above the next. The ini file keeps the
    // place it came from, so the next window of the kind opens where the first did; a window the
    // user moved afterwards keeps the place it was moved to.
    void Cascade(int steps);

    // --- ini file ---
    const QString& IniName() const { return iniName_; }
    // "Use defaults for child windows" (the frame's choice, command 49): this window skips its
    // ini file. Starts as the choice in "qz.ini"; the code that creates a window may set it
    // before set-up.
    bool UseDefaults() const { return useDefaults_; }
    void SetUseDefaults(bool on) { useDefaults_ = on; }
    // Reads the ini file (unless defaults are asked for); whether it was read.
    bool ReadIni();
    bool IniWasRead() const { return iniRead_; }
    // Writes the ini file; false when it could not be written.
    bool WriteIni();
    // Each level puts its words into the record / takes them from it, then calls its base.
    virtual void StoreIni(IniRecord& record) const;
    virtual void LoadIni(const IniRecord& record);
    const QString& LastFileOfIni() const { return lastFileOfIni_; }
    // The file handed over at creation, else the ini's last file when "Open last" is on. The
    // main frame calls it once the window is set up.
    int LoadStartFile(bool openLast);
    // Whether LoadStartFile will find a file to read (known once the ini file was read).
    bool WillLoadStartFile(bool openLast) const;

    // --- colours ---
    // The palette index to draw with and the colour to output (black / grey on a black and
    // white printer).
    int DrawColor(int index) const { return ::quorlin::DrawColor(index, Printing()); }
    QColor OutputColor(int index) const {
        return ::quorlin::OutputColor(GetPalette(), index, Printing()).ToQColor();
    }
    std::int16_t StyleWord(int n) const { return Styles().StyleWord(n); }
    // Opens the palette window to choose the colour of role i; the window is then modified.
    virtual void ChooseColor(int role);
    // Opens the palette window for a colour word: the caption (string id, or the text when
    // given), the target word, the index to mark (-1 none).
    void OpenColorPicker(int captionId, std::int16_t* target, int current,
                         const QString& text = {});
    void OpenColorPicker(int captionId, std::function<void(int)> target, int current,
                         const QString& text = {});
    bool IsPaletteShown() const;
    TColWin* PaletteWindow() const { return palette_; }

    // String 86 "current value of x" with its x replaced by letter.
    static QString CurrentValueLabel(char letter);

    // --- attached windows ---
    TTextWin& PlainTextWindow();
    HelpWindow* Help() const { return help_; }
    void AttachTableWindow(TTableWin* table);
    TTableWin* TableWindow() const { return table_; }
    void ShowHelp(const QString& helpName, const QString& topic) override;
    // Hides the notebook, help, table and palette windows, then the window.
    void HideWindow() override;

    // --- fonts on other devices ---
    // Print scale from the device's resolution against the screen's (what a window without a
    // size prints at; PrintOn fits the diagram to its page cell).
    void MeasurePrintScale(const platform::DeviceContext& dc);
    // The pixels per inch the fonts are sized for on the output being drawn: the screen's 96,
    // times the print scale while printing, times the high-resolution factor in high
    // resolution. Texts drawn in fonts of their own size them with it too.
    int OutputFontDpi() const;
    // Fonts at factor times the screen resolution (high-resolution output), and back.
    void ScaleFontsBy(bool on, int factor);

    // --- printing ---
    // Draws the diagram into a page cell: used by printing (one window or several at once).
    // The diagram fills the cell as FitPrintedImage says, the print scale and the fonts follow
    // it, and the drawing goes through DrawForOutput, clipped to the image.
    bool PrintOn(platform::DeviceContext& dc, const platform::PixelRect& area, bool colour);
    // What a printed page shows: the same layers as the screen, background, DrawAll and
    // DrawPicture, mapped to OutputSize(). Levels that map world to pixels override it to
    // map to the page and call it.
    virtual int DrawForOutput(platform::DeviceContext& dc);
    platform::PrintResult PrintTo(platform::Printer& printer);
    void Print() override;
    // Simultaneous printing: up to twelve diagram files in one job, several to a page, each
    // read into this window in turn; the window's own diagram comes back afterwards.
    platform::PrintResult PrintDiagramFiles(const QStringList& files, platform::Printer& printer);
    // Set while PrintDiagramFiles runs; levels that open dialogs after reading a file skip them.
    bool IsSimultaneousPrinting() const { return simultaneousPrinting_; }

    void ResetWindow() override;
    void UpdateMenuChecks(bool flag) override;
    bool OnCommand(int id) override;
    // The mouse goes to the handlers of the chosen mode (mouse_modes.h).
    void MouseDown(const platform::MouseEvent& event) override;
    void MouseMove(const platform::MouseEvent& event) override;
    void MouseUp(const platform::MouseEvent& event) override;
    const MouseModeTable& MouseModes() const { return mouseModes_; }

protected:
    // Makes mouse mode id a command of the window and stacks the handler (if any) on those of
    // the mode: a level calls it for each mode whose mouse handling it brings, so that the
    // modes of levels not built yet stay disabled.
    void HandleMouseMode(int id, std::unique_ptr<MouseModeHandler> handler = nullptr);
    // Stacks a handler on a mode whose command another level makes.
    void AddMouseModeHandler(int id, std::unique_ptr<MouseModeHandler> handler);
    QSize BackgroundSize() const override;
    double ImageScale() const override;
    bool ShowsReadNotebook() const override { return !simultaneousPrinting_; }
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    QString iniName_;
    OutputFlags output_;
    std::optional<QSize> outputSize_;
    int delayMs_ = kDefaultDelayMs;
    std::int16_t mouseMode_ = resources::cmd::kMouseCoordinates;
    bool useDefaults_ = false;
    bool iniRead_ = false;
    bool simultaneousPrinting_ = false;
    QString lastFileOfIni_;
    std::optional<WindowPlacement> iniPlacement_;
    QPoint cascadeShift_;  // how far Cascade moved the window
    QPoint cascadedTo_;    // where it put it
    QPointer<TColWin> palette_;
    QPointer<HelpWindow> help_;
    QPointer<TTextWin> plainText_;
    QPointer<TTableWin> table_;
    MouseModeTable mouseModes_;
};

}  // namespace quorlin
