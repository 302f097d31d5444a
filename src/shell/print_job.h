#pragma once
// Printing graphing windows: one window, or up to twelve at once several to a page, on the
// program's printer (which keeps the chosen printer and page format between jobs).
#include <span>

#include "platform/printing.h"

namespace quorlin {

class TZELWin;

platform::Printer& SharedPrinter();

// Diagrams per page for a job of count diagrams: one, two one above the other, then grids of
// 2 x 2, 2 x 3, 3 x 3 and 3 x 4.
platform::PrintLayout LayoutForDiagrams(int count);

// Prints the windows in one job named after the first; TooManyDiagrams beyond twelve.
platform::PrintResult PrintWindows(std::span<TZELWin* const> windows, platform::Printer& printer);

}  // namespace quorlin
