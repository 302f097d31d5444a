#include "plot2d/curve_sampler.h"

#include <cmath>

namespace quorlin::plot2d {

namespace {

// The curve is looked at in the middle of every caller's step (a pixel column of an explicit
// curve), not at the steps' ends: base steps run from middle to middle two steps apart, and
// their own middles are the middles between. The chord test of a base step and of its halves
// decides where more is needed, so a gentle curve costs about one evaluation a step (one-step
// base steps with their middles cost two), and a feature a step wide is still always met.
constexpr int kBaseStepSpan = 2;
// Halvings of a base step before its chords are taken as they are.
constexpr int kMaxDepth = 64;
// A halved chord at most this many times shorter than its parent's still shrinks as a continuous
// curve's does (halving gives 2).
constexpr long double kContinuousShrink = 1.5L;
// Halvings of a step undefined at both ends before it is taken as undefined throughout: down to
// an eighth of the caller's step, of which a base step spans kBaseStepSpan.
constexpr int kUndefinedProbeDepth = 4;

// The distance of two pixels, by its square where that cannot overflow (poles give far-off
// pixels).
long double Distance(Vec2 a, Vec2 b) {
    constexpr long double kSafe = 1e2000L;
    const long double dx = b.x - a.x, dy = b.y - a.y;
    if (std::fabs(dx) < kSafe && std::fabs(dy) < kSafe) return std::sqrt(dx * dx + dy * dy);
    return std::hypot(dx, dy);
}

// Distance of p from the segment a-b.
long double DistanceToChord(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 d = b - a;
    const long double length2 = d.x * d.x + d.y * d.y;
    if (length2 == 0) return Distance(p, a);
    long double s = ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / length2;
    s = s < 0 ? 0 : s > 1 ? 1 : s;
    return Distance(p, a + s * d);
}

}  // namespace

TCurveSampler::TSample TCurveSampler::Evaluate(const CurveFunction& f, long double t) {
    ++evaluations_;
    --budget_;
    TSample s;
    s.t = t;
    s.ok = f(t, s.plot) && std::isfinite(s.plot.x) && std::isfinite(s.plot.y);
    if (s.ok) {
        s.pixel = pixels_.ToPixel(s.plot);
        s.ok = std::isfinite(s.pixel.x) && std::isfinite(s.pixel.y);
    }
    return s;
}

bool TCurveSampler::OffAreaOnOneSide(const TSample& a, const TSample& b, const TSample& m) const {
    const auto all = [&](auto test) { return test(a.pixel) && test(b.pixel) && test(m.pixel); };
    return all([&](Vec2 p) { return p.x < area_.left; }) ||
           all([&](Vec2 p) { return p.x > area_.right; }) ||
           all([&](Vec2 p) { return p.y < area_.top; }) ||
           all([&](Vec2 p) { return p.y > area_.bottom; });
}

void TCurveSampler::Finalize(const TSample& a, const TSample& b, long double parentChord) {
    if (!b.ok) {
        out_.Break();
        return;
    }
    if (a.ok && settings_.detectJumps && budget_ > 0) {
        // Still long at the parameter's resolution, and no shorter than the chord it halves:
        // a jump. A continuous curve's chord halves with its step.
        const long double chord = Distance(a.pixel, b.pixel);
        if (chord > settings_.longestChord && !(parentChord >= kContinuousShrink * chord))
            out_.Break();
    }
    Emit(b);
}

void TCurveSampler::Refine(const CurveFunction& f, const TSample& a, const TSample& b, int depth,
                           long double parentChord) {
    const long double mid = a.t + (b.t - a.t) / 2;
    if (depth >= kMaxDepth || budget_ <= 0 || !(mid > a.t && mid < b.t)) {
        Finalize(a, b, parentChord);
        return;
    }
    if (a.ok && b.ok && Distance(a.pixel, b.pixel) <= settings_.tolerance) {
        Emit(b);
        return;
    }
    // Undefined at both ends: probed down to an eighth of the base step, so that a defined
    // piece narrower than the step is still found; past that the pen stays up.
    if (!a.ok && !b.ok && depth >= kUndefinedProbeDepth) return;
    const TSample m = Evaluate(f, mid);
    if (a.ok && b.ok && m.ok) {
        if (OffAreaOnOneSide(a, b, m)) {
            Emit(b);  // nothing of it shows; the pipe cuts it away
            return;
        }
        if (HalvesShowTheCurve(a.pixel, m.pixel, b.pixel)) {
            Emit(m);
            Emit(b);
            return;
        }
    }
    const long double chord = a.ok && b.ok ? Distance(a.pixel, b.pixel) : 0;
    // Each half of a base step has half of its budget, so that wild oscillation in one half
    // does not leave the other drawn coarsely.
    if (depth == 0) budget_ = halfBudget_;
    Refine(f, a, m, depth + 1, chord);
    if (depth == 0) budget_ = halfBudget_;
    Refine(f, m, b, depth + 1, chord);
}

bool TCurveSampler::HalvesShowTheCurve(Vec2 a, Vec2 m, Vec2 b) const {
    // The middle on the chord: the halves lie a quarter as far off the curve as the middle lies
    // off the chord where the curve bends smoothly.
    const long double first = Distance(a, m), second = Distance(m, b);
    return DistanceToChord(m, a, b) <= settings_.tolerance && first <= settings_.longestChord &&
           second <= settings_.longestChord;
}

int TCurveSampler::Sample(const CurveFunction& f, long double a, long double b, long double step) {
    out_.Break();
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(step) || !(step > 0) || !(b > a))
        return 0;
    area_ = space_.Area();
    pixels_ = space_.PixelMap();
    long double count = std::ceil((b - a) / step);
    if (count > static_cast<long double>(settings_.maxBaseSteps))
        count = static_cast<long double>(settings_.maxBaseSteps);
    const long long n = count < 1 ? 1 : static_cast<long long>(count);
    const long double h = (b - a) / static_cast<long double>(n);
    if (!(a + h > a) || !(b - h < b)) return 0;  // the step is lost in the magnitude of the range

    // The base points: a, the middles of the even steps, b.
    const long long middles = (n + 1) / kBaseStepSpan;
    const auto baseParameter = [&](long long k) {
        if (k > middles) return b;
        return a + h * (static_cast<long double>(kBaseStepSpan * (k - 1)) + 0.5L);
    };
    halfBudget_ = settings_.stepBudget;
    budget_ = kBaseStepSpan * settings_.stepBudget;
    TSample previous = Evaluate(f, a);
    if (previous.ok) Emit(previous);
    int key = 0;
    for (long long k = 1; k <= middles + 1; ++k) {
        budget_ = kBaseStepSpan * settings_.stepBudget;
        const TSample current = Evaluate(f, baseParameter(k));
        Refine(f, previous, current, 0, 0);
        previous = current;
        if (settings_.pollKey && settings_.pollKey() == kKeyStop) {
            key = kKeyStop;
            break;
        }
    }
    out_.Break();
    return key;
}

}  // namespace quorlin::plot2d
