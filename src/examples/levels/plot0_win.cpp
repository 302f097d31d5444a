#include "examples/levels/plot0_win.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

#include "core/errors.h"
#include "examples/diagram/diagram_settings.h"
#include "examples/operations/export_frames.h"
#include "examples/operations/label_layout.h"
#include "examples/records/inventory_listing.h"
#include "platform/blank_image.h"
#include "platform/boxes.h"
#include "platform/key_poll.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"

namespace quorlin::examples {

namespace cmd = resources::cmd;
using canvas::TEquationLabel;
using canvas::TExportState;
using canvas::WorldPoint;

namespace {

// The title the EPS and SVG files of a graphing window carry.
constexpr const char* kExportTitle = "Tolvex 2D plotter";

// Captions and prompts of the option dialogs.
constexpr int kStrInput = 5;
constexpr int kStrZeroVectors = 125;
constexpr int kStrPixelUnits = 126;
constexpr int kStrLoopClosing = 127;
constexpr int kStrPositiveInteger = 128;
constexpr int kStrPlanarity = 129;
constexpr int kStrChecksPerPoint = 131;
constexpr int kStrLineOfSight = 132;
constexpr int kStrStrobeInterval = 133;
constexpr int kStrDecimalPlaces = 136;
constexpr int kStrPlacesRange = 137;
constexpr int kStrCurrent = 152;
constexpr int kStrInventorySize = 287;
constexpr int kStrExtraThickness = 331;
constexpr int kStrLinkedSliders = 334;
constexpr int kStrListParameters = 335;
constexpr int kStrDotSize = 16;  // "display pen width"

constexpr long double kLeastTolerance = 1e-16L;
constexpr long double kLeastInterval = 1e-13L;

}  // namespace

TPlot0Win::TPlot0Win(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TPlotWin(kind, std::move(fileName), std::move(iniName), dimension, parent) {
    HandleCommand(cmd::kHomeEquations, [this] { HomeEquationLabels(); });
    HandleCommand(cmd::kExportPicTeX, [this] { ExportPicTeX(); });
    HandleCommand(cmd::kExportEps, [this] { ExportEps(); });
    HandleCommand(cmd::kExportSvg, [this] { ExportSvg(); });
    HandleMouseMode(cmd::kMouseFirst);
    HandleMouseMode(cmd::kMouseTrajectories);
    AddReadoutModes();
    HandleCommand(cmd::kLibrary, [this] {
        ShowHelp(Formulas().complexMode ? QStringLiteral("QUOCPARS") : QStringLiteral("QUOPARS"),
                 {});
    });
    HandleCommand(cmd::kSimultaneous, [this] { AskSimultaneous(); });
    HandleCommand(cmd::kInventorySize, [this] { AskInventorySize(); });
    auto toggle = [this](int id, bool& flag) {
        HandleCommand(id, [this, &flag] {
            flag = !flag;
            UpdateMenuChecks(false);
        });
    };
    toggle(cmd::kStrobe, Tracer().strobe);
    toggle(cmd::kAbruptAngles, Tracer().abruptAngles);
    toggle(cmd::kInfiniteSlopes, Tracer().infiniteSlopes);
    HandleCommand(cmd::kGraphInBlack, [this] {
        options_.graphInBlack = !options_.graphInBlack;
        Output().graphInBlack = options_.graphInBlack;
        BackgroundChanged();
        UpdateMenuChecks(false);
    });
    HandleCommand(cmd::kFillExplicit, [this] {
        options_.fillExplicit = !options_.fillExplicit;
        MarkModified();
        BackgroundChanged();
        UpdateMenuChecks(false);
    });
    HandleCommand(cmd::kStrobeInterval, [this] {
        if (auto v = AskPositive(kStrStrobeInterval, kStrCurrent, Tracer().strobeInterval,
                                 kLeastInterval))
            Tracer().strobeInterval = *v;
        UpdateMenuChecks(false);
    });
    // A tracing tolerance in pixel units; the view is recomputed with a new one.
    auto askPixelTolerance = [this](int id, int titleId, long double& tolerance) {
        HandleCommand(id, [this, titleId, &tolerance] {
            if (auto v = AskPositive(titleId, kStrPixelUnits, tolerance, kLeastTolerance)) {
                tolerance = *v;
                RecomputeView();
            }
            UpdateMenuChecks(false);
        });
    };
    askPixelTolerance(cmd::kZeroVectors, kStrZeroVectors, Tracer().zeroVectorPixels);
    askPixelTolerance(cmd::kLoopClosing, kStrLoopClosing, Tracer().loopClosingPixels);
    HandleCommand(cmd::kDotSize, [this] {
        if (AskDotSize()) BackgroundChanged();
        UpdateMenuChecks(false);
    });
    HandleCommand(cmd::kLineOfSight, [this] { AskLineOfSight(); });
    HandleCommand(cmd::kPlanarity, [this] { AskPlanarity(); });
    HandleCommand(cmd::kThickenPrint, [this] { AskPrintThickness(); });
    HandleCommand(cmd::kDecimalPlaces, [this] { AskDecimalPlaces(); });
    for (int mode : {cmd::kShadeOpaque, cmd::kShadeNotXor, cmd::kShadeXor})
        HandleCommand(mode, [this, mode] { SetShadingMode(mode); });
}

TPlot0Win::~TPlot0Win() = default;

// ------------------------------------------------------------------------------ paint

void TPlot0Win::Paint(QPainter& painter, const QRect& dirty) {
    {
        QImage scratch(1, 1, QImage::Format_RGB32);
        platform::DeviceContext dc(scratch);
        platform::SelectionGuard<platform::FontSpec> font(
            dc, ToFontSpec(Fonts().Font(kFontAxisLabels)));
        halfCharHeight_ = dc.TextExtent(QStringLiteral("A")).height() * View().unitsPerPixelY / 2;
    }
    PaintWindow(painter, dirty);
    if (inventoryRefreshRequest_) {
        inventoryRefreshRequest_ = false;
        InventoryChanged(1);
    }
    PointMapping().viewRecentred = false;
}

void TPlot0Win::PaintWindow(QPainter& painter, const QRect& dirty) {
    if (UpdateImageSize()) RecomputeView();
    TPlotWin::Paint(painter, dirty);
    platform::DeviceContext dc(painter);
    PaintPrepared(dc);
}

bool TPlot0Win::AskDotSize() {
    const auto text = AskOption(kStrInput, kStrDotSize, QString::number(options_.dotSize));
    if (!text) return false;
    std::int16_t size = 0;
    const int e = Formulas().ReadShort(ToWindows1252(*text).value_or("?"), -32768, 32767, size);
    if (e != kNoError || size < 1) {
        platform::ErrorMsg(this, kErrCannotUnderstand);
        return false;
    }
    options_.dotSize = size;
    return true;
}

// ------------------------------------------------------------------------------ options

std::optional<QString> TPlot0Win::AskOption(int titleId, int promptId, const QString& offered) {
    platform::InputRequest request;
    request.title = platform::ResourceString(titleId);
    request.prompt = platform::ResourceString(promptId);
    request.text = offered;
    request.maxLength = static_cast<int>(FormulaContext::kMaxFormulaLength);
    QString text = offered;
    if (platform::CurrentPrompter().Input(this, request, &text) != platform::kIdOk)
        return std::nullopt;
    return text;
}

std::optional<long double> TPlot0Win::AskPositive(int titleId, int promptId, long double current,
                                                  long double least) {
    const std::string shown(FormatShortest(current));
    const auto text = AskOption(titleId, promptId, FromWindows1252(shown));
    if (!text) return std::nullopt;
    long double value = 0;
    if (const int e = Formulas().ReadNumber(ToWindows1252(*text).value_or("?"), value)) {
        platform::ErrorMsg(this, e);
        return std::nullopt;
    }
    if (!(value >= least)) {
        platform::ErrorMsg(this, kErrPositiveValue);
        return std::nullopt;
    }
    return value;
}

namespace {

// The whole number a text reads as; the reader's error, or error 1 for a value beyond a word.
int ReadWhole(FormulaContext& formulas, const QString& text, int& out) {
    std::int16_t value = 0;
    const int e = formulas.ReadShort(ToWindows1252(text).value_or("?"), -32768, 32767, value);
    out = value;
    return e == kErrOutOfBounds ? kErrCannotUnderstand : e;
}

}  // namespace

void TPlot0Win::AskSimultaneous() {
    auto& group = Animation().group;
    QString letters;
    for (int k = 1; k <= slot::kLastParameter; ++k)
        if (group[static_cast<std::size_t>(k)]) letters += QChar('@' + k);
    if (const auto text = AskOption(kStrLinkedSliders, kStrListParameters, letters)) {
        const QString upper = text->toUpper();
        for (int k = 1; k <= slot::kLastParameter; ++k)
            group[static_cast<std::size_t>(k)] = upper.contains(QChar('@' + k)) ? 1 : 0;
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::AskInventorySize() {
    const auto text =
        AskOption(kStrInput, kStrInventorySize, QString::number(Inventory().Capacity() + 1));
    if (text) {
        int number = 0;
        if (const int e = ReadWhole(Formulas(), *text, number)) {
            platform::ErrorMsg(this, e);
        } else if (number - 1 < std::max(Inventory().LastIndex(), 1)) {
            // Room for at least two examples, and for those there are.
            platform::ErrorMsg(this, kErrInconsistentData);
        } else if (number - 1 > TInventory::kMaxCapacity) {
            platform::ErrorMsg(this, kErrNoMoreRoom);
        } else if (!ResizeInventory(number - 1, !Inventory().Empty())) {
            platform::ErrorMsg(this, kErrNoMoreRoom);
        }
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::AskPlanarity() {
    TSceneSettings& scene = Scene();
    if (const auto text =
            AskOption(kStrPositiveInteger, kStrPlanarity, QString::number(scene.planarity))) {
        int n = 0;
        const int e = ReadWhole(Formulas(), *text, n);
        if (e != kNoError || n < 1) {
            platform::ErrorMsg(this, kErrCannotUnderstand);
        } else {
            scene.planarity = static_cast<std::int16_t>(n);
            scene.planarityTolerance = n * 0.001L;
            BackgroundChanged();
        }
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::AskLineOfSight() {
    TSceneSettings& scene = Scene();
    if (const auto text =
            AskOption(kStrChecksPerPoint, kStrLineOfSight, QString::number(scene.checksPerPoint))) {
        int n = 0;
        if (const int e = ReadWhole(Formulas(), *text, n)) {
            platform::ErrorMsg(this, e);
        } else if (n < 1) {
            platform::ErrorMsg(this, kErrPositiveValue);
        } else {
            scene.checksPerPoint = static_cast<std::int16_t>(n);
            scene.checksReciprocal = 1.0L / n;
        }
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::AskPrintThickness() {
    if (const auto text = AskOption(kStrInput, kStrExtraThickness,
                                    QString::number(options_.extraPrintThickness))) {
        int n = 0;
        if (const int e = ReadWhole(Formulas(), *text, n)) {
            platform::ErrorMsg(this, e);
        } else if (n < 0) {
            platform::ErrorMsg(this, kErrPositiveValue);
        } else {
            options_.extraPrintThickness = static_cast<std::int16_t>(n);
        }
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::AskDecimalPlaces() {
    if (const auto text =
            AskOption(kStrDecimalPlaces, kStrPlacesRange, QString::number(Format().places))) {
        // A count of digits: a plain whole number, not an expression ("abc" is no number).
        bool whole = false;
        const int places = text->trimmed().toInt(&whole);
        if (!whole) {
            platform::ErrorMsg(this, kErrCannotUnderstand);
        } else if (places < 0 || places > kMaxDecimalPlaces) {
            platform::ErrorMsg(this, kErrOutOfBounds);
        } else if (places != Format().places) {
            Format().places = places;
            NumberFormatChanged();
            MarkModified();
            InvalidateImage(ImageLayer::Picture);
            Invalidate();
        }
    }
    UpdateMenuChecks(false);
}

void TPlot0Win::SetShadingMode(int mode) {
    if (options_.shadingMode == mode) return;
    options_.shadingMode = static_cast<std::int16_t>(mode);
    UpdateMenuChecks(false);
    MarkModified();
    if (options_.fillExplicit) BackgroundChanged();
}

bool TPlot0Win::WriteRotationFrames() {
    return false;
}

// ------------------------------------------------------------------------------ labels

TLabelView TPlot0Win::LabelView() const {
    const canvas::TViewFrame& v = View();
    return {v.left, v.down, v.up, v.unitsPerPixelX, v.unitsPerPixelY, LineHeight()};
}

void TPlot0Win::RenewLabel(TEquationLabel& label, int index) {
    std::string text = DescribeExample(index);
    if (text.size() > TEquationLabel::kMaxText) text.resize(TEquationLabel::kMaxText);
    label.text = std::move(text);
    label.colour = canvas::ToColorRef(GetColor(Inventory()[index].pen.colour));
}

TEquationLabel TPlot0Win::MakeLabel(int index, const TEquationLabel* previous) {
    TEquationLabel label;
    RenewLabel(label, index);
    label.number = static_cast<std::uint16_t>(index);
    label.transparent = 0;
    label.font = Fonts().Font(kFontEquations);
    label.sizeAndHide = static_cast<std::uint16_t>(Fonts().PointSize(kFontEquations) % 100);
    label.anchor = canvas::kAnchorFrame;
    label.shown = 0;
    std::optional<Vec2> before;
    if (previous) {
        const TEquationLabel a =
            canvas::TextToAbsolute(*previous, AnchorOriginOf(previous->anchor));
        before = Vec2{a.left, a.top};
    }
    const Vec2 p = NewLabelPosition(LabelView(), before);
    label.left = label.right = p.x;
    label.top = label.bottom = p.y;
    const WorldPoint origin = AnchorOriginOf(label.anchor);
    return canvas::TextToRelative(std::move(label), origin);
}

void TPlot0Win::AddEquationLabel() {
    labels_.Restore(Inventory().Count(), [this](int i, const TEquationLabel* previous) {
        return MakeLabel(i, previous);
    });
}

void TPlot0Win::RefreshEquationLabel(int i) {
    AddEquationLabel();
    if (Inventory().IsIndex(i)) RenewLabel(labels_.Labels()[static_cast<std::size_t>(i)], i);
    Repaint();
}

void TPlot0Win::HomeEquationLabels() {
    const TLabelView view = LabelView();
    int k = 0;
    for (TEquationLabel& label : labels_.Labels()) {
        const Vec2 p = HomeLabelPosition(view, k++);
        label.anchor = canvas::kAnchorFrame;
        label.left = label.right = p.x;
        label.top = label.bottom = p.y;
        label = canvas::TextToRelative(std::move(label), AnchorOriginOf(canvas::kAnchorFrame));
    }
    Repaint();
}

std::vector<std::size_t> TPlot0Win::DrawnLabels() const {
    std::vector<std::size_t> drawn;
    const canvas::TextList& all = labels_.Labels();
    for (std::size_t k = 0; k < all.size(); ++k) {
        const int i = all[k].number;
        if (all[k].shown && Inventory().IsIndex(i) && Inventory()[i].graphShown) drawn.push_back(k);
    }
    return drawn;
}

void TPlot0Win::DrawEquationLabels(platform::DeviceContext& dc) {
    if (labels_.Empty()) return;
    const std::vector<std::size_t> from = DrawnLabels();
    canvas::TextList shown;
    for (const std::size_t k : from) {
        TEquationLabel label = labels_.Labels()[k];
        label.colour =
            canvas::ToColorRef(OutputColor(DrawColor(Inventory()[label.number].pen.colour)));
        shown.push_back(std::move(label));
    }
    DrawTexts(dc, shown, false, 0);
    // The far corners follow the screen drawing.
    for (std::size_t k = 0; k < shown.size(); ++k) {
        TEquationLabel& label = labels_.Labels()[from[k]];
        label.right = shown[k].right;
        label.bottom = shown[k].bottom;
    }
}

bool TPlot0Win::PickEquationLabel(QPoint point) {
    // Only the labels drawn can be picked.
    const std::vector<std::size_t> from = DrawnLabels();
    canvas::TextList shown;
    for (const std::size_t k : from) shown.push_back(labels_.Labels()[k]);
    const auto hit = TextAtPoint(point, shown);
    if (!hit) return false;
    const int number = labels_.Labels()[from[hit->index]].number;
    StartDrag(point, hit->offset, hit->size, hit->escapement, [this, number](QPoint c) {
        if (number >= labels_.Count()) return;
        TEquationLabel& label = labels_.Labels()[static_cast<std::size_t>(number)];
        TEquationLabel a = canvas::TextToAbsolute(label, AnchorOriginOf(label.anchor));
        const long double dx = ScreenToX(c.x()) - a.left, dy = ScreenToY(c.y()) - a.top;
        a.left += dx;
        a.right += dx;
        a.top += dy;
        a.bottom += dy;
        // Placed by the user: it stays at its place in the figure.
        a.anchor = canvas::kAnchorFigure;
        label = canvas::TextToRelative(std::move(a), AnchorOriginOf(canvas::kAnchorFigure));
    });
    return true;
}

bool TPlot0Win::StartDragAt(QPoint point) {
    return TPlotWin::StartDragAt(point) || PickEquationLabel(point);
}

int TPlot0Win::FindExampleOfKind(std::initializer_list<int> kinds) const {
    return examples::FindExampleOfKind(Inventory(), kinds);
}

// ------------------------------------------------------------------------------ exports

void TPlot0Win::ReportExport(const canvas::ExportReport& report, bool written) {
    // An export stopped with Q wrote what it could and says nothing more.
    if (!written && report.saved) return;
    // A file that was not written is told as a failed save tells it, in an error box.
    if (report.saved)
        platform::MsgBox(this, report.caption, report.text, platform::kMsgOk);
    else
        platform::ErrorBox(this, report.text);
}

void TPlot0Win::ExportPicTeX() {
    UpdateExportView();
    TExportState& e = Exports();
    if (!e.BeginTeXExport(canvas::kFramesWithParameters)) return;
    const int n = e.FrameCount();
    const bool written = ExportFrames(n);
    const bool ended = e.EndExport(written);
    if (n > 1) UpdateCaption();
    ReportExport(canvas::ReportTeXSaved(e), written && ended);
}

void TPlot0Win::ExportEps() {
    UpdateExportView();
    TExportState& e = Exports();
    e.eps.creatorText = kExportTitle;
    if (!e.BeginEpsExport(1, 0)) return;
    const int n = e.FrameCount();
    const bool written = ExportFrames(n);
    const bool ended = e.EndExport(written);
    if (n > 1) UpdateCaption();
    ReportExport(canvas::ReportEpsSaved(e), written && ended);
}

void TPlot0Win::ExportSvg() {
    UpdateExportView();
    TExportState& e = Exports();
    e.svgTitle = kExportTitle;
    if (!e.BeginSvgExport()) {
        // A file refused before the picture was drawn (no such folder) is shown as well.
        if (!e.failure.isEmpty()) ReportExport(canvas::ReportSvgSaved(e), false);
        return;
    }
    e.ExportBackground();
    PaintExportFrame();
    const bool ended = e.EndExport();
    ReportExport(canvas::ReportSvgSaved(e), ended);
}

bool TPlot0Win::ExportFrames(int n) {
    TExportState& e = Exports();
    if (n > 1) {
        ShowKeyHint(kKeyHintQuit);
        setFocus();
        Output().animationFrame = true;
    }
    bool ok = true;
    if (e.animationMode == kAnimationTurning) {
        ok = WriteRotationFrames();
    } else {
        FormulaContext& f = Formulas();
        f.SaveVariables();
        for (int k = 0; ok && k < n; ++k) {
            if (n > 1) {
                for (int letter = 1; letter <= slot::kLastParameter; ++letter) {
                    if (!options_.markedParameters[static_cast<std::size_t>(letter)]) continue;
                    const auto l = static_cast<std::size_t>(letter);
                    f.SetVar(letter, FrameValue(f.params.left[l], f.params.right[l], k, n));
                }
                RecomputeAll();
            }
            ok = e.WriteFrame(k);
            if (ok && n > 1 && platform::PollKey(this) == kKeyStop) ok = false;
        }
        f.RestoreVariables();
        if (n > 1) RecomputeAll();
    }
    // The frames are written: later paints are ordinary ones again.
    Output().animationFrame = false;
    if (n > 1) InvalidateImage(ImageLayer::Background);
    return ok;
}

void TPlot0Win::PaintExportFrame() {
    // The writers take the frame from the primitives; the surface under them keeps pixels only
    // for a drawing that reads its own pixels back.
    const QSize size(std::max(ClientWidth(), 1), std::max(ClientHeight(), 1));
    if (DrawingReadsPixels()) {
        QImage scratch(size, QImage::Format_RGB32);
        platform::DeviceContext dc(scratch);
        PaintWholeFrame(dc);
    } else {
        platform::BlankImage blank(size);
        platform::DeviceContext dc(blank);
        PaintWholeFrame(dc);
    }
}

void TPlot0Win::PaintWholeFrame(platform::DeviceContext& dc) {
    // A frame is drawn whole: the drawers do not stop for keys here.
    const bool polling = Output().noPolling;
    Output().noPolling = true;
    PaintBackground(dc);
    DrawImageFrame(dc);
    if (DrawAll(dc) == 0) DrawPicture(dc);
    Output().noPolling = polling;
}

void TPlot0Win::PaintTeXFrame(int) {
    PaintExportFrame();
}

void TPlot0Win::PaintEpsFrame(int) {
    Exports().ExportBackground();
    PaintExportFrame();
}

int TPlot0Win::MarkParameters(const std::string& names) {
    MarkWindowSymbols();
    const TFrameParameters p = MarkFrameParameters(names, Dimension() >= 3, Compiler().Symbols());
    options_.markedParameters = p.marks;
    FormulaContext& f = Formulas();
    for (int letter = 1; letter <= slot::kLastParameter; ++letter)
        if (p.marks[static_cast<std::size_t>(letter)])
            f.SetVar(letter, f.params.left[static_cast<std::size_t>(letter)]);
    if (p.mode == kAnimationNone) platform::ErrorMsg(this, kErrCouldNotFind);
    return p.mode;
}

// ------------------------------------------------------------------------------ other devices

void TPlot0Win::PaintHighRes(platform::DeviceContext& dc) {
    const int factor = std::max(Output().highResolutionFactor, 1);
    const canvas::TViewFrame saved = View();
    // The same frame on a surface of factor times the pixels.
    canvas::TViewFrame& v = View();
    v.cornersFlag = true;
    v.SetAreaSize(v.areaWidth * factor, v.areaHeight * factor);
    v.leftMargin *= factor;
    v.topMargin *= factor;
    v.RecomputeView();
    Output().highResolution = true;
    if (Output().opaqueBackground || WithBackColor())
        dc.FillSolidRect({0, 0, ClientWidth() * factor, ClientHeight() * factor},
                         GetColor(Roles().Role(0)));
    if (DrawAll(dc) == 0) DrawPicture(dc);
    Output().highResolution = false;
    View() = saved;
    PrepareScreenImage();
}

bool TPlot0Win::DrawBitmapImage(platform::DeviceContext& dc) {
    UpdateImageSize();
    if (!IsImageCurrent(ImageLayer::Background)) RenderImage(ImageLayer::Background);
    BlitImage(ImageLayer::Background, dc);
    DrawPicture(dc);
    return true;
}

int TPlot0Win::DrawForOutput(platform::DeviceContext& dc) {
    const QSize size = OutputSize();
    dc.SetClipRect({0, 0, size.width(), size.height()});
    // Lines on paper are as wide as the axes there, thickened by "Thicken print ...".
    const int screenLineWidth = Output().printLineWidth;
    Output().printLineWidth = PenWidthDev(dc, options_.extraPrintThickness);
    const int result = TPlotWin::DrawForOutput(dc);
    Output().printLineWidth = screenLineWidth;
    dc.ResetClip();
    return result;
}

void TPlot0Win::PrepareScreenImage() {
    TPlotWin::PrepareScreenImage();
    RecomputeView();
}

int TPlot0Win::DrawPicture(platform::DeviceContext& dc) {
    if (const int stop = TPlotWin::DrawPicture(dc)) return stop;
    DrawEquationLabels(dc);
    return 0;
}

void TPlot0Win::RescaleFrameTexts(long double newHalfWidth, long double newHalfHeight,
                                  long double oldHalfWidth, long double oldHalfHeight) {
    TPlotWin::RescaleFrameTexts(newHalfWidth, newHalfHeight, oldHalfWidth, oldHalfHeight);
    canvas::RescaleFrameTexts(labels_.Labels(), newHalfWidth, newHalfHeight, oldHalfWidth,
                              oldHalfHeight);
}

WorldPoint TPlot0Win::AnchorPoint(int anchor) const {
    if (!Inventory().IsIndex(anchor)) return TPlotWin::AnchorPoint(anchor);
    const TExample& e = Inventory()[anchor];
    if (e.kind != kind::kPoint && e.kind != kind::kSpacePoint) return TPlotWin::AnchorPoint(anchor);
    // The point drawers keep the drawn point in the first range block.
    return {e.rangeLow[0], e.rangeLow[1]};
}

bool TPlot0Win::IsAnchorShown(int anchor) const {
    return !Inventory().IsIndex(anchor) || Inventory()[anchor].graphShown;
}

// ------------------------------------------------------------------------------ window

void TPlot0Win::UpdateMenuChecks(bool flag) {
    const TTracerSettings& t = Tracer();
    CheckMenu(cmd::kStrobe, t.strobe);
    CheckMenu(cmd::kAbruptAngles, t.abruptAngles);
    CheckMenu(cmd::kInfiniteSlopes, t.infiniteSlopes);
    CheckMenu(cmd::kGraphInBlack, options_.graphInBlack);
    CheckMenu(cmd::kCube, Observer().cube);
    CheckMenu(cmd::kFillExplicit, options_.fillExplicit);
    for (int id : {cmd::kShadeOpaque, cmd::kShadeNotXor, cmd::kShadeXor})
        CheckMenu(id, options_.shadingMode == id);
    const auto& group = Animation().group;
    CheckMenu(cmd::kSimultaneous, std::count(group.begin() + 1, group.end(), 1) > 1);
    TPlotWin::UpdateMenuChecks(flag);
}

void TPlot0Win::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kHomeEquations) state.enabled = !labels_.Empty();
    TPlotWin::EnableCommand(state);
}

void TPlot0Win::AddReadoutModes() {
    // The readout and zoom-box modes are the grid level's; this level reads out and recentres
    // through the examples.
    AddMouseModeHandler(cmd::kMouseCoordinates, PressHandler([this](const platform::MouseEvent& e) {
                            return ReadoutPress(e);
                        }));
    AddMouseModeHandler(cmd::kMouseZoomBox, PressHandler([this](const platform::MouseEvent& e) {
                            if (e.button != platform::MouseButton::Right) return false;
                            RecenterAtMouse(e.point);
                            return true;
                        }));
}

bool TPlot0Win::ReadoutPress(const platform::MouseEvent& event) {
    if (event.button == platform::MouseButton::Left) {
        readoutHeld_ = true;
        ShowMouseCoordinates(1, event.point);
    } else if (event.button == platform::MouseButton::Right) {
        RecenterAtMouse(event.point);
    }
    return true;  // the other buttons do nothing in this mode
}

void TPlot0Win::MouseMove(const platform::MouseEvent& event) {
    if (!readoutHeld_) return TPlotWin::MouseMove(event);
    ShowMouseCoordinates(1, event.point);
}

void TPlot0Win::MouseUp(const platform::MouseEvent& event) {
    if (!readoutHeld_) return TPlotWin::MouseUp(event);
    readoutHeld_ = false;
    EndReadout();
}

}  // namespace quorlin::examples
