#pragma once
// TMetaDlg: the dialog "METADLG" ("edit graphic") of a pasted picture. It edits the caller's
// rectangle (absolute world coordinates while it runs), transparency and anchor: a new size in
// centimetres with the top-left corner kept, a tie to a point example, and the buttons that
// cut, copy or clear the picture or stretch it over the whole view. The button that ended the
// dialog goes to the caller's result.
#include "canvas/view_frame.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

class TZELWint;

namespace metadlg {
inline constexpr int kImageSize = 271;
inline constexpr int kWidth = 211;
inline constexpr int kHeight = 212;
inline constexpr int kAnchor = 272;
inline constexpr int kTieList = 299;
inline constexpr int kTransparent = 273;
inline constexpr int kCut = 96;
inline constexpr int kCopy = 95;
inline constexpr int kClear = 52;
inline constexpr int kFill = 86;
}  // namespace metadlg

class TMetaDlg : public platform::Dialog {
    Q_OBJECT
public:
    TMetaDlg(TZELWint& window, TLDRect& rect, bool& transparent, int& anchor, int& result);

    void SetupWindow() override;
    bool CanClose() override;
    void OnControl(int id) override;

private:
    // Reads the controls into the caller's variables when something changed and all is sound;
    // false when the size is impossible.
    bool ReadDialog();

    TZELWint& window_;
    TLDRect& rect_;
    bool& transparent_;
    int& anchor_;
    int& result_;
    int dpi_ = 96;
};

}  // namespace quorlin::canvas
