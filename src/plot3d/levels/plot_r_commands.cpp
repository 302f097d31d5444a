// The 3D window's display and observer commands of the View menu: the switches of the axes and
// the box, the sizes they are drawn in, the observer's distance and turning step, the isometric
// eye, the axis lengths dialog "AXLEN" and the number of tour slides.
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "plot3d/axes/axes_geometry.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {

constexpr int kStrInput = 5;
constexpr int kStrArrowLength = 326;
constexpr int kStrObserverAngle = 197;
constexpr int kStrSlidesTitle = 195;
constexpr int kStrSlidesPrompt = 196;
constexpr int kStrScreenPenWidth = 16;
constexpr int kStrPrinterPenWidth = 15;
constexpr int kMinSlides = 2;
constexpr int kMaxSlides = 200;
// The isometric eye stands this many box sizes out along (1, 1, 1); "Far out" goes a thousand
// box sizes away, then comes back into the distance band.
constexpr long double kIsometricDistance = 8000;
constexpr long double kFarOutFactor = 1000;
constexpr long double kInFactor = 0.8L;
constexpr long double kOutFactor = 1.25L;

constexpr long double kDegreesPerRadian = 180 / std::numbers::pi_v<long double>;

// "AXLEN": the generic dialog whose second button, "unlock", also takes the fields.
class TAxisLengthsDlg : public platform::TGenDlg {
public:
    using TGenDlg::TGenDlg;
    void OnControl(int id) override {
        if (id == kUnlock) {
            CanClose();
            CloseWindow(kUnlock);
            return;
        }
        TGenDlg::OnControl(id);
    }
    static constexpr int kUnlock = 2;
};

}  // namespace

void TPlotRWin::Repaint3D() {
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TPlotRWin::ObserverChanged() {
    Observer().viewMoved = true;
    RefreshObserverDialog();
    ComputeViewAngles();
    MarkModified();
    ViewChanged(false);
}

void TPlotRWin::MoveObserverBy(long double factor) {
    ScaleObserverDistance(factor);
    AdjustObserverDistance();
    Observer().boxEye = SceneBox().WorldToBox(Observer().eye);
    ObserverChanged();
}

void TPlotRWin::SetIsometricView() {
    const long double e = kIsometricDistance * Vec3TaxiDist(SceneBox().max, SceneBox().min);
    Observer().viewMoved = true;
    Observer().eye = {e, e, e};
    // As In and Out do: the box eye and the angles follow, so Cube mode sees the new eye.
    Observer().boxEye = SceneBox().WorldToBox(Observer().eye);
    ComputeViewAngles();
    RefreshObserverDialog();
    MarkModified();
    FitBoxToWindow();
    Repaint3D();
}

std::optional<int> TPlotRWin::AskWhole(int titleId, int promptId, int current, int low, int high) {
    const std::optional<QString> text = AskOption(titleId, promptId, QString::number(current));
    if (!text) return std::nullopt;
    int value = 0;
    const std::string typed = ToWindows1252(*text).value_or("?");
    if (const int e = Formulas().ReadInteger(typed, INT32_MIN, INT32_MAX, value)) {
        platform::ErrorMsg(this, e);
        return std::nullopt;
    }
    if (value < low || value > high) {
        platform::ErrorMsg(this, kErrOutOfBounds);
        return std::nullopt;
    }
    return value;
}

void TPlotRWin::AskArrowLength() {
    const std::optional<int> n = AskWhole(kStrInput, kStrArrowLength, Scene3D().arrowLength,
                                          kMinArrowLength, kMaxArrowLength);
    if (!n || *n == Scene3D().arrowLength) return;
    Scene3D().arrowLength = *n;
    MarkModified();
    Repaint3D();
}

void TPlotRWin::AskSlides() {
    const std::optional<int> n =
        AskWhole(kStrSlidesTitle, kStrSlidesPrompt, Scene().count3D, kMinSlides, kMaxSlides);
    if (n) Scene().count3D = static_cast<std::int16_t>(*n);
}

void TPlotRWin::AskAngleStep() {
    const QString shown =
        QString::fromStdString(FormatNum(Observer().angleStep * kDegreesPerRadian));
    const std::optional<QString> text = AskOption(kStrInput, kStrObserverAngle, shown);
    if (!text) return;
    long double degrees = 0;
    if (ReadNumber(ToWindows1252(*text).value_or("?"), degrees) != 0) {
        platform::ErrorMsg(this, kErrCannotUnderstand);
        return;
    }
    Observer().angleStep = degrees / kDegreesPerRadian;
}

void TPlotRWin::AskAxisLengths() {
    const TAxisEnds& old = Scene3D().axes;
    const std::array<long double, 6> values{old.lower.x, old.upper.x, old.lower.y,
                                            old.upper.y, old.lower.z, old.upper.z};
    std::array<QString, 6> texts;
    std::vector<platform::EditBinding> fields;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = QString::fromStdString(FormatNum(values[k]));
        fields.push_back({&texts[k], 20});
    }
    TAxisLengthsDlg dialog(this, "AXLEN", std::move(fields));
    const int pressed = dialog.Execute();
    if (pressed != platform::kIdOk && pressed != TAxisLengthsDlg::kUnlock) return;
    std::array<std::string, 6> typed;
    for (std::size_t k = 0; k < texts.size(); ++k) typed[k] = ToWindows1252(texts[k]).value_or("?");
    const TAxisLengthsRead read = ReadAxisLengths(
        typed, [this](std::string_view t, long double& v) { return ReadNumber(t, v); });
    const bool lock = pressed == platform::kIdOk;
    if (read.error != 0) platform::ErrorMsg(this, read.error);
    if (const std::optional<TAxisEnds> ends = ApplyAxisLengths(old, read, lock)) {
        Scene3D().axes = *ends;
        MarkModified();
        Repaint3D();
    }
}

void TPlotRWin::RegisterDisplayCommands() {
    // A switch of the picture: toggled, the menu checks updated, the picture drawn again
    // (when it shows at all).
    const auto toggle = [this](int id, bool& flag, std::function<bool()> shows) {
        HandleCommand(id, [this, &flag, shows = std::move(shows)] {
            flag = !flag;
            UpdateMenuChecks(false);
            if (shows()) {
                MarkModified();
                Repaint3D();
            }
        });
    };
    const auto always = [] { return true; };
    toggle(cmd::kArrows, Scene().arrows, [this] { return Axes().axesShown; });
    toggle(cmd::kShowLabels, Scene().axisLabels, always);
    toggle(cmd::kBox, Scene3D().box.shown, always);
    toggle(cmd::kCoords, Scene3D().box.coords, always);
    toggle(cmd::kDottedBox, Scene3D().box.dotted, always);
    toggle(cmd::kHideSegments, Scene().hideSegments,
           [this] { return Axes().axesShown || Scene3D().box.shown; });
    HandleCommand(cmd::kCube, [this] {
        Observer().cube = !Observer().cube;
        MarkModified();
        ComputeSceneBox();
        FitBoxToWindow();
        Repaint3D();
        UpdateMenuChecks(false);
    });
    HandleCommand(cmd::kBoxScreenThickness, [this] {
        if (!InputPositiveShort(Scene().boxScreenThickness, kStrScreenPenWidth)) return;
        MarkModified();
        if (Scene3D().box.shown) Repaint3D();
    });
    HandleCommand(cmd::kBoxPrintedThickness, [this] {
        if (!InputPositiveShort(Scene().boxPrintedThickness, kStrPrinterPenWidth)) return;
        Scene().boxPrintedThickness = std::max<std::int16_t>(Scene().boxPrintedThickness, 1);
        MarkModified();
    });
    HandleCommand(cmd::kArrowLength, [this] { AskArrowLength(); });
    HandleCommand(cmd::kLockLengths, [this] { AskAxisLengths(); });
    HandleCommand(cmd::kNumberOfSlides, [this] { AskSlides(); });
    HandleCommand(cmd::kObserverAngle, [this] { AskAngleStep(); });
    HandleCommand(cmd::kObserverIn, [this] { MoveObserverBy(kInFactor); });
    HandleCommand(cmd::kObserverOut, [this] { MoveObserverBy(kOutFactor); });
    HandleCommand(cmd::kFarOut, [this] {
        MoveObserverBy(kFarOutFactor * Vec3TaxiDist(SceneBox().max, SceneBox().min));
    });
    HandleCommand(cmd::kIsometric, [this] { SetIsometricView(); });
}

}  // namespace quorlin::plot3d
