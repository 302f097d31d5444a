// The 3D window's tour and rotation frames: one turn of the observer about the vertical through
// the focus, as slides played until Q or as the frames of an exported animation. Both give the
// eye and the turn step back as they found them.
#include <algorithm>
#include <numbers>

#include "core/errors.h"
#include "core/timed_poll.h"
#include "platform/key_poll.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/scene/observer.h"

namespace quorlin::plot3d {

namespace {

constexpr long double kFullTurn = 2 * std::numbers::pi_v<long double>;

}  // namespace

void TPlotRWin::MakeTour() {
    // The observer as it was, put back when the tour ends however it ends.
    const TObserver before = Observer();
    TSlideSource source;
    source.prepare = [this](int k, int count) {
        if (k == 0) {
            // Fewer slides than asked fit: the tour is as many, and so is the setting.
            Scene().count3D = static_cast<std::int16_t>(count);
            Observer().angleStep = kFullTurn / count;
        }
        // Slide k shows the view turned k + 1 steps back: the last one is the starting view,
        // so the loop runs on without a jump.
        plot3d::TurnObserver(Observer(), SceneBox(), false);
        ComputeViewAngles();
    };
    source.restore = [this, before] {
        Observer() = before;
        ComputeViewAngles();
        RefreshObserverDialog();
    };
    source.playHint = examples::kHintSlideKeys;
    source.recompute = false;  // turning changes the projection only
    // A slide of slowly drawn surfaces takes long: Q is seen while it is drawn, and Q before
    // the turn is complete ends the tour unplayed.
    source.stopWithinSlides = true;
    PlaySlides(std::move(source), Scene().count3D, false, 0);
}

bool TPlotRWin::WriteRotationFrames() {
    auto& e = Exports();
    return WriteTurningFrames(e.FrameCount(), [&e](int k) { return e.WriteFrame(k); });
}

bool TPlotRWin::WriteTurningFrames(int n, const std::function<bool(int)>& write) {
    const TObserver before = Observer();
    n = std::max(n, 1);
    Observer().angleStep = kFullTurn / n;
    bool ok = true;
    // A frame may be a whole picture or hardly anything: the key is polled by time.
    TTimedPoll poll(
        keyPoll_ ? keyPoll_ : [this] { return platform::PollKey(this); }, pollInterval_);
    for (int k = 0; ok && k < n; ++k) {
        ok = write(k);
        if (ok && n > 1 && poll() == kKeyStop) ok = false;
        if (!ok || k == n - 1) break;
        plot3d::TurnObserver(Observer(), SceneBox(), true);
        ViewChanged(false);
    }
    Observer() = before;
    ViewChanged(false);
    return ok;
}

}  // namespace quorlin::plot3d
