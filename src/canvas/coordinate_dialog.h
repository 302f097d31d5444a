#pragma once
// TEditCoorDlg: the small modal dialog ("LAGPT") that edits one point (x, y) of a graphing
// window in the window's number format. Both fields take any expression the window reads; each
// holds at most 50 characters, and the field takes no more. The caller's point is written only
// when both values are read and, with the view check on, lie in the window's view (else "out of
// bounds"); an error keeps the dialog open. With deletion allowed its "delete" ends it with
// kDeleted and the point as it was; without, the button is hidden.
#include <string_view>

#include "canvas/view_frame.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

class TZELWing;

class TEditCoorDlg : public platform::Dialog {
public:
    static constexpr int kX = 211;
    static constexpr int kY = 212;
    static constexpr int kDelete = 52;
    // What Execute answers after "delete".
    static constexpr int kDeleted = 999;
    static constexpr int kMaxFieldChars = 50;

    struct TOptions {
        bool deleteAllowed = false;
        bool mustLieInView = false;
    };

    TEditCoorDlg(TZELWing& window, std::string_view templateName, WorldPoint& point,
                 TOptions options);

protected:
    void SetupWindow() override;
    // Reads both fields: true and the point written, or the error shown and false.
    bool CanClose() override;
    void OnControl(int id) override;

private:
    TZELWing& window_;
    WorldPoint& point_;
    TOptions options_;
};

}  // namespace quorlin::canvas
