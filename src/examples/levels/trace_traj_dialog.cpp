#include "examples/levels/trace_traj_dialog.h"

#include <QListWidget>

#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "examples/levels/plot111_win.h"
#include "examples/operations/plot_geometry.h"
#include "examples/records/equation_text.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

constexpr int kStrMakeSelection = 415;
constexpr long double kShortestLength = 1e-13L;

// A vector at a point of plot coordinates as values on the logarithmic axes.
Vec2 VectorToLogAxes(int logMode, Vec2 at, Vec2 v) {
    const Vec2 value = ToLogAxes(logMode, at);
    const long double ln10 = std::numbers::ln10_v<long double>;
    if (logMode == 1 || logMode == 3) v.x *= value.x * ln10;
    if (logMode == 2 || logMode == 3) v.y *= value.y * ln10;
    return v;
}

}  // namespace

TTraceTrajDlg::TTraceTrajDlg(TPlot111Win& window, std::span<const int> kinds)
    : TComboDlg(window, "TRACETRAJ", kinds), host_(window) {
    low_ = window.View().left;
    high_ = window.View().right;
}

TExample* TTraceTrajDlg::Example() const {
    const int i = SelectedExample();
    return host_.Inventory().IsIndex(i) ? &host_.Inventory()[i] : nullptr;
}

TTrajectory* TTraceTrajDlg::FindTrajectory() const {
    TExample* e = Example();
    if (!e || sequence_ < 0) return nullptr;
    for (TTrajectory& t : e->trajectories)
        if (t.sequenceNumber == sequence_) return &t;
    return nullptr;
}

const TTrajectory* TTraceTrajDlg::Trajectory() const {
    return FindTrajectory();
}

long double TTraceTrajDlg::BarTime() const {
    return BarValue(low_, high_, steps_.steps, ScrollPosition(kBar));
}

// ------------------------------------------------------------------------------ set-up

void TTraceTrajDlg::SetupWindow() {
    steps_ = TakeSliderSteps(kBar, TSliderSteps::kTrajectorySlot);
    SetScrollPosition(kBar, steps_.steps / 2);
    // The lines of the trajectories are long: the list scrolls sideways.
    if (auto* list = qobject_cast<QListWidget*>(Control(kTrajectories)))
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    EnterConfirms(kTime);
    SetChecked(kVectorLength, true);
    SetText(kLength, QStringLiteral("1.0"));
    SetChecked(kThick, host_.SliderChoice().thickVectors);
    for (int id : {kVector, kLine, kVectorLength, kLength}) ShowControl(id, false);
    ready_ = true;
    TComboDlg::SetupWindow();
    EvScroll();
}

void TTraceTrajDlg::ApplyStepUnits() {
    long double t = 0;
    const bool read = host_.ReadNumber(GetText(kTime).toStdString(), t) == 0;
    steps_ = TakeSliderSteps(kBar, TSliderSteps::kTrajectorySlot);
    const bool inside = read && InRange(t, std::min(low_, high_), std::max(low_, high_));
    SetScrollPosition(kBar, inside ? BarPosition(t, low_, high_, steps_.steps) : steps_.steps / 2);
}

// ------------------------------------------------------------------------------ selections

void TTraceTrajDlg::SelectionChanged() {
    FillTrajectories(-1);
}

void TTraceTrajDlg::SelectionKept() {
    FillTrajectories(sequence_);
}

void TTraceTrajDlg::SelectionLost() {
    ClearList(kTrajectories);
    sequence_ = -1;
    cursor_.reset();
    ShowTimeControls(false);
    host_.Repaint();
}

void TTraceTrajDlg::RefillTrajectories() {
    if (Example())
        FillTrajectories(sequence_);
    else
        SelectionLost();
}

void TTraceTrajDlg::FillTrajectories(int keep) {
    ClearList(kTrajectories);
    TExample* e = Example();
    int position = -1;
    if (e) {
        const int places = host_.Format().places;
        const bool threeD = host_.Dimension() >= 3;
        for (std::size_t k = 0; k < e->trajectories.size(); ++k) {
            const TTrajectory& t = e->trajectories[k];
            AddString(kTrajectories,
                      FromWindows1252(DescribeTrajectory(t, places, threeD, host_.View().logMode)));
            if (t.sequenceNumber == keep && position < 0) position = static_cast<int>(k);
        }
        if (keep < 0 && !e->trajectories.empty()) position = 0;
    }
    if (position < 0) {
        // No trajectory, or the selected one is gone.
        sequence_ = -1;
        cursor_.reset();
        ShowTimeControls(false);
        host_.Repaint();
        return;
    }
    SetSelectedIndex(kTrajectories, position);
    if (keep >= 0 && sequence_ == keep) {
        // The same trajectory: its range may have changed, the time stays.
        const TTrajectory& t = e->trajectories[static_cast<std::size_t>(position)];
        low_ = t.startTime;
        high_ = t.endTime;
        ShowTimeControls(true);
        CmThickVectors();
        return;
    }
    TrajectorySelected();
}

void TTraceTrajDlg::TrajectorySelected() {
    TExample* e = Example();
    const int position = SelectedIndex(kTrajectories);
    if (!e || position < 0 || position >= static_cast<int>(e->trajectories.size())) {
        sequence_ = -1;
        ShowTimeControls(false);
        return;
    }
    const TTrajectory& t = e->trajectories[static_cast<std::size_t>(position)];
    sequence_ = t.sequenceNumber;
    low_ = t.startTime;
    high_ = t.endTime;
    ShowTimeControls(true);
    ApplyStepUnits();
    CmThickVectors();
}

void TTraceTrajDlg::ShowTimeControls(bool shown) {
    for (int id : {kTime, kBar, kTimeLabel}) ShowControl(id, shown);
    const bool adds = shown && host_.Inventory().HasRoom();
    for (int id : {kPoint, kVector, kLine}) EnableControl(id, adds);
    if (!shown) SetText(kReadout, platform::ResourceString(kStrMakeSelection));
}

// ------------------------------------------------------------------------------ the state

long double TTraceTrajDlg::ReadVectorLength(int& error) {
    error = 0;
    if (!IsChecked(kVectorLength)) return -1;
    long double length = 0;
    error = host_.ReadNumber(GetText(kLength).toStdString(), length);
    if (error == 0 && !(length >= kShortestLength)) error = kErrOutOfBounds;
    return error == 0 ? length : -1;
}

bool TTraceTrajDlg::ComputeState(long double t) {
    TExample* e = Example();
    TTrajectory* trajectory = FindTrajectory();
    cursor_.reset();
    if (!e || !trajectory) return false;
    int error = 0;
    const long double length = ReadVectorLength(error);
    cursor_ = ComputeTrajectoryCursor(
        host_.Formulas(), *e, *trajectory, t, host_.Dimension(), length,
        [this](TExample& example, const TTrajectory& traj, long double time) {
            return host_.TrajectoryStateAt(example, traj, time);
        });
    return cursor_.has_value();
}

void TTraceTrajDlg::ShowState() {
    if (!cursor_) return;
    const TTrajectoryCursorState& c = *cursor_;
    SetText(kTime, QString::fromStdString(host_.Format().FormatNum(c.time)).trimmed());
    const int logMode = host_.View().logMode;
    Vec3 point = c.state;
    Vec3 vector = c.field;
    if (logMode != canvas::kLogNone) {
        const Vec2 at{c.state.x, c.state.y};
        const Vec2 p = ToLogAxes(logMode, at);
        const Vec2 v = VectorToLogAxes(logMode, at, {c.field.x, c.field.y});
        point = {p.x, p.y, c.state.z};
        vector = {v.x, v.y, c.field.z};
    }
    SetText(kReadout, QString::fromStdString(
                          TrajectoryReadout(point, vector, host_.Dimension(), host_.Format())));
    host_.Repaint();
}

void TTraceTrajDlg::EvScroll() {
    if (ComputeState(BarTime())) ShowState();
}

void TTraceTrajDlg::CmThickVectors() {
    host_.SliderChoice().thickVectors = IsChecked(kThick);
    if (ComputeState(BarTime())) ShowState();
    host_.Repaint();
}

// ------------------------------------------------------------------------------ handlers

void TTraceTrajDlg::OnNotify(int id, platform::Notification what) {
    if (id == kBar && what == platform::Notification::Scrolled) {
        EvScroll();
        return;
    }
    if (id == kTrajectories && what == platform::Notification::SelectionChanged) {
        TrajectorySelected();
        return;
    }
    TComboDlg::OnNotify(id, what);
}

void TTraceTrajDlg::OnControl(int id) {
    switch (id) {
        case kThick:
        case kVectorLength:
            CmThickVectors();
            return;
        case kPoint:
        case kVector:
        case kLine:
            AddEntry(id);
            return;
        default:
            TComboDlg::OnControl(id);
    }
}

void TTraceTrajDlg::CmOk() {
    if (!FindTrajectory()) return;
    long double t = 0;
    int error = host_.ReadNumber(GetText(kTime).toStdString(), t);
    if (error == 0 && !InRange(t, std::min(low_, high_), std::max(low_, high_)))
        error = kErrOutOfBounds;
    GoToTypedTime(t, error);
}

bool TTraceTrajDlg::GoToTypedTime(long double t, int error) {
    if (error == 0 && !ComputeState(t)) error = kErrInconsistentData;
    if (error != 0) {
        platform::ErrorMsg(this, error);
        return false;
    }
    SetScrollPosition(kBar, BarPosition(t, low_, high_, steps_.steps));
    ShowState();
    return true;
}

void TTraceTrajDlg::AddEntry(int id) {
    if (id == kPoint) host_.SliderChoice().pointToolUsed = true;
    const int example = SelectedExample();
    if (!FindTrajectory()) return;
    long double t = 0;
    int error = host_.ReadNumber(GetText(kTime).toStdString(), t);
    int lengthError = 0;
    const long double length = ReadVectorLength(lengthError);
    if (error == 0) error = lengthError;
    if (!GoToTypedTime(t, error)) return;
    // A copy: adding the example changes the inventory the trajectory lives in.
    const TTrajectory trajectory = FindTrajectory()->Clone();
    const long double speed = cursor_->fieldLength;
    if (id == kPoint)
        host_.AddTrajectoryPoint(example, trajectory, t);
    else
        host_.AddTrajectoryLine(example, trajectory, t, id == kVector ? 79 : 80, length, speed);
}

}  // namespace quorlin::examples
