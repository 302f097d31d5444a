#pragma once
// The data-list window that "Inspect ..." shows and FillText refills.
#include "shell/text_win.h"

namespace quorlin {

// The data list shown by "Inspect ...": list kind picks what FillText writes.
class TDataWin : public TTextWin {
public:
    explicit TDataWin(int listKind, QWidget* parent = nullptr);
    int ListKind() const { return listKind_; }
    virtual void FillText() {}

private:
    int listKind_;
};

}  // namespace quorlin
