#pragma once
// The notebook: the text window whose text a diagram file carries.
#include "shell/text_win.h"

namespace quorlin {

// The notebook of a graphing window: editing it modifies the diagram; closing only hides it.
class TNoteWin : public TTextWin {
public:
    explicit TNoteWin(TFileMsgWin* owner);
    void MarkModified() override;

private:
    TFileMsgWin* owner_;  // the graphing window, which owns this window's host
};

}  // namespace quorlin
