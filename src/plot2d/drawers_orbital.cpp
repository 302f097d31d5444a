// The drawer of orbital systems: the paths of the bodies over the system's interval.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "plot2d/drawer_support.h"
#include "plot2d/example_drawers.h"
#include "plot2d/orbital.h"

namespace quorlin::plot2d {

namespace {

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
    std::vector<std::unique_ptr<detail::TPieceCollector>> paths;
    for (std::size_t j = 0; j < bodies.size(); ++j)
        paths.push_back(std::make_unique<detail::TPieceCollector>(space));
    const auto plotOf = [&](std::size_t j, Vec2& p) {
        Vec3 r = bodies[j].position;
        if (origin >= 0) r = r - bodies[static_cast<std::size_t>(origin)].position;
        return space.ValueToPlot({r.x, r.y}, p);
    };
    detail::TWorkBudget budget(env.target);
    for (long long s = 0; s <= steps; ++s) {
        if (s >= firstShown)
            for (std::size_t j = 0; j < bodies.size(); ++j) {
                Vec2 p;
                if (plotOf(j, p))
                    paths[j]->AddPlot(p);
                else
                    paths[j]->Lift();
            }
        if (s == steps || !AdvanceBodies(bodies, settings.gravity, dt) || budget.Exhausted()) break;
    }
    for (std::size_t j = 0; j < bodies.size(); ++j) {
        examples::TPenSpec pen = j < e.trajectories.size() ? e.trajectories[j].pen : e.pen;
        pen.width = std::max<std::uint16_t>(pen.width, 1);
        env.target.SetPen(pen);
        paths[j]->DrawOn(env.target);
        Vec2 p;
        if (settings.bullets && plotOf(j, p))
            env.target.Marker(p, std::max(1, settings.bulletSize), true);
    }
    env.target.SetPen(e.pen);
    StoreCurrentBodies(e, bodies);
    return budget.Key();
}

}  // namespace quorlin::plot2d
