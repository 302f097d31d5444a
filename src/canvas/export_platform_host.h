#pragma once
// ExportHost services that come from the platform layer: the save-file dialog, the overwrite
// question, the option dialogs "PICTEX" and "SVG", the one-line prompts and the error box.
//
// A graphing window derives from it and adds what only the window knows: which parameters an
// animation moves and how a frame is painted.
#include <string_view>

#include "canvas/export_context.h"

class QWidget;

namespace quorlin::canvas {

class PlatformExportHost : public ExportHost {
public:
    explicit PlatformExportHost(QWidget* window) : window_(window) {}

    QString ChooseSaveFile(const QString& filter, const QString& defaultExtension,
                           const QString& proposedName) override;
    bool ConfirmOverwrite(const QString& path) override;
    bool RunTeXDialog(TeXDialogValues& values) override;
    bool RunSvgDialog(SvgDialogValues& values) override;
    // The one-line box until it holds an integer in [minimum, maximum]: each refused answer
    // shows its error (that of the number reader, or 17 out of bounds) and is offered again.
    // Nothing when the box is cancelled.
    std::optional<int> InputInt(int titleId, int promptId, int minimum, int maximum,
                                int proposal) override;
    std::optional<std::string> InputString(int titleId, int promptId, const std::string& proposal,
                                           int maxLength) override;
    void ShowError(const QString& text) override;

    // The message box at the end of an export.
    void ShowReport(const ExportReport& report);

protected:
    QWidget* Window() const { return window_; }
    // Reads a number typed in a box: 0, or the error of the text. A plain decimal number here;
    // the window reads it as its fields read numbers.
    virtual int ReadInputNumber(std::string_view text, long double& out);

private:
    static constexpr int kMostCountChars = 11;
    int ReadCount(const QString& text, int minimum, int maximum, int& out);

    QWidget* window_;
};

}  // namespace quorlin::canvas
