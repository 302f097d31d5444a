#include "shell/data_win.h"

namespace quorlin {

TDataWin::TDataWin(int listKind, QWidget* parent)
    : TTextWin(QStringLiteral("data.txt"), parent), listKind_(listKind) {
    SetReadOnly(true);
}

}  // namespace quorlin
