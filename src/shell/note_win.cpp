#include "shell/note_win.h"

namespace quorlin {

TNoteWin::TNoteWin(TFileMsgWin* owner) : TTextWin(QStringLiteral("notebook.txt")), owner_(owner) {
    SetHideOnClose(true);
}

void TNoteWin::MarkModified() {
    TTextWin::MarkModified();
    if (owner_) owner_->MarkModified();
}

}  // namespace quorlin
