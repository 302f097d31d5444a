#pragma once
// A curve sink for the tests: the pieces a drawer hands on, in plot coordinates, and the
// geometry the tests ask of them.
#include <cmath>
#include <vector>

#include "plot2d/curve_pipe.h"

namespace quorlin::plot2d {

class RecordingSink : public TCurveSink {
public:
    using Piece = std::vector<Vec2>;

    void Point(Vec2 plot) override {
        if (!open_) pieces.emplace_back();
        open_ = true;
        pieces.back().push_back(plot);
    }
    void Break() override { open_ = false; }

    std::size_t PointCount() const {
        std::size_t n = 0;
        for (const Piece& p : pieces) n += p.size();
        return n;
    }
    // Calls f(a, b) for every drawn segment.
    template <class F>
    void ForEachSegment(F&& f) const {
        for (const Piece& p : pieces)
            for (std::size_t i = 1; i < p.size(); ++i) f(p[i - 1], p[i]);
    }
    // The y range the segments cover over the x interval [x0, x1].
    std::pair<long double, long double> YRangeOver(long double x0, long double x1) const {
        long double lo = INFINITY, hi = -INFINITY;
        ForEachSegment([&](Vec2 a, Vec2 b) {
            if (std::max(a.x, b.x) < x0 || std::min(a.x, b.x) > x1) return;
            lo = std::min({lo, a.y, b.y});
            hi = std::max({hi, a.y, b.y});
        });
        return {lo, hi};
    }

    std::vector<Piece> pieces;

private:
    bool open_ = false;
};

}  // namespace quorlin::plot2d
