#pragma once
// Printing graphing windows: one window, or up to twelve at once several to a page, on the
// program's printer (which keeps the chosen printer and page format between jobs).
#include <QSize>
#include <span>

#include "platform/printing.h"

namespace quorlin {

class TZELWin;

platform::Printer& SharedPrinter();

// Diagrams per page for a job of count diagrams: one, two one above the other, then grids of
// 2 x 2, 2 x 3, 3 x 3 and 3 x 4.
platform::PrintLayout LayoutForDiagrams(int count);

// Where a printed diagram lies in its page cell and how much it is enlarged: the window's
// drawing area, its proportions kept, as large as the cell allows and centred in it; the scale
// is page pixels per screen pixel, and everything measured in screen pixels (fonts, tick
// lengths, arrowheads) grows by it. A window that has no size yet fills the cell at
// fallbackScale.
struct PrintedImage {
    platform::PixelRect rect;
    double scale = 1.0;
};
PrintedImage FitPrintedImage(QSize client, const platform::PixelRect& cell, double fallbackScale);

// Prints the windows in one job named after the first; TooManyDiagrams beyond twelve.
platform::PrintResult PrintWindows(std::span<TZELWin* const> windows, platform::Printer& printer);

}  // namespace quorlin
