#include "canvas/grid_dialogs.h"

#include <cmath>

#include "canvas/grid_win.h"
#include "core/numbers.h"
#include "platform/boxes.h"
#include "platform/screen_metrics.h"

namespace quorlin::canvas {
namespace {

// Controls of "SETGRID".
namespace grid {
inline constexpr int kAxes = 271, kTicks = 272, kArrows = 273, kDots = 274, kLabels = 275;
inline constexpr int kBoth = 251, kX = 252, kY = 253, kPolar = 254;
inline constexpr int kTickLength = 211, kTickLengthLabel = 38;
inline constexpr int kXInterval = 212, kYInterval = 215;
inline constexpr int kXPlaces = 213, kYPlaces = 216, kXFrequency = 214, kYFrequency = 217;
inline constexpr int kXScale = 276, kYScale = 278, kXPi = 277, kYPi = 279;
inline constexpr int kOnAxes = 255, kOnBorder = 256, kScaleOnLabel = 8;
inline constexpr int kPolarGrid = 280, kSectors = 218, kRectGrid = 281;
inline constexpr int kQuadrantI = 282, kQuadrantIV = 285, kQuadrantsLabel = 4, kDotted = 286;
inline constexpr int kIntervalLabel = 51, kPlacesLabel = 231, kPiLabel = 234;
inline constexpr int kXRowLabel = 235, kYRowLabel = 236;
inline constexpr int kApply = 91;
// An interval field holds the longest text FormatShortest gives, so it reads back what it
// shows.
inline constexpr std::size_t kIntervalChars = 29, kPlacesChars = 8;
}  // namespace grid

// Controls of the view templates.
namespace view {
inline constexpr int kLeft = 211, kRight = 212, kDown = 213, kUp = 214;
inline constexpr int kCentreX = 215, kCentreY = 216, kWidth = 217;
inline constexpr int kByCentre = 251, kByCorners = 252;
inline constexpr int kLabels[] = {31, 32, 33, 34, 7, 9, 8};
inline constexpr int kFieldChars = 29;
}  // namespace view

std::string FieldText(const platform::Dialog& dlg, int id, std::size_t maxChars) {
    return dlg.GetText(id, resources::ControlKind::Edit).left(maxChars).toStdString();
}

QString Number(long double value, int width, int places) {
    return QString::fromStdString(FormatLf(value, width, places));
}

// A number field's text: the fewest digits that read back to the value itself, so that
// "apply" with the fields as shown changes nothing.
QString Shortest(long double value) {
    return QString::fromStdString(FormatShortest(value));
}

}  // namespace

// ------------------------------------------------------------------------------ TGridDlg

TGridDlg::TGridDlg(TGridWin& window, std::string_view templateName)
    : platform::Dialog(&window, templateName), window_(window) {}

void TGridDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    screenWidth_ = std::max(ScreenMeasureWidth(platform::ScreenMetrics()), 1);
    TransferToControls();
    HideForLogarithmicAxes();
    ShowHideRules();
    if (window_.Figure().timeAxisLetters) {
        SetText(grid::kXRowLabel, QStringLiteral("t"));
        SetText(grid::kYRowLabel, QStringLiteral("x"));
        SetText(grid::kX, QStringLiteral("t"));
        SetText(grid::kY, QStringLiteral("x"));
    }
}

void TGridDlg::TransferToControls() {
    const TAxesSettings& a = window_.Axes();
    SetChecked(grid::kAxes, a.axesShown);
    SetChecked(grid::kTicks, a.ticks);
    SetChecked(grid::kArrows, a.arrows);
    SetChecked(grid::kDots, a.dots);
    SetChecked(grid::kLabels, a.labels);
    for (int q = 0; q < 4; ++q) SetChecked(grid::kQuadrantI + q, a.gridFlags & (1 << q));
    SetChecked(grid::kRectGrid, a.gridFlags & kGridRectangular);
    SetChecked(grid::kPolarGrid, a.gridFlags & kGridPolar);
    SetChecked(grid::kDotted, a.gridFlags & kGridDotted);
    SetChecked(grid::kXScale, a.ShowsXNumbers());
    SetChecked(grid::kYScale, a.ShowsYNumbers());
    SetChecked(grid::kXPi, a.xPi);
    SetChecked(grid::kYPi, a.yPi);
    for (const int radio : {grid::kBoth, grid::kX, grid::kY, grid::kPolar})
        SetChecked(radio, false);
    switch (a.axesKind) {
        case kAxesBoth:
            SetChecked(grid::kBoth, true);
            break;
        case kAxesX:
            SetChecked(grid::kX, true);
            break;
        case kAxesY:
            SetChecked(grid::kY, true);
            break;
        case kAxesPolarRay:
            SetChecked(grid::kPolar, true);
            break;
        default:
            break;
    }
    SetChecked(a.NumbersOnBorder() ? grid::kOnBorder : grid::kOnAxes, true);
    ShowPlaces();
    SetText(grid::kTickLength, resources::ControlKind::Edit,
            Number(TickLengthPercent(a.tickLength, screenWidth_), 3, 1));
    ShowIntervals();
    SetText(grid::kSectors, resources::ControlKind::Edit, QString::number(a.polarSectors));
    ShowHideRules();
}

void TGridDlg::ShowIntervals() {
    const TAxesSettings& a = window_.Axes();
    SetText(grid::kXInterval, resources::ControlKind::Edit,
            Shortest(a.xInterval) + (a.originLetter ? QStringLiteral("@") : QString()));
    SetText(grid::kYInterval, resources::ControlKind::Edit, Shortest(a.yInterval));
    SetText(grid::kXFrequency, resources::ControlKind::Edit, QString::number(a.xFrequency));
    SetText(grid::kYFrequency, resources::ControlKind::Edit, QString::number(a.yFrequency));
}

void TGridDlg::ShowPlaces() {
    SetText(grid::kXPlaces, resources::ControlKind::Edit,
            QString::fromStdString(FormatPlaces(window_.Axes().xPlaces)));
    SetText(grid::kYPlaces, resources::ControlKind::Edit,
            QString::fromStdString(FormatPlaces(window_.Axes().yPlaces)));
}

void TGridDlg::ShowHideRules() {
    const bool axes = IsChecked(grid::kAxes);
    for (const int id : {grid::kBoth, grid::kX, grid::kY, grid::kPolar, grid::kTicks, grid::kArrows,
                         grid::kLabels})
        ShowControl(id, axes);
    const bool tickLength = axes && IsChecked(grid::kTicks);
    ShowControl(grid::kTickLengthLabel, tickLength);
    ShowControl(grid::kTickLength, tickLength);
    const bool rect = IsChecked(grid::kRectGrid);
    for (int id = grid::kQuadrantI; id <= grid::kQuadrantIV; ++id) ShowControl(id, rect);
    ShowControl(grid::kQuadrantsLabel, rect);
    const bool polarOffered = !window_.DialogChoice().noPolarGrid;
    ShowControl(grid::kPolarGrid, polarOffered);
    ShowControl(grid::kSectors, polarOffered && IsChecked(grid::kPolarGrid));
    ShowControl(grid::kDotted, rect || IsChecked(grid::kPolarGrid));
    if (window_.View().logMode != kLogNone) HideForLogarithmicAxes();
}

void TGridDlg::HideForLogarithmicAxes() {
    const int mode = window_.View().logMode;
    if (mode == kLogNone) return;
    for (const int id : {grid::kBoth, grid::kX, grid::kY, grid::kPolar, grid::kTicks,
                         grid::kTickLength, grid::kTickLengthLabel, grid::kQuadrantsLabel,
                         grid::kScaleOnLabel, grid::kOnAxes, grid::kOnBorder, grid::kSectors})
        ShowControl(id, false);
    for (int id = grid::kPolarGrid; id <= grid::kDotted; ++id) ShowControl(id, false);
    if (IsLogX(mode))
        for (const int id : {grid::kXInterval, grid::kXScale, grid::kXPi}) ShowControl(id, false);
    if (IsLogY(mode))
        for (const int id : {grid::kYInterval, grid::kYScale, grid::kYPi}) ShowControl(id, false);
    if (mode == kLogBoth)
        for (const int id : {grid::kAxes, grid::kArrows, grid::kLabels, grid::kIntervalLabel,
                             grid::kPlacesLabel, grid::kPiLabel})
            ShowControl(id, false);
}

TAxesSettings TGridDlg::ReadControls() const {
    TAxesSettings a = window_.Axes();
    a.axesShown = IsChecked(grid::kAxes);
    a.axesKind = IsChecked(grid::kBoth)    ? kAxesBoth
                 : IsChecked(grid::kX)     ? kAxesX
                 : IsChecked(grid::kY)     ? kAxesY
                 : IsChecked(grid::kPolar) ? kAxesPolarRay
                                           : kAxesNone;
    a.ticks = IsChecked(grid::kTicks);

    const IntervalText x =
        SplitIntervalText(FieldText(*this, grid::kXInterval, grid::kIntervalChars));
    a.originLetter = x.originMark;
    long double value = 0;
    if (window_.ReadNumber(x.number, value) == 0 && IsValidInterval(value)) a.xInterval = value;
    const IntervalText y =
        SplitIntervalText(FieldText(*this, grid::kYInterval, grid::kIntervalChars));
    if (window_.ReadNumber(y.number, value) == 0 && IsValidInterval(value)) a.yInterval = value;

    a.scaleFlags = (IsChecked(grid::kXScale) ? kScaleX : 0) |
                   (IsChecked(grid::kYScale) ? kScaleY : 0) |
                   (IsChecked(grid::kOnBorder) ? kScaleOnBorder : 0);
    a.xPi = IsChecked(grid::kXPi);
    a.yPi = IsChecked(grid::kYPi);
    if (auto f = ParseFrequency(FieldText(*this, grid::kXFrequency, 20))) a.xFrequency = *f;
    if (auto f = ParseFrequency(FieldText(*this, grid::kYFrequency, 20))) a.yFrequency = *f;

    if (window_.ReadNumber(FieldText(*this, grid::kTickLength, 20), value) == 0)
        if (auto lengths = TickLengthFromPercent(value, screenWidth_))
            std::tie(a.tickLength, a.minorTickLength) = *lengths;

    a.arrows = IsChecked(grid::kArrows);
    a.dots = IsChecked(grid::kDots);
    a.gridFlags = 0;
    for (int q = 0; q < 4; ++q)
        if (IsChecked(grid::kQuadrantI + q)) a.gridFlags |= 1 << q;
    if (IsChecked(grid::kRectGrid)) a.gridFlags |= kGridRectangular;
    if (IsChecked(grid::kPolarGrid)) a.gridFlags |= kGridPolar;
    if (IsChecked(grid::kDotted)) a.gridFlags |= kGridDotted;
    a.labels = IsChecked(grid::kLabels);

    const PlacesInput xp = ParsePlaces(FieldText(*this, grid::kXPlaces, grid::kPlacesChars));
    const PlacesInput yp = ParsePlaces(FieldText(*this, grid::kYPlaces, grid::kPlacesChars));
    if (xp.places) a.xPlaces = *xp.places;
    if (yp.places) a.yPlaces = *yp.places;
    if (xp.suffix) a.suffixChar = *xp.suffix;
    if (yp.suffix) a.suffixChar = *yp.suffix;

    if (auto sectors = ParsePolarSectors(FieldText(*this, grid::kSectors, 20)))
        a.polarSectors = *sectors;
    return a;
}

void TGridDlg::CmApply() {
    TViewState state = window_.SaveViewState();
    state.axes = ReadControls();
    if (SettingsChanged(window_.Axes(), state.axes)) {
        if (state.axes.xInterval != window_.Axes().xInterval ||
            state.axes.yInterval != window_.Axes().yInterval)
            state.frame.tickAdjust = 0;
        window_.ViewHistory(1);
        window_.RestoreViewState(state);
        window_.AxesChanged();
    }
    // Every field shows the setting in force, so that an input that was ignored (unreadable or
    // out of range) does not stay in its field looking accepted.
    TransferToControls();
}

void TGridDlg::OnControl(int id) {
    switch (id) {
        case grid::kApply:
            return CmApply();
        case platform::kIdOk:
            return;
        case platform::kIdCancel:
            return HideDialog();
        case grid::kAxes:
        case grid::kTicks:
        case grid::kPolarGrid:
        case grid::kRectGrid:
            return ShowHideRules();
        default:
            return;
    }
}

// ------------------------------------------------------------------------------ TViewDlg

namespace {
std::string_view ViewTemplate(int kind) {
    static constexpr std::string_view kNames[] = {"VIEWCEN", "VIEWCOR", "VIEWALL"};
    return kNames[std::clamp(kind, 0, 2)];
}
}  // namespace

TViewDlg::TViewDlg(TGridWin& window, int kind)
    : platform::Dialog(&window, ViewTemplate(kind)), window_(window), kind_(kind) {}

void TViewDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    if (kind_ != kViewDialogAll) {
        ShowControl(view::kByCentre, false);
        ShowControl(view::kByCorners, false);
    }
    // Each narrow kind hides the fields and captions of the other.
    if (kind_ == kViewDialogCentre)
        for (int i = 0; i < 4; ++i) {
            ShowControl(view::kLeft + i, false);
            ShowControl(view::kLabels[i], false);
        }
    if (kind_ == kViewDialogCorners)
        for (int i = 0; i < 3; ++i) {
            ShowControl(view::kCentreX + i, false);
            ShowControl(view::kLabels[4 + i], false);
        }
    FillFields(false);
}

void TViewDlg::FillFields(bool selectCentre) {
    const TViewFrame& f = window_.View();
    SetChecked(f.cornersFlag ? view::kByCorners : view::kByCentre, true);
    auto corner = [&](int id, long double linear, long double alt, bool logarithmic) {
        QString text;
        if (f.logMode == kLogNone)
            text = Shortest(linear);
        else if (logarithmic)
            text = QString::fromStdString(FormatPowerOfTen(static_cast<int>(std::trunc(alt))));
        else
            text = Shortest(alt);
        SetText(id, resources::ControlKind::Edit, text);
    };
    corner(view::kLeft, f.left, f.altLeft, IsLogX(f.logMode));
    corner(view::kRight, f.right, f.altRight, IsLogX(f.logMode));
    corner(view::kDown, f.down, f.altDown, IsLogY(f.logMode));
    corner(view::kUp, f.up, f.altUp, IsLogY(f.logMode));
    SetText(view::kCentreX, resources::ControlKind::Edit, Shortest(f.centreX));
    SetText(view::kCentreY, resources::ControlKind::Edit, Shortest(f.centreY));
    SetText(view::kWidth, resources::ControlKind::Edit, Shortest(2 * f.halfWidth));
    if (selectCentre) FocusControl(view::kCentreX, true);
}

ViewDialogInput TViewDlg::Input() const {
    ViewDialogInput in;
    // The narrow kinds read what they show.
    in.byCorners =
        kind_ == kViewDialogCorners || (kind_ == kViewDialogAll && IsChecked(view::kByCorners));
    auto text = [&](int id) { return FieldText(*this, id, view::kFieldChars); };
    in.centreX = text(view::kCentreX);
    in.centreY = text(view::kCentreY);
    in.width = text(view::kWidth);
    in.left = text(view::kLeft);
    in.right = text(view::kRight);
    in.down = text(view::kDown);
    in.up = text(view::kUp);
    return in;
}

int TViewDlg::CmOk() {
    ViewRequest r;
    const int err = ReadViewRequest(
        Input(), window_.View(),
        [this](std::string_view t, long double& v) { return window_.ReadNumber(t, v); }, r);
    if (err) {
        platform::ErrorMsg(this, err);
        return err;
    }
    if (!r.changed) return 0;
    window_.ViewHistory(1);
    if (r.logCorners)
        window_.SetLogCorners(r.left, r.right, r.down, r.up);
    else
        window_.SetViewByMode(r.centreX, r.centreY, r.halfWidth, r.halfHeight, r.byCorners);
    return 0;
}

void TViewDlg::OnControl(int id) {
    switch (id) {
        case platform::kIdOk:
            CmOk();
            return;
        case platform::kIdCancel:
            return HideDialog();
        case view::kByCentre:
            return FocusControl(view::kCentreX, true);
        case view::kByCorners:
            return FocusControl(view::kLeft, true);
        default:
            return;
    }
}

}  // namespace quorlin::canvas
