#pragma once
// A scripted stand-in for the window during export tests: fixed answers for the dialogs and
// prompts, a paint callback per frame and a fixed text extent; and the helpers the export
// tests share: files read and written whole, and the real readers run on what was written.
#include "canvas/export_state.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
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
    void PaintTeXFrame(int frame) override {
        if (paint) paint(frame);
    }
    void PaintEpsFrame(int frame) override {
        if (paint) paint(frame);
    }
    QSize TextExtent(std::string_view, const ExportFont&) const override { return extent; }
};

// Pixels that are not white: a picture that rendered as a blank page has none.
inline int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
    return inked;
}

inline std::string ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing " + path.toStdString() + ">";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

inline bool WriteAll(const QString& path, const std::string& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.data(), static_cast<qint64>(text.size())) ==
                                               static_cast<qint64>(text.size());
}

inline std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

inline bool HaveProgram(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// What a reader run in a folder said; exitCode -1 when it crashed, timed out or never started.
struct ReaderRun {
    bool started = false;
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ReaderRun RunReader(const QString& folder, const QString& program,
                           const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ReaderRun run;
    run.started = process.waitForStarted();
    if (!run.started) return run;
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.err = "timed out";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline void ExpectAccepted(const ReaderRun& run, const std::string& what) {
    EXPECT_TRUE(run.started) << what;
    EXPECT_EQ(run.exitCode, 0) << what << " rejected the file:\n"
                               << run.out.substr(run.out.size() -
                                                 std::min<std::size_t>(run.out.size(), 3000))
                               << run.err;
}

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
