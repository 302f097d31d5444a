#include "shell/col_win.h"

#include <QPainter>

namespace quorlin {
namespace {

constexpr int kGap = 2;
constexpr QSize kInitialSize(kGap + TColWin::kColumns * 26, kGap + TColWin::kRows * 26);

}  // namespace

TColWin::TColWin(const Palette& palette, QWidget* parent)
    : platform::Window(parent), palette_(palette) {
    resize(kInitialSize);
}

void TColWin::Open(const QString& caption, int current, ChosenFn onChosen) {
    SetCaption(caption);
    current_ = current;
    onChosen_ = std::move(onChosen);
    Invalidate();
    ShowWindow();
}

void TColWin::Choose(int index) {
    if (index < 0 || index >= Palette::kEntries || !onChosen_) return;
    current_ = index;
    const ChosenFn target = std::exchange(onChosen_, ChosenFn{});
    HideWindow();
    target(index);
}

QRect TColWin::SwatchRect(int index, QSize client) {
    const int cellW = std::max(1, (client.width() - kGap) / kColumns);
    const int cellH = std::max(1, (client.height() - kGap) / kRows);
    const int column = index % kColumns;
    const int row = index / kColumns;
    return QRect(kGap + column * cellW, kGap + row * cellH, cellW - kGap, cellH - kGap);
}

int TColWin::IndexAt(QPoint point, QSize client) {
    for (int i = 0; i < Palette::kEntries; ++i) {
        if (SwatchRect(i, client).contains(point)) return i;
    }
    return -1;
}

void TColWin::Paint(QPainter& painter, const QRect&) {
    painter.fillRect(rect(), palette().window());
    for (int i = 0; i < Palette::kEntries; ++i) {
        const QRect swatch = SwatchRect(i, size());
        painter.fillRect(swatch, palette_.GetColor(i).ToQColor());
        if (i == current_) {
            painter.setPen(QPen(Qt::black, 2));
            painter.drawRect(swatch.adjusted(1, 1, -1, -1));
        }
    }
}

void TColWin::MouseDown(const platform::MouseEvent& event) {
    if (event.button == platform::MouseButton::Left) Choose(IndexAt(event.point, size()));
}

bool TColWin::CanClose() {
    onChosen_ = {};
    HideWindow();
    return false;
}

}  // namespace quorlin
