#pragma once
// Printing: one job of one or more diagrams (at most twelve), each drawn by a callback on a
// DeviceContext over the printer's page, one or several diagrams to a page.
//
// The Printer keeps the chosen printer and page format between jobs; choosing them goes through
// the PrintDialogs seam (QPrintDialog and QPageSetupDialog, or a scripted stand-in in tests).
// A job can go to a PDF file instead of a printer, which needs no printer at all.
#include <QPrinter>
#include <QString>
#include <deque>
#include <functional>
#include <span>

#include "platform/device_context.h"

class QWidget;

namespace quorlin::platform {

inline constexpr int kMaxDiagramsPerJob = 12;

// Draws one diagram into its area of the page (device pixels; the context is clipped to it).
// Returns false to stop the job (the user pressed Q).
using DiagramPainter = std::function<bool(DeviceContext& dc, const PixelRect& area)>;

// Diagrams per page as a grid, filled row by row.
struct PrintLayout {
    int columns = 1;
    int rows = 1;
};

enum class PrintResult {
    Done,
    NothingToPrint,   // no diagram given
    TooManyDiagrams,  // more than kMaxDiagramsPerJob
    CannotStart,      // the printer or the file could not be opened
    Interrupted,      // a diagram painter asked to stop; the job was abandoned
};

// The area of cell `index` (row by row) when the page area is divided by the layout.
PixelRect LayoutCell(const PixelRect& page, const PrintLayout& layout, int index);

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Lets the user pick the printer and its options; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Lets the user set paper, orientation and margins; false when cancelled.
    virtual bool ChoosePageFormat(QWidget* parent, QPrinter& printer) = 0;
};

class QtPrintDialogs final : public PrintDialogs {
public:
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    bool ChoosePageFormat(QWidget* parent, QPrinter& printer) override;
};

// Answers from queues (an empty queue cancels) after letting a test adjust the printer.
class ScriptedPrintDialogs final : public PrintDialogs {
public:
    std::deque<bool> printerAnswers;
    std::deque<bool> formatAnswers;
    std::function<void(QPrinter&)> adjust;  // applied before an accepting answer
    int printerAsks = 0;
    int formatAsks = 0;

    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    bool ChoosePageFormat(QWidget* parent, QPrinter& printer) override;
};

// The print dialogs in use (Qt's unless a test installed others).
PrintDialogs& CurrentPrintDialogs();
// Installs print dialogs (not owned); null restores Qt's.
void SetPrintDialogs(PrintDialogs* dialogs);

class Printer {
public:
    Printer();

    QPrinter& Device() { return printer_; }

    // "Select printer" and "Format": through the current PrintDialogs; false when cancelled.
    bool SelectPrinter(QWidget* parent);
    bool SetUpPage(QWidget* parent);

    // Later jobs go to a PDF file, or back to the chosen printer.
    void SetPdfOutput(const QString& path);
    void SetPrinterOutput();
    void SetResolution(int pixelsPerInch) { printer_.setResolution(pixelsPerInch); }
    void SetColor(bool color);

    int PixelsPerInchX() const { return Metrics().pixelsPerInchX; }
    int PixelsPerInchY() const { return Metrics().pixelsPerInchY; }
    // Whether pictures should print in colour: colour chosen, and a printer that has it.
    bool IsColor() const;
    DeviceMetrics Metrics() const;
    // The printable area of a page in device pixels.
    PixelRect PageArea() const;

    PrintResult Print(const QString& documentName, std::span<const DiagramPainter> diagrams,
                      const PrintLayout& layout = {});

private:
    QPrinter printer_;
};

}  // namespace quorlin::platform
