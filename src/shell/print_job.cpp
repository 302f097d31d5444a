#include "shell/print_job.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <vector>

#include "shell/zel_win.h"

namespace quorlin {

platform::Printer& SharedPrinter() {
    static platform::Printer printer;
    return printer;
}

platform::PrintLayout LayoutForDiagrams(int count) {
    if (count <= 1) return {1, 1};
    if (count == 2) return {1, 2};
    if (count <= 4) return {2, 2};
    if (count <= 6) return {2, 3};
    if (count <= 9) return {3, 3};
    return {3, 4};
}

PrintedImage FitPrintedImage(QSize client, const platform::PixelRect& cell, double fallbackScale) {
    if (client.isEmpty() || cell.IsEmpty()) return {cell, fallbackScale};
    const double scale = std::min(static_cast<double>(cell.Width()) / client.width(),
                                  static_cast<double>(cell.Height()) / client.height());
    const int width =
        std::clamp(static_cast<int>(std::lround(client.width() * scale)), 1, cell.Width());
    const int height =
        std::clamp(static_cast<int>(std::lround(client.height() * scale)), 1, cell.Height());
    const int left = cell.left + (cell.Width() - width) / 2;
    const int top = cell.top + (cell.Height() - height) / 2;
    return {platform::PixelRect{left, top, left + width, top + height}, scale};
}

platform::PrintResult PrintWindows(std::span<TZELWin* const> windows, platform::Printer& printer) {
    // The printer refuses a job of more than twelve; an empty one has no first name.
    if (windows.empty()) return platform::PrintResult::NothingToPrint;
    const bool colour = printer.IsColor();
    std::vector<platform::DiagramPainter> painters;
    for (TZELWin* window : windows) {
        painters.push_back(
            [window, colour](platform::DeviceContext& dc, const platform::PixelRect& area) {
                return window->PrintOn(dc, area, colour);
            });
    }
    const QString name = QFileInfo(windows.front()->FileName()).fileName();
    return printer.Print(name, painters, LayoutForDiagrams(static_cast<int>(windows.size())));
}

}  // namespace quorlin
