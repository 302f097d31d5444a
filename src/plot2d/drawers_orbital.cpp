// The drawer of orbital systems: the paths of the bodies over the system's interval.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "plot2d/example_drawers.h"
#include "plot2d/orbital.h"

namespace quorlin::plot2d {

namespace {

// The thinned pieces of one body's path, kept until every body has moved.
class TPieceRecorder : public TCurveSink {
public:
    void Point(Vec2 plot) override {
        if (!open_) pieces_.emplace_back();
        open_ = true;
        pieces_.back().push_back(plot);
    }
    void Break() override { open_ = false; }
    const std::vector<std::vector<Vec2>>& Pieces() const { return pieces_; }

private:
    std::vector<std::vector<Vec2>> pieces_;
    bool open_ = false;
};

constexpr long double kMaxCalculations = 1e7L;

}  // namespace

int DrawOrbitalSystem(TDrawEnvironment& env, int i) {
    using namespace orbital;
    examples::TExample& e = env.inventory[i];
    const TOrbitalSettings settings = SettingsOf(e);
    std::vector<TBody> bodies = InitialBodies(e);
    if (bodies.empty() || !(settings.interval > 0) || !std::isfinite(settings.interval) ||
        !(settings.calculations >= 1) || !std::isfinite(settings.gravity))
        return 0;
    const auto steps =
        static_cast<long long>(std::llround(std::min(settings.calculations, kMaxCalculations)));
    const long double dt = settings.interval / static_cast<long double>(steps);
    const long double shown =
        std::clamp(settings.positions, 0.0L, static_cast<long double>(steps + 1));
    const long long firstShown = steps + 1 - static_cast<long long>(shown);
    const int origin = settings.originOn && settings.origin >= 0 &&
                               settings.origin < static_cast<int>(bodies.size())
                           ? settings.origin
                           : -1;

    const TPlotSpace& space = env.target.Space();
    std::vector<TPieceRecorder> paths(bodies.size());
    std::vector<std::unique_ptr<TCurvePipe>> pipes;
    for (TPieceRecorder& path : paths) pipes.push_back(std::make_unique<TCurvePipe>(space, path));
    const auto plotOf = [&](std::size_t j, Vec2& p) {
        Vec3 r = bodies[j].position;
        if (origin >= 0) r = r - bodies[static_cast<std::size_t>(origin)].position;
        return space.ValueToPlot({r.x, r.y}, p);
    };
    int key = 0;
    for (long long s = 0; s <= steps; ++s) {
        if (s >= firstShown)
            for (std::size_t j = 0; j < bodies.size(); ++j) {
                Vec2 p;
                if (plotOf(j, p))
                    pipes[j]->Add(p);
                else
                    pipes[j]->Break();
            }
        if (s == steps || !AdvanceBodies(bodies, settings.gravity, dt)) break;
        if (s % 256 == 255 && env.target.PollKey() == kKeyQuit) {
            key = kKeyQuit;
            break;
        }
    }
    for (auto& pipe : pipes) pipe->Finish();
    for (std::size_t j = 0; j < bodies.size(); ++j) {
        examples::TPenSpec pen = j < e.trajectories.size() ? e.trajectories[j].pen : e.pen;
        pen.width = std::max<std::uint16_t>(pen.width, 1);
        env.target.SetPen(pen);
        for (const auto& piece : paths[j].Pieces()) env.target.Polyline(piece);
        Vec2 p;
        if (settings.bullets && plotOf(j, p))
            env.target.Marker(p, std::max(1, settings.bulletSize), true);
    }
    env.target.SetPen(e.pen);
    StoreCurrentBodies(e, bodies);
    return key;
}

}  // namespace quorlin::plot2d
