#pragma once
// TTextDlg: the dialog that edits one text overlay, "NEWTEXT" for a plain text and "NEWTEXT1"
// for an evaluated one. It works on the caller's record (and evaluated text): wording, anchor,
// opaque background, hyphens turned into another character, angle, font and colour, and for an
// evaluated text its three expressions with their decimal places and its label.
#include <string_view>

#include "canvas/text_overlay.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

class TZELWint;

// Control ids of the two templates.
namespace textdlg {
inline constexpr int kText = 211;  // the text, or expression 1
inline constexpr int kExpression2 = 220;
inline constexpr int kExpression3 = 221;
inline constexpr int kLabel = 222;
inline constexpr int kPlaces1 = 223;  // 224, 225 follow
inline constexpr int kDashCode = 213;
inline constexpr int kAngle = 214;
inline constexpr int kFlag1 = 273;  // 274 .. 277 follow
inline constexpr int kFrame = 251;
inline constexpr int kFigure = 252;
inline constexpr int kOther = 253;
inline constexpr int kTieList = 299;
inline constexpr int kOpaque = 271;
inline constexpr int kHyphens = 272;
inline constexpr int kHideWithPoint = 278;
inline constexpr int kFont = 60;
inline constexpr int kDelete = 52;
}  // namespace textdlg

class TTextDlg : public platform::Dialog {
    Q_OBJECT
public:
    // eval is null for a plain text.
    TTextDlg(TZELWint& window, std::string_view templateName, TEquationLabel& record,
             TEvalText* eval);

    void SetupWindow() override;
    bool CanClose() override;
    void OnControl(int id) override;

private:
    void CmFont();
    void CmDelete();
    // The anchor chosen with the radio buttons; nothing when "other" has no usable choice.
    std::optional<int> ChosenAnchor() const;
    // Reads the expressions, places and flags of an evaluated text; 0 or an error number.
    int ReadEvalFields(int dashCode);

    TZELWint& window_;
    TEquationLabel& record_;
    TEvalText* eval_;
};

}  // namespace quorlin::canvas
