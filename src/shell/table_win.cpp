#include "shell/table_win.h"

namespace quorlin {

TTableWin::TTableWin(QWidget* parent) : TTextWin(QStringLiteral("table.txt"), parent) {
    SetReadOnly(true);
    ApplyTextFont();
}

void TTableWin::SetSource(int exampleIndex, int exampleKind, int trajectory) {
    exampleIndex_ = exampleIndex;
    exampleKind_ = exampleKind;
    trajectory_ = trajectory;
}

}  // namespace quorlin
