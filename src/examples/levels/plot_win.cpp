#include "examples/levels/plot_win.h"

#include <QImage>

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "examples/levels/running_player.h"
#include "examples/records/derivation.h"
#include "examples/records/inventory_listing.h"
#include "formula/complex_math.h"
#include "platform/boxes.h"
#include "platform/dialog.h"
#include "platform/key_poll.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

using canvas::WorldPoint;

TPlotWin::TPlotWin(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TFuncWin(kind, std::move(fileName), std::move(iniName), parent),
      compiler_(inventory_, Formulas()),
      dimension_(dimension) {
    Formulas().dimension = dimension;
    for (int role = 0; role < ColorRoles::kRoles; ++role) {
        const auto k = static_cast<std::size_t>(role);
        Roles().SetRole(role, kDefaultRoleColours[k]);
        if (kRoleCaptionIds[k] != 0) Roles().SetCaptionId(role, kRoleCaptionIds[k]);
    }
    TieTargets().offered = true;
    TieTargets().hideWithAnchor = true;
    tracer_.ScaleTolerances(View().unitsPerPixelX);
}

TPlotWin::~TPlotWin() = default;

void TPlotWin::SetupWindow() {
    TFuncWin::SetupWindow();
    MeasureLineHeight();
    // The imaginary part of '@' keeps the time step of real-time animations.
    Formulas().vars.value[slot::kAt].imag(0.01L);
    // The readout must show against the background.
    if (Roles().Role(kRoleReadout) == Roles().Role(0))
        Roles().SetRole(kRoleReadout, Roles().Role(0) != 0 ? 1 : 0);
    tracer_.mapThroughExample = PointMapping().readoutMaps && View().logMode == canvas::kLogNone;
}

void TPlotWin::MeasureLineHeight() {
    QImage scratch(1, 1, QImage::Format_RGB32);
    platform::DeviceContext dc(scratch);
    platform::SelectionGuard<platform::FontSpec> font(dc, ToFontSpec(Fonts().Font(kFontEquations)));
    lineHeight_ = dc.TextExtent(QStringLiteral("M")).height() + 1;
}

// ------------------------------------------------------------------------------ inventory

bool TPlotWin::CanAddExample(bool warn) {
    if (Inventory().HasRoom()) return true;
    if (warn) platform::ErrorMsg(this, kErrNoMoreRoom);
    return false;
}

TTextSettings TPlotWin::TextSettings() const {
    return {Format(), dimension_, Formulas().complexMode};
}

std::string TPlotWin::DescribeExample(int i) {
    return examples::DescribeExample(Inventory(), i, TextSettings());
}

int TPlotWin::CountExamplesOfKind(int kind) const {
    return examples::CountExamplesOfKind(Inventory(), kind);
}

// ------------------------------------------------------------------------------ slots

void TPlotWin::InventoryChanged(int) {}

bool TPlotWin::AcceptsExample(int) const {
    return true;
}

void TPlotWin::PaintBuffered(platform::DeviceContext& dc) {
    UpdateImageSize();
    if (!IsImageCurrent(ImageLayer::Picture)) RenderImage(ImageLayer::Picture);
    BlitImage(ImageLayer::Picture, dc);
    PaintPrepared(dc);
}

void TPlotWin::PaintPrepared(platform::DeviceContext&) {}

void TPlotWin::SetTraceKeyPoll(std::function<int()> poll, TTimedPoll::Clock::duration interval) {
    traceKeys_.Set(std::move(poll), interval);
}

int TPlotWin::PollTraceKey() {
    return traceKeys_.Ask([this] { return platform::PollKey(this); });
}

bool TPlotWin::IsHiddenByPolarSurface(int, const Vec3&) {
    return false;
}
bool TPlotWin::IsHiddenByImplicitSurface(int, const Vec3&) {
    return false;
}
bool TPlotWin::IsHiddenByParametricSurface(int, const Vec3&) {
    return false;
}
bool TPlotWin::IsHiddenByPlane(int, const Vec3&) {
    return false;
}
bool TPlotWin::IsHiddenByExplicitSurface(int, const Vec3&) {
    return false;
}

void TPlotWin::RefreshLinkedWindows(const TLinkedPoint&) {}
void TPlotWin::PlotInLinkedWindows(int, const TTrajectory&) {}
void TPlotWin::RepaintLinkedWindows() {}
void TPlotWin::RefreshToolValues() {}
void TPlotWin::UpdateDependents(int) {}

void TPlotWin::ShareInventoryOf(TPlotWin& parent) {
    inventoryInUse_ = &parent.Inventory();
    compilerInUse_ = &parent.Compiler();
}

void TPlotWin::RecomputeAll() {
    // The owner evaluates the compiled ranges of shared examples.
    if (SharesInventory()) return;
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        TExample& e = Inventory()[i];
        // An antiderivative's first tree holds a value evaluated with every recomputation.
        if (e.derivation == derived::kAntiderivative && e.Tree(1)) Formulas().Evaluate(*e.Tree(1));
        Compiler().EvaluateRanges(i);
    }
}

void TPlotWin::BeginEditExample(int) {}
void TPlotWin::EndEditExample(int) {}
void TPlotWin::SketchErased() {}

int TPlotWin::DrawSlopeField(platform::DeviceContext&, int) {
    return 0;
}

void TPlotWin::ViewChanged(bool) {}
void TPlotWin::RefreshInventoryDlg() {}

void TPlotWin::ExampleChanged(int letter) {
    if (!Compiler().Symbols().UsesLetter(letter)) return;
    RecomputeAll();
    RefreshToolValues();
    ForgetImplicitTraces(letter);
    Output().animationFrame = true;
    InvalidateImage(ImageLayer::Background);
    RenderImage(ImageLayer::Picture);
    Output().animationFrame = false;
    Invalidate();
    RepaintLinkedWindows();
}

void TPlotWin::ForgetImplicitTraces(int letter) {
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        TExample& e = Inventory()[i];
        if (e.kind != kind::kImplicit || (e.familyOn && e.familyLetter == letter)) continue;
        // Its traced curves belong to the old value: it is traced anew.
        e.FreeTrajectories();
        e.TraceRequest() = 1;
        e.LongSearch() = 0;
        e.periodic = 0;
    }
}

bool TPlotWin::ResizeInventory(int n, bool keep) {
    if (SharesInventory()) return false;
    return Inventory().SetCapacity(n, keep);
}

void TPlotWin::RecomputePicture(int) {}

std::optional<Vec3> TPlotWin::TracedPointInSpace(int, Vec3 traced) {
    return traced;
}
void TPlotWin::SketchPointAdded(const TSketchPoint&) {}

void TPlotWin::ClearSketches() {
    ClearSketch();
    Repaint();
}

// ------------------------------------------------------------------------------ points

bool TPlotWin::EvaluateExampleAt(Vec2& p) {
    const canvas::TViewFrame& v = View();
    if (v.logMode != canvas::kLogNone) {
        const auto plot =
            ToPlotAxes(v.logMode, p, ValueRangeOf(v.logMode, v.left, v.right, v.down, v.up));
        if (!plot) return false;
        p = *plot;
        return true;
    }
    if (!PointMapping().readoutMaps || !Inventory().IsIndex(ExampleBook().current)) return true;
    TExample& e = Inventory()[ExampleBook().current];
    FormulaContext& f = Formulas();
    if (f.complexMode) {
        f.SetVar(slot::kZ, Complex(p.x, p.y));
        if (!e.Tree(1) || !f.Evaluate(*e.Tree(1))) return false;
        p = {e.Tree(1)->re, e.Tree(1)->im};
        return true;
    }
    f.SetVar(slot::kX, p.x);
    f.SetVar(slot::kY, p.y);
    if (!e.Tree(1) || !f.Evaluate(*e.Tree(1))) return false;
    p.x = e.Tree(1)->re;
    if (!e.Tree(2) || !f.Evaluate(*e.Tree(2))) return false;
    p.y = e.Tree(2)->re;
    return true;
}

bool TPlotWin::EvaluateExampleAt3D(Vec3& p) {
    const canvas::TViewFrame& v = View();
    if (v.logMode != canvas::kLogNone) {
        Vec2 q{p.x, p.y};
        const bool inside = EvaluateExampleAt(q);
        p.x = q.x;
        p.y = q.y;
        return inside;
    }
    if (!PointMapping().readoutMaps || !Inventory().IsIndex(ExampleBook().current)) return true;
    TExample& e = Inventory()[ExampleBook().current];
    FormulaContext& f = Formulas();
    f.SetVar(slot::kX, p.x);
    f.SetVar(slot::kY, p.y);
    f.SetVar(slot::kZ, p.z);
    long double* out[3] = {&p.x, &p.y, &p.z};
    for (int k = 1; k <= 3; ++k) {
        if (!e.Tree(k) || !f.Evaluate(*e.Tree(k))) return false;
        *out[k - 1] = e.Tree(k)->re;
    }
    return true;
}

Vec3 TPlotWin::EvalParametricAt(int i, long double t, long double u) {
    if (!Inventory().IsIndex(i)) return {};
    TExample& e = Inventory()[i];
    FormulaContext& f = Formulas();
    f.SetVar(slot::kT, t);
    f.SetVar(slot::kU, u);
    long double v[3] = {};
    for (int k = 1; k <= 3; ++k) {
        if (!e.Tree(k) || !f.Evaluate(*e.Tree(k))) return {};
        v[k - 1] = e.Tree(k)->re;
    }
    return {v[0], v[1], v[2]};
}

// ------------------------------------------------------------------------------ 3D

std::optional<QPoint> TPlotWin::ProjectToPixel(Vec3 p) const {
    const Vec2 q = ProjectPoint(p);
    QPoint pixel;
    if (!PointToScreen({q.x, q.y}, pixel)) return std::nullopt;
    return pixel;
}

std::optional<Vec2> TPlotWin::SelectAxisPair(Vec3 p, long double t) const {
    return examples::SelectAxisPair(PointMapping().plottedPair, p, t, dimension_, observer_, box_);
}

void TPlotWin::RefreshMeshColours(int i) {
    const int background = Roles().Role(0);
    for (int k = 0; k <= Inventory().LastIndex(); ++k) {
        if (i >= 0 && k != i) continue;
        TExample& e = Inventory()[k];
        if (!e.IsMeshSurface(true) || e.IsImplicitSurface()) continue;
        e.jumpsOff = e.extraColour[0] == background && e.extraColour[1] == background;
    }
}

// ------------------------------------------------------------------------------ view

void TPlotWin::RecomputeView() {
    TFuncWin::RecomputeView();
    const long double unit = View().unitsPerPixelX;
    tracer_.ScaleTolerances(unit);
    if (PointMapping().plottedPair < 9) tracer_.stepLength = unit;
    InvalidateImage(ImageLayer::Background);
}

void TPlotWin::RecenterAtMouse(QPoint point) {
    PointMapping().viewRecentred = true;
    const WorldPoint p = ScreenToWorld(point);
    SetViewCentre(p.x, p.y);
}

std::string TPlotWin::FormatCoordinates(long double x, long double y, char open, char close) const {
    if (Formulas().complexMode) {
        return FormatNum(x) + (y >= 0 ? " + " : " - ") + FormatNum(std::fabs(y)) + "i";
    }
    std::string out;
    if (open > 0) out += open;
    const int digits = Format().places;
    out += FormatNumberAuto(x, digits);
    if (close < 1) return out + " " + FormatNumberAuto(y, digits);
    return out + "," + FormatNumberAuto(y, digits) + close;
}

void TPlotWin::ShowMouseCoordinates(int mode, QPoint point) {
    const WorldPoint w = ScreenToWorld(point);
    Vec2 p{w.x, w.y};
    const int logMode = View().logMode;
    if (mode == 5 && logMode == canvas::kLogNone) {
        long double polar[2] = {};
        ComplexToPolar(p.x, p.y, polar);
        p = {polar[0], polar[1]};
    }
    p = ToLogAxes(logMode, p);
    readout_ = {point, FormatCoordinates(p.x, p.y, '(', ')') + MouseDataText(p.x)};
    Invalidate();
}

void TPlotWin::EndReadout() {
    if (!readout_) return;
    readout_.reset();
    Invalidate();
}

// ------------------------------------------------------------------------------ drawing

void TPlotWin::DrawAtWorldPoint(platform::DeviceContext& dc, WorldPoint p, WorldPoint q,
                                long double arrowLength, int colour, int width, bool clip,
                                int style) {
    if (clip) {
        const canvas::TViewFrame& v = View();
        const canvas::TLDRect inner{v.left + v.unitsPerPixelX, v.right - v.unitsPerPixelX,
                                    v.down + v.unitsPerPixelY, v.up - v.unitsPerPixelY};
        if (!canvas::ClipSegment(inner, p, q)) return;
    }
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const int factor = std::max(Output().highResolutionFactor, 1);
    prim.SetPen(OutputColor(DrawColor(colour)), std::max(width, 1) * factor, canvas::kStyleSolid);
    if (style % 2 == 1) prim.Segment(p, q, false);
    if (style > 1 && IsInView(q))
        prim.ArrowHead(q, {q.x - p.x, q.y - p.y}, arrowLength, Figure().solidArrowheads);
}

void TPlotWin::DrawSketch(platform::DeviceContext& dc) {
    if (sketch_.empty()) return;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    prim.Comment("begin rough section");
    const int factor = std::max(Output().highResolutionFactor, 1);
    bool open = false;
    for (const TSketchPoint& s : sketch_) {
        switch (s.type) {
            case TSketchPoint::kHead: {
                if (open) prim.EndCurve();
                const int width = Printing().printing ? Output().printLineWidth : s.pen.width;
                prim.SetPen(Printing().BlackAndWhite() ? QColor(Qt::black)
                                                       : canvas::FromColorRef(s.pen.colour),
                            std::max(width, 1) * factor, s.pen.style);
                prim.BeginCurve();
                open = true;
                break;
            }
            case TSketchPoint::kEnd:
                if (open) prim.EndCurve();
                open = false;
                break;
            default: {
                if (!open) break;
                QPoint pixel;
                if (PointToScreen({s.x, s.y}, pixel))
                    prim.CurvePoint({s.x, s.y});
                else
                    prim.BreakCurve();
            }
        }
    }
    if (open) prim.EndCurve();
}

int TPlotWin::DrawPicture(platform::DeviceContext& dc) {
    if (const int stop = TFuncWin::DrawPicture(dc)) return stop;
    DrawSketch(dc);
    return 0;
}

void TPlotWin::Repaint() {
    InvalidateImage(ImageLayer::Picture);
    Invalidate();
}

void TPlotWin::BackgroundChanged() {
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

// ------------------------------------------------------------------------------ sketch

void TPlotWin::SketchWithMouse(QPoint point) {
    const TSketchPen pen{GetPalette().GetColor(Roles().Role(kRoleSketch)).ToColorRef(),
                         static_cast<std::int16_t>(std::max(NewPens().sketchWidth, 1)), 0};
    BeginStroke(sketch_, pen);
    SketchPointAdded(sketch_.back());
    sketching_ = true;
    AddSketchPoint(point, false);
}

void TPlotWin::AddSketchPoint(QPoint point, bool last) {
    const WorldPoint w = ScreenToWorld(point);
    AddStrokePoint(sketch_, {w.x, w.y}, last);
    SketchPointAdded(sketch_.back());
    MarkModified();
    Repaint();
}

void TPlotWin::EraseSketchNearMouse(QPoint point) {
    const WorldPoint w = ScreenToWorld(point);
    if (!EraseStrokeNear(sketch_, {w.x, w.y}, 3 * View().unitsPerPixelX)) return;
    MarkModified();
    Repaint();
    SketchErased();
}

bool TPlotWin::ClearSketch() {
    const bool held = !sketch_.empty();
    sketch_.clear();
    return held;
}

void TPlotWin::MouseMove(const platform::MouseEvent& event) {
    if (!sketching_) return TFuncWin::MouseMove(event);
    AddSketchPoint(event.point, false);
}

void TPlotWin::MouseUp(const platform::MouseEvent& event) {
    if (!sketching_ || event.button != platform::MouseButton::Left) return TFuncWin::MouseUp(event);
    sketching_ = false;
    AddSketchPoint(event.point, true);
}

// ------------------------------------------------------------------------------ lists

void TPlotWin::CompileTrajectoryTexts(TTrajectory& trajectory) {
    for (std::size_t k = 0; k < TTrajectory::kTextCount; ++k) {
        trajectory.trees[k].reset();
        if (Parse(trajectory.texts[k]) == 0) trajectory.trees[k] = Formulas().TakeParseResult();
        TExampleCompiler::MarkTreeSymbols(trajectory.trees[k].get(), Compiler().Symbols());
    }
}

void TPlotWin::AddMarkedPoint(int i, int kind, const std::array<long double, 4>& values, int count,
                              std::string_view text) {
    if (!Inventory().IsIndex(i)) return;
    if (examples::AddMarkedPoint(Inventory()[i].markedPoints, kind, values, count, text))
        RefreshInventoryDlg();
}

void TPlotWin::AddTrajectory(int i, const TTrajectoryStart& start) {
    if (!Inventory().IsIndex(i)) return;
    const int parameter = std::clamp(start.parameter, 0, slot::kLastParameter);
    examples::AddTrajectory(Inventory()[i].trajectories, Inventory()[i].kind, start,
                            Roles().Role(kRoleTrajectory), Formulas().Var(parameter));
}

void TPlotWin::AddSlopeTrajectory(int i, Vec3 start, long double step, int colour, int mode,
                                  int width) {
    if (!Inventory().IsIndex(i)) return;
    examples::AddSlopeTrajectory(Inventory()[i].trajectories, start, step, colour, mode, width);
}

void TPlotWin::AddRecursionTrajectory(int i, Vec3 start, int terms, int colour, int width) {
    if (!Inventory().IsIndex(i)) return;
    examples::AddRecursionTrajectory(Inventory()[i].trajectories, Inventory()[i].kind, start, terms,
                                     colour, width);
}

// ------------------------------------------------------------------------------ window

void TPlotWin::Paint(QPainter& painter, const QRect& dirty) {
    if (PaintSlide(painter)) return;
    TFuncWin::Paint(painter, dirty);
    if (!readout_) return;
    platform::DeviceContext dc(painter);
    platform::SelectionGuard<platform::FontSpec> font(dc,
                                                      ToFontSpec(Fonts().Font(kFontCoordinates)));
    const QString text = FromWindows1252(readout_->second);
    const QSize extent = dc.TextExtent(text);
    const QPoint mouse = readout_->first;
    // Centred on the mouse, inside the client area; below the mouse near the top.
    int x = std::min(mouse.x() - extent.width() / 2, ClientWidth() - 4 - extent.width());
    if (x < 0) x = 4;
    int bottom = mouse.y();
    if (mouse.y() < extent.height() * 3 / 2 + 4) bottom += extent.height() * 3 / 2;
    dc.SetTextColor(GetColor(Roles().Role(kRoleReadout)));
    dc.SetBackgroundMode(platform::BackgroundMode::Transparent);
    dc.TextOut(x, bottom - extent.height(), text);
}

void TPlotWin::Notify(int code) {
    switch (code) {
        case kNotifyBackground:
        case kNotifyBackgroundAgain:
        case kNotifyAllLayers:
            BackgroundChanged();
            return;
        case kNotifyLineHeight:
            MeasureLineHeight();
            BackgroundChanged();
            return;
        case kNotifyFontChanged:
            MeasureLineHeight();
            break;
        default:
            break;
    }
    TFuncWin::Notify(code);
}

void TPlotWin::FillTieList(platform::Dialog& dlg, int listId, int anchor) {
    TieTargets().table = PointExampleIndexes(Inventory());
    dlg.ClearList(listId);
    for (std::size_t k = 0; k < TieTargets().table.size(); ++k) {
        dlg.AddString(listId, FromWindows1252(DescribeExample(TieTargets().table[k])));
        if (TieTargets().table[k] == anchor) dlg.SetSelectedIndex(listId, static_cast<int>(k));
    }
}

void TPlotWin::MarkWindowSymbols() {
    if (SharesInventory()) return;  // the owner's symbol buffer follows the owner's texts
    Compiler().MarkUsedSymbols({}, ShadingEndParameters());
    const int end = canvas::kFirstEvalIndex + canvas::kEvalTextSlots;
    for (int index = canvas::kFirstEvalIndex; index < end; ++index) {
        const canvas::TEvalText* text = EvalTable().Find(index);
        if (!text) continue;
        for (std::size_t k = 0; k < 3; ++k)
            if (text->flags[k]) Compiler().MarkTextSymbols(text->texts[k]);
        if (!text->flags[3]) continue;
        const std::vector<std::string> pieces = canvas::SplitEvalLabel(text->texts[3]);
        for (std::size_t k = 1; k < pieces.size(); k += 2) Compiler().MarkTextSymbols(pieces[k]);
    }
}

int TPlotWin::ParseEvalText(const canvas::TEvalText& text, std::uint16_t& evalIndex,
                            bool checkOnly) {
    const int result = TFuncWin::ParseEvalText(text, evalIndex, checkOnly);
    if (!checkOnly && result == 0) MarkWindowSymbols();
    return result;
}

bool TPlotWin::ShowMenuHelp(const QString& menuTitle) {
    if (menuTitle == QStringLiteral("Anim")) {
        ShowHelp(QStringLiteral("QZANIMH"), {});
        return true;
    }
    static constexpr std::pair<const char*, const char*> kPages[] = {
        {"File", "FILEH"}, {"Equa", "EQUAH"}, {"View", "VIEWH"}, {"Btns", "BTNSH"},
        {"One", "ONEH"},   {"Two", "TWOH"},   {"Misc", "MISCH"}};
    for (const auto& [title, page] : kPages) {
        if (menuTitle != QLatin1String(title)) continue;
        const QString prefix = dimension_ >= 3 ? QStringLiteral("QZ3") : QStringLiteral("QZ2");
        ShowHelp(prefix + QLatin1String(page), {});
        return true;
    }
    return false;
}

}  // namespace quorlin::examples
