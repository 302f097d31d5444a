#pragma once
// Set-up and can-close logic of the export option dialogs, free of any widget.
//
// "PICTEX" (PiCTeX setup) edits the picture width, the output kind, the box number, the frame
// count and the names of the parameters an animation moves; "SVG" (SVG setup) edits the picture
// size. The dialog classes fill their controls from SetUp and ask CanClose on OK; tests drive
// the same logic with field texts.
#include <QString>

#include <string>

namespace quorlin::canvas {

// PiCTeX output kinds, in the order of the dialog's radio buttons.
enum TexOutputKind : int {
    kTexStandalone = 0,
    kLatexStandalone = 1,
    kTexCompilable = 2,
    kTexInsertable = 3,
};

inline constexpr int kErrorInconsistentData = 6;
inline constexpr int kErrorOutOfBounds = 17;

// Frame offer of the PiCTeX dialog.
enum FramesAllowed : int {
    kNoFrames = 0,
    kFramesWithParameters = 1,
    kFramesWithoutParameters = 2,
};

struct TeXDialogValues {
    long double pictureWidth = 8.0L;  // centimetres
    int outputKind = kTexStandalone;
    int boxNumber = 1;
    long double whitespaceRadius = -0.75L;  // negative: not asked
    int frameCount = 1;
    std::string parameterNames;  // at most 40 characters
    int framesAllowed = kFramesWithParameters;
};

// What the controls of "PICTEX" show or hold.
struct TeXDialogFields {
    QString width;        // 211
    QString boxNumber;    // 212
    int checkedKind = 0;  // radio buttons 251..254
    QString radius;       // 213
    bool pages = false;   // 271
    QString frameCount;   // 214
    QString parameters;   // 215, text limit 41
};

// Which controls of "PICTEX" are visible.
struct TeXDialogVisibility {
    bool pages = true;
    bool frameCount = false;
    bool parameters = false;  // the edit and its label
    bool radius = true;       // the edit and its label
};

class TeXDialogLogic {
public:
    static constexpr int kParameterLimit = 41;
    explicit TeXDialogLogic(TeXDialogValues& values) : values_(values) {}

    TeXDialogFields SetUp() const;
    // The frame fields follow the "pages" box (also the handler of a click on it).
    TeXDialogVisibility Visibility(bool pagesChecked) const;
    // 0 when the fields are accepted (and stored), else the error number to show.
    int CanClose(const TeXDialogFields& fields);

private:
    TeXDialogValues& values_;
};

struct SvgDialogValues {
    int width = 0;  // pixels
    int height = 0;
};

struct SvgDialogFields {
    QString width;   // 211, text limit 20
    QString height;  // 212, text limit 20
};

class SvgDialogLogic {
public:
    static constexpr int kMinimumSize = 10;
    explicit SvgDialogLogic(SvgDialogValues& values) : values_(values) {}

    SvgDialogFields SetUp() const;
    // 0 when both sizes are at least 10, else error 17; what was read is stored either way.
    int CanClose(const SvgDialogFields& fields);

private:
    SvgDialogValues& values_;
};

}  // namespace quorlin::canvas
