#pragma once
// The state every export writer shares, and the window services an export borrows.
//
// ExportContext holds the open output file, the writers' active flags, the frame counts, the
// base name, the shared picture box of animated exports and the view the window last handed
// over. ExportHost is what the window lends: file and option dialogs, prompts, the repaint of
// one frame and the measuring of texts; tests replace it with a scripted host.
#include "canvas/export_dialogs.h"
#include "canvas/export_file.h"
#include "canvas/export_view.h"

#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::canvas {

class ExportHost {
public:
    virtual ~ExportHost() = default;

    // The save-file dialog; an empty name when cancelled.
    virtual QString ChooseSaveFile(const QString& filter, const QString& defaultExtension,
                                   const QString& proposedName) = 0;
    // Asked before an existing file is replaced; true to replace it.
    virtual bool ConfirmOverwrite(const QString& path) = 0;
    virtual bool RunTeXDialog(TeXDialogValues& values) = 0;
    virtual bool RunSvgDialog(SvgDialogValues& values) = 0;
    // One-line prompts (title and prompt are string-table ids); nullopt when cancelled or,
    // for InputInt, out of bounds.
    virtual std::optional<int> InputInt(int titleId, int promptId, int minimum, int maximum,
                                        int proposal) = 0;
    virtual std::optional<std::string> InputString(int titleId, int promptId,
                                                   const std::string& proposal, int maxLength) = 0;
    // Marks the parameters an animation moves; returns the animation mode, 0 when the text
    // names none (the window has then told the user).
    virtual int MarkParameters(const std::string& names) = 0;
    // An export refused before anything was written.
    virtual void ShowError(const QString& text) = 0;
    // Repaints the picture while the writer's flag is set; every primitive feeds the hooks.
    virtual void PaintTeXFrame(int frame) = 0;
    virtual void PaintEpsFrame(int frame) = 0;
    // Pixel size of a one-line text in a font; the default measures with Qt's font metrics.
    virtual QSize TextExtent(std::string_view text, const ExportFont& font) const;
};

// The message an export command shows when it has finished.
struct ExportReport {
    bool saved = false;
    QString caption;
    QString text;
};

// The animation mode of an export whose frames turn a 3D view inside a fixed box.
inline constexpr int kAnimationTurningView = 2;

// The kinds of export output, each with its writer.
enum class ExportKind { PicTeX, Svg, Eps };
inline constexpr std::size_t kExportKinds = 3;

struct ExportContext {
    explicit ExportContext(ExportHost& host) : host(host) {}
    ExportContext(const ExportContext&) = delete;
    ExportContext& operator=(const ExportContext&) = delete;

    ExportHost& host;
    ExportView view;
    ExportFile output;
    // Set after a frame file was opened: later frames of the same export replace their files
    // without asking; the export command clears it after its frame loop.
    bool noOverwriteQuestion = false;

    std::string texEscape = "\\";
    int frameDigits = 1;
    std::string svgTitle = "Tolvex";
    int animationMode = 0;  // 0 none, 1 parameters move, kAnimationTurningView

    // A single PiCTeX picture of a view far from the origin is written about the view centre,
    // as animation frames are, since TeX cannot hold its world coordinates in dimensions.
    bool texAboutCentre = false;
    int texOutputKind = kTexStandalone;
    int texFrameCount = 1;
    std::string texParameterNames;
    QString texBaseName;
    long double texPictureWidth = 8.0L;

    int epsFrameCount = 1;

    long double frameScale = 1.0L;
    long double boxHalfWidth = 5.0L;
    long double boxHalfHeight = 5.0L;

    // Why the last export did not write all its files (the error, the file and the system's
    // reason, as a failed save shows them); empty when it did.
    QString failure;

    // Whether an output of this kind runs: its writer's hooks are then fed by every drawing.
    // Only TExportState starts and stops outputs.
    bool Running(ExportKind kind) const { return running_[static_cast<std::size_t>(kind)]; }
    bool AnyRunning() const;

    // True while the running PiCTeX or EPS export writes several frames into one shared box.
    bool MultiFrameExport() const;
    // True while the points are written relative to the view centre: the frames of an
    // animation, or a PiCTeX picture far from the origin.
    bool CentredExport() const;
    // The point as the PiCTeX and EPS writers write it: unchanged for a single picture,
    // relative to the view centre when CentredExport.
    WorldPoint ToExportCoords(WorldPoint p) const;
    // The shared box of the frames: the view's size (a turning view keeps its box's width),
    // the half-height following the view's proportions.
    void FitBoxToView();

    // True when path may be written: it does not exist, the user agreed, or an earlier frame
    // of this export was already agreed.
    bool MayReplace(const QString& path);
    // Opens the output for a frame or picture file; a failure is recorded.
    bool OpenOutput(const QString& path);
    // Closes the output; false (and the failure recorded) when it was not written whole.
    bool CloseOutput();

private:
    friend class TExportState;
    std::array<bool, kExportKinds> running_{};
};

// On/off parity of polyline points from their break marks (non-zero = drawn in full).
std::vector<int> SegmentParity(std::span<const std::uint8_t> marks);

// Whether the segment from point i - 1 to point i is drawn: mode 0 draws all, mode 1 the marked
// runs and every other segment of an unmarked run, any other mode the marked runs only.
bool SegmentChosen(std::span<const int> parity, std::size_t i, int mode);

// A run of consecutive chosen segments: the indexes of its first and of its last point.
struct PointRun {
    std::size_t first = 0;
    std::size_t last = 0;
};

// The runs of chosen segments of a polyline of pointCount points, in order; none when the
// marks do not cover the points.
std::vector<PointRun> ChosenRuns(std::size_t pointCount, std::span<const std::uint8_t> marks,
                                 int mode);

// Calls draw(from, to) for the chosen segments of a polyline.
template <class DrawSegment>
void DrawPolylineByParity(std::span<const WorldPoint> points, std::span<const std::uint8_t> marks,
                          int mode, DrawSegment draw) {
    for (const PointRun& run : ChosenRuns(points.size(), marks, mode))
        for (std::size_t i = run.first + 1; i <= run.last; ++i) draw(points[i - 1], points[i]);
}

// A string-table text, or the given text while the table has no entry for it.
QString ExportString(int id, const char* fallback);

// The message boxes at the end of an export.
ExportReport ReportTeXSaved(const ExportContext& context);
ExportReport ReportSvgSaved(const ExportContext& context);
ExportReport ReportEpsSaved(const ExportContext& context);

}  // namespace quorlin::canvas
