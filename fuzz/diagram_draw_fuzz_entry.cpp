#include "diagram_draw_fuzz_entry.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <span>

#include "core/binio.h"
#include "core/errors.h"
#include "diagram_fuzz_entry.h"
#include "gui_app.h"
#include "platform/boxes.h"
#include "plot2d/plot2_win.h"
#include "shell/records/file_head.h"

namespace quorlin {

namespace {

// The drawing area: small, with unequal sides.
constexpr int kWidth = 96;
constexpr int kHeight = 64;

// The input as a diagram file of the 2D window; empty when it is of another window.
QString WrittenAsFile(const std::uint8_t* data, std::size_t size) {
    ByteReader in(std::span(data, size));
    TFileHead head;
    if (!head.Read(in) || static_cast<unsigned>(head.fields[2]) % 3 != 0) return {};
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.qz2"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace

int RunDiagramDrawFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (RunDiagramFuzzInput(data, size) != 1) return 0;
    EnsureGuiApplication<QApplication>();
    const QString path = WrittenAsFile(data, size);
    if (path.isEmpty()) return 0;
    // Boxes the window would show (a password, a missing bitmap) are answered at once.
    const platform::ScriptedPrompter prompter;
    plot2d::TPlot2Win window(QStringLiteral("noname1.qz2"));
    window.SizeChanged(kWidth, kHeight);
    if (window.Load(path) != kNoError) return 0;
    if (!window.View().Representable()) std::abort();
    window.InvalidateImage(ImageLayer::Background);
    window.RenderImage(ImageLayer::Picture);
    return 1;
}

}  // namespace quorlin
