// TPlotWin's animation players: the frame player of the parameters (in real time for '@'), the
// player of prepared slides and the whole-number stepper, all driven by the window's timer, and
// the drawing of trajectory families.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "examples/levels/plot_win.h"
#include "examples/levels/running_player.h"
#include "platform/boxes.h"
#include "platform/clock.h"
#include "platform/key_poll.h"

namespace quorlin::examples {

namespace {

// Keys of the players.
constexpr int kKeyReverse = ' ';
constexpr int kKeyFaster = 'F';
constexpr int kKeySlower = 'S';
constexpr int kKeyPause = 'P';
constexpr long double kFaster = 1.25L;
constexpr long double kSlower = 0.8L;
// F and S change the delay of whole steps by 50 ms, that of slides by 5 ms.
constexpr int kStepDelayChange = 50;
constexpr int kSlideDelayChange = 5;
constexpr long double kTinyStep = 1e-16L;

}  // namespace

// ------------------------------------------------------------------------------ players

void TPlotWin::AnimateParameters(int slot, bool bounce, bool stopAtEnd, long double stopTime,
                                 std::function<void()> whenDone) {
    if (IsPlaying()) return;
    TAnimationSettings& settings = Animation();
    const TParameterAnimation::Options options{slot, bounce, settings.realTime,
                                               settings.realTime && stopAtEnd, stopTime};
    auto player = std::make_unique<TRunningPlayer>();
    player->slot = slot;
    player->whenDone = std::move(whenDone);
    TParameterAnimation& animation =
        player->animation.emplace(Formulas(), SliderSteps(), settings, options);
    if (!animation.CanStart()) {
        settings.realTime = false;
        if (player->whenDone) player->whenDone();
        return;
    }
    animation.Start(platform::ClockHundredths());
    StartPlayer(std::move(player), kRealTimePeriodMs,
                options.realTime ? kHintQuit : kHintPlayerKeys);
}

void TPlotWin::StepIntegerParameter(int slot, bool bounce, int n, std::function<void()> whenDone) {
    if (IsPlaying()) return;
    auto player = std::make_unique<TRunningPlayer>();
    player->kind = TRunningPlayer::Kind::IntegerSteps;
    player->slot = slot;
    player->whenDone = std::move(whenDone);
    player->left = Formulas().params.left[static_cast<std::size_t>(slot)];
    player->cycle.emplace(n, bounce, RoundLD(Formulas().Var(slot) - player->left));
    StartPlayer(std::move(player), std::max(Delay(), 0), kHintPlayerKeys);
}

void TPlotWin::PlaySlides(int slot, bool bounce, int n, std::function<void()> whenDone) {
    // Slide k shows the animated group moved k steps from its left ends to its right ends; the
    // values before the slides come back when they end.
    const TAnimatedGroup group = SelectAnimatedGroup(Animation().group, slot);
    auto saved = std::make_shared<TVariableTable>(Formulas().vars);
    TSlideSource source;
    source.prepare = [this, group](int k, int count) {
        const int last = count - 1;
        for (int i = group.first; i <= group.last; ++i) {
            const auto s = static_cast<std::size_t>(i);
            if (!group.which[s]) continue;
            long double step = (Formulas().params.right[s] - Formulas().params.left[s]) / last;
            if (step < kTinyStep) step = 1.0L / last;
            Formulas().vars.value[s].real(Formulas().params.left[s] + k * step);
        }
    };
    source.restore = [this, saved, slot] {
        Formulas().vars = *saved;
        RecomputeAll();
        ForgetImplicitTraces(slot);
    };
    PlaySlides(std::move(source), n + 1, bounce, slot, std::move(whenDone));
}

bool TPlotWin::PlaySlides(TSlideSource source, int count, bool bounce, int slot,
                          std::function<void()> whenDone) {
    if (IsPlaying()) return false;
    // Slides are full pictures of the window: only as many as the memory kept for them holds,
    // and at least two, or there is nothing to play.
    const std::int64_t bytes =
        std::int64_t{std::max(ClientWidth(), 1)} * std::max(ClientHeight(), 1) * 4;
    const int fit = SlidesWithinMemory(count, bytes, slideMemory_);
    if (fit < count || fit < 2) platform::ErrorMsg(this, kErrNoMoreRoom);
    if (fit < 2) {
        if (whenDone) whenDone();
        return false;
    }

    player_ = std::make_unique<TRunningPlayer>();
    TRunningPlayer& p = *player_;
    p.kind = TRunningPlayer::Kind::Slides;
    p.slot = slot;
    p.whenDone = std::move(whenDone);
    p.restore = std::move(source.restore);
    const int playHint = source.playHint;
    p.preparing = true;
    Output().animationFrame = true;
    bool stopped = false;
    {
        // Drawing the slides polls for Q between slides (and within them when the source asks);
        // nothing else reaches the window.
        platform::KeyPollScope scope;
        for (int k = 0; k < fit && !stopped; ++k) {
            source.prepare(k, fit);
            const int drawn = DrawAnimationFrame(slot, source.recompute, source.stopWithinSlides);
            if (!player_) return false;  // the window was closed
            p.slides.push_back(Image(ImageLayer::Picture));
            ShowKeyHint(kHintSlide, k + 1, fit);
            stopped = drawn == kKeyStop || platform::PollKey(this) == kKeyStop;
            if (!player_) return false;
        }
    }
    p.preparing = false;
    // Only the slides that were drawn are played, and none when Q ended a tour's drawing.
    if (p.slides.size() < 2 || (stopped && source.stopWithinSlides)) {
        EndPlayer(false);
        return false;
    }
    p.cycle.emplace(static_cast<int>(p.slides.size()) - 1, bounce);
    ShowKeyHint(playHint);
    setFocus();
    StartTimer(kAnimationTimer, std::max(Animation().slideDelay, 0));
    Invalidate();
    return true;
}

void TPlotWin::PlayTool(std::function<void()> tick, std::function<void(int)> key, int periodMs,
                        std::function<void()> whenDone) {
    if (IsPlaying()) return;
    auto player = std::make_unique<TRunningPlayer>();
    player->kind = TRunningPlayer::Kind::Tool;
    player->toolTick = std::move(tick);
    player->toolKey = std::move(key);
    player->whenDone = std::move(whenDone);
    StartPlayer(std::move(player), std::max(periodMs, 0), kHintQuit);
}

void TPlotWin::SetToolPeriod(int periodMs) {
    if (player_ && player_->kind == TRunningPlayer::Kind::Tool)
        StartTimer(kAnimationTimer, std::max(periodMs, 0));
}

void TPlotWin::StartPlayer(std::unique_ptr<TRunningPlayer> player, int periodMs, int hint) {
    player_ = std::move(player);
    Output().animationFrame = true;
    ShowKeyHint(hint);
    setFocus();
    StartTimer(kAnimationTimer, periodMs);
}

void TPlotWin::OnTimer(int id) {
    if (id != kAnimationTimer || !player_) return TFuncWin::OnTimer(id);
    PlayerTick();
}

void TPlotWin::PlayerTick() {
    TRunningPlayer& p = *player_;
    if (p.paused || p.preparing) return;
    switch (p.kind) {
        case TRunningPlayer::Kind::Parameters: {
            const bool more = p.animation->Frame(platform::ClockHundredths());
            DrawAnimationFrame(p.slot);
            if (!more) EndPlayer(false);
            return;
        }
        case TRunningPlayer::Kind::IntegerSteps:
            Formulas().vars.value[static_cast<std::size_t>(p.slot)].real(p.left + p.cycle->Next());
            DrawAnimationFrame(p.slot);
            return;
        case TRunningPlayer::Kind::Slides:
            p.cycle->Next();
            Invalidate();
            return;
        case TRunningPlayer::Kind::Tool:
            p.toolTick();
            return;
    }
}

void TPlotWin::PlayerKey(int code) {
    if (code == kKeyStop) return EndPlayer(false);
    TRunningPlayer& p = *player_;
    switch (p.kind) {
        case TRunningPlayer::Kind::Parameters:
            if (p.animation->RealTime()) return;
            if (code == kKeyReverse) p.animation->Reverse();
            if (code == kKeyFaster) p.animation->ChangeSpeed(kFaster);
            if (code == kKeySlower) p.animation->ChangeSpeed(kSlower);
            break;
        case TRunningPlayer::Kind::IntegerSteps:
            if (code == kKeyReverse) p.cycle->Reverse();
            if (code == kKeyFaster || code == kKeySlower) {
                const int change = code == kKeyFaster ? -kStepDelayChange : kStepDelayChange;
                SetDelay(std::max(Delay() + change, 0));
                StartTimer(kAnimationTimer, Delay());
            }
            break;
        case TRunningPlayer::Kind::Slides: {
            int& delay = Animation().slideDelay;
            if (code == kKeyReverse) p.cycle->Reverse();
            if (code == kKeySlower) delay += kSlideDelayChange;
            // F never takes the delay below 5 ms.
            if (code == kKeyFaster && delay > kSlideDelayChange)
                delay = std::max(delay - kSlideDelayChange, kSlideDelayChange);
            if (code == kKeyFaster || code == kKeySlower)
                StartTimer(kAnimationTimer, std::max(delay, 0));
            return;  // slides do not pause
        }
        case TRunningPlayer::Kind::Tool:
            p.toolKey(code);
            return;
    }
    // P holds the picture until P again.
    if (code == kKeyPause) {
        p.paused = !p.paused;
        if (p.paused) Repaint();
    }
}

void TPlotWin::StopPlaying() {
    if (player_) EndPlayer(false);
}

void TPlotWin::EndPlayer(bool closing) {
    const std::unique_ptr<TRunningPlayer> p = std::move(player_);
    StopTimer(kAnimationTimer);
    Output().animationFrame = false;
    if (p->animation) p->animation->Finish();
    // The window shows what it showed before the slides were drawn.
    if (p->restore) p->restore();
    if (closing) return;
    BackgroundChanged();
    UpdateCaption();
    UpdateMenuChecks(false);
    if (p->whenDone) p->whenDone();
}

int TPlotWin::DrawAnimationFrame(int letter, bool recompute, bool polled) {
    if (recompute) {
        RecomputeAll();
        ForgetImplicitTraces(letter);
    }
    // A frame is bounded work: its drawers do not poll, so the player's keys reach the player.
    // A slide drawn before anything plays may take long, and its drawers poll when asked.
    const bool polling = Output().noPolling;
    Output().noPolling = polling || !polled;
    InvalidateImage(ImageLayer::Background);
    const int drawn = RenderImage(ImageLayer::Picture);
    Output().noPolling = polling;
    Invalidate();
    RepaintLinkedWindows();
    return drawn;
}

bool TPlotWin::PaintSlide(QPainter& painter) {
    if (!player_ || !player_->cycle || player_->slides.empty()) return false;
    const auto k = static_cast<std::size_t>(player_->cycle->Current());
    painter.drawImage(ImageOrigin(), player_->slides[std::min(k, player_->slides.size() - 1)]);
    return true;
}

// ------------------------------------------------------------------------------ input

bool TPlotWin::OnCommand(int id) {
    if (!player_) return TFuncWin::OnCommand(id);
    // As an accelerator key stops a long operation, a command ends the player and is dropped.
    if (!player_->preparing) EndPlayer(false);
    return true;
}

void TPlotWin::keyPressEvent(QKeyEvent* event) {
    if (!player_) return TFuncWin::keyPressEvent(event);
    PlayerKey(platform::KeyCodeFromQt(event->key()));
    event->accept();
}

void TPlotWin::mousePressEvent(QMouseEvent* event) {
    if (!player_) return TFuncWin::mousePressEvent(event);
    event->accept();
}

void TPlotWin::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!player_) return TFuncWin::mouseDoubleClickEvent(event);
    event->accept();
}

void TPlotWin::closeEvent(QCloseEvent* event) {
    if (player_ && !player_->preparing) EndPlayer(false);
    TFuncWin::closeEvent(event);
}

void TPlotWin::CleanupWindow() {
    if (player_) EndPlayer(true);
    sketching_ = false;
    TFuncWin::CleanupWindow();
}

}  // namespace quorlin::examples
