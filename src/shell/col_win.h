#pragma once
// The palette window: a small window of the 61 palette swatches that picks a colour.
//
// A graphing window opens it for one target at a time (a colour role, an example's colour
// word); a click on a swatch hands the swatch's index to the target and hides the picker.
// Closing it only hides it; it lives as long as its graphing window.
#include <QSize>
#include <functional>

#include "platform/window.h"
#include "shell/palette.h"

namespace quorlin {

class TColWin : public platform::Window {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = (Palette::kEntries + kColumns - 1) / kColumns;

    using ChosenFn = std::function<void(int index)>;

    // palette: the owner's, which outlives the picker.
    explicit TColWin(const Palette& palette, QWidget* parent = nullptr);

    // Shows the picker for a new target: the caption, the swatch to mark (-1 none) and what to
    // do with the index chosen.
    void Open(const QString& caption, int current, ChosenFn onChosen);
    int Current() const { return current_; }
    bool HasTarget() const { return static_cast<bool>(onChosen_); }

    // Hands index to the target and hides the picker; ignored outside 0..60 or without target.
    void Choose(int index);

    // Swatch geometry in a client area of the given size; IndexAt is -1 between or outside.
    static QRect SwatchRect(int index, QSize client);
    static int IndexAt(QPoint point, QSize client);

    void Paint(QPainter& painter, const QRect& dirty) override;
    void MouseDown(const platform::MouseEvent& event) override;
    bool CanClose() override;

private:
    const Palette& palette_;
    int current_ = -1;
    ChosenFn onChosen_;
};

}  // namespace quorlin
