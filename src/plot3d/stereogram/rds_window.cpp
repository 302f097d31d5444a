#include "plot3d/stereogram/rds_window.h"

#include <cmath>

#include "core/errors.h"
#include "core/random.h"
#include "platform/key_poll.h"
#include "platform/strings.h"
#include "plot3d/levels/plot_r_win.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {

constexpr int kPairXY = 3;
constexpr int kHintQuit = 1;
constexpr int kStrDone = 270;
constexpr int kStrStereogram = 265;
constexpr long double kViewMargin = 0.55L;
constexpr int kMostShiftX = 80;
constexpr int kMostShiftY = 30;
constexpr int kBlack = 0;

// Dots through the canvas primitives: single pixels on screen for dot size 1, squares of at
// least two units on paper and in exports, each surface in its own colour.
class TPrimitiveDots : public TDotSink {
public:
    TPrimitiveDots(TRDSWin& window, canvas::TCanvasPrimitives& prim, int dotSize)
        : window_(window), prim_(prim) {
        const bool output = window.Printing().printing || window.Exports().AnyRunning();
        side_ = output ? std::max(dotSize, 2) : dotSize;
    }
    void BeginSurface(int i) override {
        surface_ = i;
        colour_ = window_.OutputColor(window_.DrawColor(window_.Inventory()[i].pen.colour));
    }
    void Dot(int px, int py) override { Square(px, py, colour_); }
    void GuideDot(int px, int py) override {
        Square(px, py, window_.OutputColor(window_.DrawColor(kBlack)));
    }

private:
    void Square(int px, int py, const QColor& colour) {
        if (side_ == 1) {
            prim_.SetPen(colour, 1, 0);
            prim_.Dot({px, py});
            return;
        }
        prim_.FilledBox({px, py, px + side_, py + side_}, colour);
    }

public:
    int Surface() const { return surface_; }

private:
    TRDSWin& window_;
    canvas::TCanvasPrimitives& prim_;
    int side_ = 1;
    int surface_ = -1;
    QColor colour_;
};

}  // namespace

TRDSWin::TRDSWin(TPlotRWin& parent, QString title)
    : TPlotQWin(QString(), QStringLiteral("rds.ini"), "RDSMENU"),
      parent_(parent),
      title_(std::move(title)) {
    SetAcceleratorName("RDSMENU");
    ShareInventoryOf(parent);
    SetUseDefaults(parent.UseDefaults());
    SetVersion(parent.Version());
    PointMapping().plottedPair = kPairXY;
    HandleCommand(cmd::kClose, [this] { CloseWindow(); });
    HandleCommand(cmd::kHelpButton,
                  [this] { ShowHelp({}, platform::ResourceString(kStrStereogram)); });
}

TRDSWin::~TRDSWin() = default;

void TRDSWin::SetupWindow() {
    TPlotQWin::SetupWindow();
    ResetWindow();
    ApplyIniSettings();
    const int mode = MouseMode();
    if (mode < cmd::kMouseText || mode > cmd::kMouseCoordinates) SetMouseMode(cmd::kMouseText);
    if (!IniPlacement()) {
        const QRect usual = DefaultGeometry();
        const int side = usual.width() * 4 / 5;
        OuterWidget()->setGeometry(RandomInt() % kMostShiftX,
                                   usual.top() + RandomInt() % kMostShiftY, side, side);
    }
    UpdateCaption();
}

void TRDSWin::CleanupWindow() {
    CollectIniSettings();
    TPlotQWin::CleanupWindow();
}

void TRDSWin::EnableCommand(platform::CommandState& state) {
    TPlotQWin::EnableCommand(state);
    // Dots by the thousand have no PiCTeX form.
    if (state.id == cmd::kExportPicTeX) state.enabled = false;
}

void TRDSWin::Redraw() {
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TRDSWin::Prepare() {
    Stereogram() = parent_.Stereogram();
    // The shared trees read the parent's parameters.
    Formulas().vars = parent_.Formulas().vars;
    geometry_ =
        StereoGeometry(Stereogram(), View().areaWidth, View().areaHeight, StereoBox(Inventory()));
    if (!geometry_.Drawable() || Printing().printing) return;
    const TBox3& box = geometry_.box;
    SetView(geometry_.centre.x, geometry_.centre.y, kViewMargin * (box.max.x - box.min.x),
            kViewMargin * (box.max.y - box.min.y), false);
    RecomputeView();
}

void TRDSWin::ShowProgress(const std::string& text, int row) {
    const int rows = geometry_.rows;
    if (rows <= 0) return;
    if (row >= rows) {
        UpdateCaption();
        return;
    }
    const int p = static_cast<int>(std::floor(100.0L * row / rows));
    const int q = static_cast<int>(std::lround(100.0L * (row - 1) / rows));
    if (p > 0 && p != q)
        SetCaption(QString::fromStdString(text) + QStringLiteral(" %1% ").arg(p) +
                   platform::ResourceString(kStrDone));
}

int TRDSWin::DrawAll(platform::DeviceContext& dc) {
    Prepare();
    if (!geometry_.Drawable()) return 0;
    const bool polling = !Output().noPolling;
    if (polling) {
        setFocus();
        ShowKeyHint(kHintQuit);
    }
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TPrimitiveDots dots(*this, prim, geometry_.dotSize);
    // A row costs what the picture is wide: the key is polled by time, not once a row.
    std::function<int()> poll;
    if (polling)
        poll = TTimedPoll(
            keyPoll_ ? keyPoll_ : [this] { return platform::PollKey(this); }, keyPollInterval_);
    std::function<void(int)> progress;
    if (Printing().printing)
        progress = [this, &dots](int row) { ShowProgress(DescribeExample(dots.Surface()), row); };
    const long double top = View().centreY + View().halfHeight;
    const int key = DrawStereogram(geometry_, Inventory(), Formulas(), Stereogram().density, top, 0,
                                   dots, poll, progress);
    UpdateCaption();
    return key == kKeyStop ? kKeyStop : 0;
}

}  // namespace quorlin::plot3d
