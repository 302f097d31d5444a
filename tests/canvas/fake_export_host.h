#pragma once
// A scripted stand-in for the window during export tests: fixed answers for the dialogs and
// prompts, a paint callback per frame and a fixed text extent; and the helpers the export
// tests share: files read and written whole, and the real readers run on what was written.
#include "canvas/export_state.h"
#include "support/file_readers.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::canvas::testing {

class FakeExportHost : public ExportHost {
public:
    QString saveName;  // empty: the file dialog is cancelled
    bool replace = true;
    int overwriteQuestions = 0;
    bool texAccepted = true;
    std::function<void(TeXDialogValues&)> editTeX;
    bool svgAccepted = true;
    std::optional<SvgDialogValues> svgSize;
    std::optional<int> frameAnswer;
    std::optional<std::string> parameterAnswer;
    int markMode = 1;
    std::vector<std::string> markedTexts;
    std::vector<QString> errors;
    std::function<void(int)> paint;
    QSize extent{40, 12};

    QString ChooseSaveFile(const QString&, const QString&, const QString&) override {
        return saveName;
    }
    bool ConfirmOverwrite(const QString&) override {
        ++overwriteQuestions;
        return replace;
    }
    bool RunTeXDialog(TeXDialogValues& values) override {
        if (editTeX) editTeX(values);
        return texAccepted;
    }
    bool RunSvgDialog(SvgDialogValues& values) override {
        if (svgSize) values = *svgSize;
        return svgAccepted;
    }
    std::optional<int> InputInt(int, int, int, int, int) override { return frameAnswer; }
    std::optional<std::string> InputString(int, int, const std::string&, int) override {
        return parameterAnswer;
    }
    int MarkParameters(const std::string& names) override {
        markedTexts.push_back(names);
        return markMode;
    }
    void ShowError(const QString& text) override { errors.push_back(text); }
    void PaintTeXFrame(int frame) override { PaintEpsFrame(frame); }
    void PaintEpsFrame(int frame) override {
        if (paint) paint(frame);
    }
    QSize TextExtent(std::string_view, const ExportFont&) const override { return extent; }
};

// The file and reader helpers every export test shares.
using namespace quorlin::testing;

// Joins lines with CR LF after each, as the writers end them.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// An export state on a 401 x 401 client showing [-5, 5] x [-5, 5], with a temporary folder.
class ExportFixture {
public:
    ExportFixture() : state(host) { state.view = ExportView::FromCorners(-5, 5, -5, 5, 401, 401); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // What the hooks called by `draw` write into a fresh file.
    template <class Draw>
    std::string Capture(Draw draw) {
        const QString path = Path("capture.out");
        state.OpenOutput(path);
        draw();
        state.CloseOutput();
        return ReadAll(path);
    }

    QTemporaryDir dir;
    FakeExportHost host;
    TExportState state;
};

}  // namespace quorlin::canvas::testing
