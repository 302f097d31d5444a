#include "platform/printing.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/service_slot.h"

namespace quorlin::platform {

namespace {

ServiceSlot<PrintDialogs, QtPrintDialogs>& Slot() {
    static ServiceSlot<PrintDialogs, QtPrintDialogs> slot;
    return slot;
}

bool NextAnswer(std::deque<bool>& answers) {
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

int PerPage(const PrintLayout& layout) {
    return std::max(layout.columns, 1) * std::max(layout.rows, 1);
}

// A fresh context per diagram: each starts from the default tools, and what one diagram
// selects does not leak into the next.
bool PrintDiagram(QPainter& painter, const DeviceMetrics& metrics, const PixelRect& area,
                  const DiagramPainter& draw) {
    DeviceContext dc(painter, metrics);
    dc.SetClipRect(area);
    return draw(dc, area);
}

}  // namespace

PixelRect LayoutCell(const PixelRect& page, const PrintLayout& layout, int index) {
    const int columns = std::max(layout.columns, 1);
    const int rows = std::max(layout.rows, 1);
    const int cell = index % (columns * rows);
    const int column = cell % columns;
    const int row = cell / columns;
    // Integer edges computed from the page so the cells tile it without gaps.
    const auto edge = [](int from, int length, int k, int n) { return from + length * k / n; };
    return PixelRect{edge(page.left, page.Width(), column, columns),
                     edge(page.top, page.Height(), row, rows),
                     edge(page.left, page.Width(), column + 1, columns),
                     edge(page.top, page.Height(), row + 1, rows)};
}

bool QtPrintDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::ChoosePageFormat(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool ScriptedPrintDialogs::ChoosePrinter(QWidget*, QPrinter& printer) {
    ++printerAsks;
    const bool accepted = NextAnswer(printerAnswers);
    if (accepted && adjust) adjust(printer);
    return accepted;
}

bool ScriptedPrintDialogs::ChoosePageFormat(QWidget*, QPrinter& printer) {
    ++formatAsks;
    const bool accepted = NextAnswer(formatAnswers);
    if (accepted && adjust) adjust(printer);
    return accepted;
}

PrintDialogs& CurrentPrintDialogs() {
    return Slot().Current();
}

void SetPrintDialogs(PrintDialogs* dialogs) {
    Slot().Replace(dialogs);
}

Printer::Printer() : printer_(QPrinter::HighResolution) {}

bool Printer::SelectPrinter(QWidget* parent) {
    return CurrentPrintDialogs().ChoosePrinter(parent, printer_);
}

bool Printer::SetUpPage(QWidget* parent) {
    return CurrentPrintDialogs().ChoosePageFormat(parent, printer_);
}

void Printer::SetPdfOutput(const QString& path) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(path);
}

void Printer::SetPrinterOutput() {
    printer_.setOutputFileName(QString());
    printer_.setOutputFormat(QPrinter::NativeFormat);
}

void Printer::SetColor(bool color) {
    printer_.setColorMode(color ? QPrinter::Color : QPrinter::GrayScale);
}

bool Printer::IsColor() const {
    if (printer_.colorMode() != QPrinter::Color) return false;
    if (printer_.outputFormat() != QPrinter::NativeFormat) return true;
    const QList<QPrinter::ColorMode> modes = QPrinterInfo(printer_).supportedColorModes();
    return modes.isEmpty() || modes.contains(QPrinter::Color);
}

DeviceMetrics Printer::Metrics() const {
    return MetricsOfDevice(printer_);
}

PixelRect Printer::PageArea() const {
    return PixelRect{0, 0, printer_.width(), printer_.height()};
}

PrintResult Printer::Print(const QString& documentName, std::span<const DiagramPainter> diagrams,
                           const PrintLayout& layout) {
    if (diagrams.empty()) return PrintResult::NothingToPrint;
    if (diagrams.size() > static_cast<std::size_t>(kMaxDiagramsPerJob)) {
        return PrintResult::TooManyDiagrams;
    }
    printer_.setDocName(documentName);
    QPainter painter;
    if (!painter.begin(&printer_)) return PrintResult::CannotStart;

    const DeviceMetrics metrics = Metrics();
    const PixelRect page = PageArea();
    const int perPage = PerPage(layout);
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index > 0 && index % perPage == 0) printer_.newPage();
        const PixelRect area = LayoutCell(page, layout, index);
        if (!PrintDiagram(painter, metrics, area, diagrams[i])) {
            printer_.abort();
            return PrintResult::Interrupted;
        }
    }
    painter.end();
    return PrintResult::Done;
}

}  // namespace quorlin::platform
