#pragma once
// The value-table window that a graphing window attaches and fills through BuildTable.
#include "shell/text_win.h"

namespace quorlin {

// The value table of an example or of a trajectory: the graphing window sets the source, and
// BuildTable (filled by the levels that know examples) writes the table.
class TTableWin : public TTextWin {
public:
    explicit TTableWin(QWidget* parent = nullptr);

    // trajectory: the index of one trajectory of the example, -1 for all of them.
    void SetSource(int exampleIndex, int exampleKind, int trajectory = -1);
    int ExampleIndex() const { return exampleIndex_; }
    int ExampleKind() const { return exampleKind_; }
    int Trajectory() const { return trajectory_; }

    virtual void BuildTable() {}
    int TextFontIndex() const override { return kTableFontIndex; }

private:
    int exampleIndex_ = -1;
    int exampleKind_ = 0;
    int trajectory_ = -1;
};

}  // namespace quorlin
