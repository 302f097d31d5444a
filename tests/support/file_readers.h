#pragma once
// Helpers of the tests that write files and hand them to real readers: files read and written
// whole, counting occurrences, the programs that read exports (xmllint, rsvg-convert,
// Ghostscript, TeX) run in a folder, and the inked pixels of a rendered picture.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace quorlin::testing {

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

// The lines of a TeX log that report an error.
inline std::string TeXErrors(const std::string& log) {
    std::string errors;
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        if (log.compare(start, 2, "! ") == 0) errors += log.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return errors;
}

// The master "<base>ANIM.tex" of numbered TeX frames in a folder, read by LaTeX with PiCTeX, its
// animation environment reduced to showing the frames one after another: no error, and the log
// it left (which names every file TeX read).
inline std::string ExpectLaTeXReadsAnimation(const QString& folder, const std::string& base) {
    EXPECT_TRUE(WriteAll(folder + "/main.tex",
                         "\\documentclass{article}\\usepackage{pictex}\n"
                         "\\newenvironment{animateinline}[2][]{}{}\\newcommand{\\newframe}{\\par}\n"
                         "\\begin{document}\\input{" +
                             base + "ANIM}\\end{document}\n"));
    ExpectAccepted(
        RunReader(folder, "latex", {"-interaction=nonstopmode", "-halt-on-error", "main.tex"}),
        "latex");
    const std::string log = ReadAll(folder + "/main.log");
    EXPECT_EQ(TeXErrors(log), "");
    return log;
}

// Whether pdfinfo reads a PDF file.
inline bool PdfInfoAccepts(const QString& path) {
    return RunReader(QFileInfo(path).path(), "pdfinfo", {path}).exitCode == 0;
}

// The text pdftotext finds in a PDF file; empty when it is not installed or fails.
inline std::string PdfText(const QString& path) {
    const ReaderRun run = RunReader(QFileInfo(path).path(), "pdftotext", {path, "-"});
    return run.exitCode == 0 ? run.out : std::string();
}

// The SVG, EPS and PiCTeX exports "<base>.svg", ".eps" and ".tex" of a folder handed to the
// programs that read them (those installed): xmllint and rsvg-convert, Ghostscript (whose page
// must show more than minInk inked pixels) and TeX with PiCTeX.
inline void ExpectExportsRead(const QString& folder, const std::string& base, int minInk) {
    const QString name = QString::fromStdString(base);
    if (HaveProgram("xmllint") && HaveProgram("rsvg-convert")) {
        ExpectAccepted(RunReader(folder, "xmllint", {"--noout", name + ".svg"}), "xmllint");
        ExpectAccepted(RunReader(folder, "rsvg-convert", {"-o", "svg.png", name + ".svg"}),
                       "rsvg-convert");
    }
    if (HaveProgram("gs")) {
        const ReaderRun run = RunReader(folder, "gs",
                                        {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m",
                                         "-sOutputFile=eps.png", name + ".eps"});
        ExpectAccepted(run, "gs");
        EXPECT_EQ(run.out.find("Error"), std::string::npos) << run.out;
        EXPECT_GT(InkedPixels(QImage(folder + "/eps.png")), minInk);
    }
    if (HaveProgram("tex")) {
        ASSERT_TRUE(WriteAll(folder + "/main.tex", "\\input pictex \\input " + base + " \\bye\n"));
        ExpectAccepted(
            RunReader(folder, "tex", {"-interaction=nonstopmode", "-halt-on-error", "main.tex"}),
            "tex");
        EXPECT_EQ(TeXErrors(ReadAll(folder + "/main.log")), "");
    }
}

}  // namespace quorlin::testing
