#include "canvas/export_context.h"

#include "canvas/export_format.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "shell/diagram_file.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace quorlin::canvas {

QSize ExportHost::TextExtent(std::string_view text, const ExportFont& font) const {
    QFont qfont(QString::fromLatin1(font.face.data(), static_cast<qsizetype>(font.face.size())));
    qfont.setPointSize(std::max(font.pointSize, 1));
    qfont.setWeight(QFont::Weight(std::clamp(font.weight / 10 * 10, 100, 900)));
    qfont.setItalic(font.italic);
    const QFontMetrics metrics(qfont);
    const QString qtext = FromExportText(text);
    return {metrics.horizontalAdvance(qtext), metrics.height()};
}

bool ExportContext::AnyRunning() const {
    return std::ranges::any_of(running_, [](bool running) { return running; });
}

bool ExportContext::MultiFrameExport() const {
    return (Running(ExportKind::PicTeX) && texFrameCount > 1) ||
           (Running(ExportKind::Eps) && epsFrameCount > 1);
}

bool ExportContext::CentredExport() const {
    return MultiFrameExport() || (Running(ExportKind::PicTeX) && texAboutCentre);
}

WorldPoint ExportContext::ToExportCoords(WorldPoint p) const {
    if (!CentredExport()) return p;
    return {(p.x - view.centreX) * frameScale, (p.y - view.centreY) * frameScale};
}

void ExportContext::FitBoxToView() {
    // The frames of a parameter animation show the view they are drawn in: a box of another
    // size would shrink them or push them off their page. Only a turning view keeps the fixed
    // box it turns in.
    if (animationMode != kAnimationTurningView) boxHalfWidth = view.halfWidth;
    boxHalfHeight = boxHalfWidth * (view.halfHeight / view.halfWidth);
}

bool ExportContext::MayReplace(const QString& path) {
    if (noOverwriteQuestion || !QFileInfo::exists(path)) return true;
    return host.ConfirmOverwrite(path);
}

namespace {

// What a failed diagram save would show for the output's file.
QString OutputFailure(const ExportFile& output) {
    const int error = SaveErrorNumber(SaveTargetStateOf(output.Path(), output.ErrorNumber()));
    return platform::FileErrorText(error, output.Path(), output.ErrorText());
}

}  // namespace

bool ExportContext::OpenOutput(const QString& path) {
    if (!output.Open(path)) {
        failure = OutputFailure(output);
        return false;
    }
    noOverwriteQuestion = true;
    return true;
}

bool ExportContext::CloseOutput() {
    if (output.Close()) return true;
    if (failure.isEmpty()) failure = OutputFailure(output);
    return false;
}

std::vector<int> SegmentParity(std::span<const std::uint8_t> marks) {
    std::vector<int> parity(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] != 0)
            parity[i] = -1;
        else
            parity[i] = i == 0 ? 0 : (parity[i - 1] + 1) % 2;
    }
    return parity;
}

bool SegmentChosen(std::span<const int> parity, std::size_t i, int mode) {
    if (mode == 0) return true;
    if (parity[i - 1] < 0 && parity[i] < 0) return true;
    return mode == 1 && parity[i - 1] == 0 && parity[i] == 1;
}

std::vector<PointRun> ChosenRuns(std::size_t pointCount, std::span<const std::uint8_t> marks,
                                 int mode) {
    std::vector<PointRun> runs;
    if (pointCount < 2 || marks.size() < pointCount) return runs;
    const std::vector<int> parity = SegmentParity(marks.first(pointCount));
    bool open = false;
    for (std::size_t i = 1; i < pointCount; ++i) {
        if (!SegmentChosen(parity, i, mode)) {
            open = false;
            continue;
        }
        if (!open) runs.push_back({i - 1, i});
        runs.back().last = i;
        open = true;
    }
    return runs;
}

QString ExportString(int id, const char* fallback) {
    const QString text = platform::ResourceString(id);
    return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

namespace {

ExportReport Report(const ExportContext& context, int savedId, const char* savedText) {
    if (!context.failure.isEmpty()) return {false, ExportString(62, "hmm ..."), context.failure};
    return {true, ExportString(88, "success"), ExportString(savedId, savedText)};
}

}  // namespace

ExportReport ReportTeXSaved(const ExportContext& context) {
    return Report(context, 89, "TeX file saved");
}

ExportReport ReportSvgSaved(const ExportContext& context) {
    return Report(context, 92, "SVG file saved");
}

ExportReport ReportEpsSaved(const ExportContext& context) {
    return Report(context, 91, "EPS file saved");
}

}  // namespace quorlin::canvas
