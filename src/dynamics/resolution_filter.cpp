#include "dynamics/resolution_filter.h"

#include <algorithm>
#include <cmath>

namespace quorlin::dynamics {

namespace {

// Cells per pixel along each axis, and the spacing of the samples taken along a segment.
constexpr int kCellsPerPixel = 2;
constexpr long double kSampleSpacing = 0.5L;

bool Finite(Vec2 p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

long double Length(Vec2 d) {
    return std::hypot(d.x, d.y);
}

// Calls visit with points along a-b no farther apart than the sample spacing, both ends included.
template <typename Visit>
void Sample(Vec2 a, Vec2 b, Visit&& visit) {
    const Vec2 d = b - a;
    const long double n = std::ceil(Length(d) / kSampleSpacing);
    const long long count = static_cast<long long>(std::max(n, 1.0L));
    for (long long k = 0; k <= count; ++k) {
        const long double s = static_cast<long double>(k) / count;
        if (visit(Vec2{a.x + s * d.x, a.y + s * d.y})) return;
    }
}

}  // namespace

TResolutionFilter::TResolutionFilter(int width, int height)
    : columns_(kCellsPerPixel * (std::max(width, 1) + 2 * kMarginPixels)),
      rows_(kCellsPerPixel * (std::max(height, 1) + 2 * kMarginPixels)),
      covered_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), false) {}

std::ptrdiff_t TResolutionFilter::Cell(Vec2 pixel) const {
    const long double cx = std::floor((pixel.x + kMarginPixels) * kCellsPerPixel);
    const long double cy = std::floor((pixel.y + kMarginPixels) * kCellsPerPixel);
    if (!(cx >= 0 && cx < columns_ && cy >= 0 && cy < rows_)) return -1;
    return static_cast<std::ptrdiff_t>(cy) * columns_ + static_cast<std::ptrdiff_t>(cx);
}

bool TResolutionFilter::Clip(Vec2& a, Vec2& b) const {
    // Liang-Barsky against the picture with its margin.
    const long double low = -kMarginPixels;
    const long double right = static_cast<long double>(columns_) / kCellsPerPixel - kMarginPixels;
    const long double bottom = static_cast<long double>(rows_) / kCellsPerPixel - kMarginPixels;
    const Vec2 d = b - a;
    long double s0 = 0, s1 = 1;
    const auto edge = [&](long double p, long double q) {
        if (p == 0) return q >= 0;
        const long double r = q / p;
        if (p < 0) {
            if (r > s1) return false;
            s0 = std::max(s0, r);
        } else {
            if (r < s0) return false;
            s1 = std::min(s1, r);
        }
        return true;
    };
    if (!edge(-d.x, a.x - low) || !edge(d.x, right - a.x) || !edge(-d.y, a.y - low) ||
        !edge(d.y, bottom - a.y))
        return false;
    const Vec2 start = a;
    a = {start.x + s0 * d.x, start.y + s0 * d.y};
    b = {start.x + s1 * d.x, start.y + s1 * d.y};
    return true;
}

bool TResolutionFilter::Adds(Vec2 a, Vec2 b) const {
    if (!Clip(a, b)) return false;
    bool adds = false;
    Sample(a, b, [&](Vec2 p) {
        const std::ptrdiff_t cell = Cell(p);
        adds = cell >= 0 && !covered_[static_cast<std::size_t>(cell)];
        return adds;
    });
    return adds;
}

void TResolutionFilter::Cover(const Segment& s) {
    Vec2 a = s.a, b = s.b;
    if (!Clip(a, b)) return;
    constexpr long double kHalf = 0.5L;
    Sample(a, b, [&](Vec2 p) {
        for (const long double dx : {-kHalf, 0.0L, kHalf})
            for (const long double dy : {-kHalf, 0.0L, kHalf}) {
                const std::ptrdiff_t cell = Cell({p.x + dx, p.y + dy});
                if (cell >= 0) covered_[static_cast<std::size_t>(cell)] = true;
            }
        return false;
    });
}

void TResolutionFilter::Queue(Vec2 a, Vec2 b) {
    pending_.push_back({a, b});
    pendingLength_ += Length(b - a);
    while (!pending_.empty()) {
        const long double oldest = Length(pending_.front().b - pending_.front().a);
        if (pendingLength_ - oldest < kCoverDelayPixels && pending_.size() <= kMostPending) break;
        Cover(pending_.front());
        pendingLength_ -= oldest;
        pending_.pop_front();
    }
}

KeptPoints TResolutionFilter::Offer(Vec2 at, Vec2 pixel, long double t, bool joined) {
    KeptPoints out;
    if (!Finite(pixel)) {
        hasLast_ = false;
        return out;
    }
    if (!joined || !hasLast_) {
        hasLast_ = true;
        lastKept_ = false;
        last_ = at;
        lastPixel_ = pixel;
        lastT_ = t;
        if (!addedAny_) lastAdded_ = t;
        return out;
    }
    // The last kept point stands for a joined one this close to it.
    if (lastKept_ && Length(pixel - lastPixel_) < kQuarterPixel) return out;
    const bool adds = Adds(lastPixel_, pixel);
    if (adds) {
        if (!lastKept_) out.points[out.count++] = {last_, lastT_, false};
        out.points[out.count++] = {at, t, true};
        kept_ += static_cast<std::size_t>(out.count);
        Queue(lastPixel_, pixel);
        lastAdded_ = t;
        addedAny_ = true;
    }
    last_ = at;
    lastPixel_ = pixel;
    lastT_ = t;
    lastKept_ = adds;
    return out;
}

}  // namespace quorlin::dynamics
