#include "plot2d/orbital.h"

#include <algorithm>
#include <cmath>

namespace quorlin::plot2d::orbital {

using examples::TExample;
using examples::TNumber;

namespace {

constexpr int kMaxSubSteps = 4096;
// A sub-step may take this part of the time in which two bodies pass each other.
constexpr long double kEncounterFraction = 0.02L;

Vec3 Scaled(long double s, Vec3 v) {
    return {s * v.x, s * v.y, s * v.z};
}

bool Finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

struct TRates {
    std::vector<Vec3> dPosition;
    std::vector<Vec3> dVelocity;
};

void Accelerations(const std::vector<TBody>& bodies, long double gravity, std::vector<Vec3>& a) {
    const std::size_t n = bodies.size();
    a.assign(n, Vec3{});
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const Vec3 d = bodies[j].position - bodies[i].position;
            const long double r2 = d.x * d.x + d.y * d.y + d.z * d.z;
            const long double inv3 = 1 / (r2 * std::sqrt(r2));
            a[i] = a[i] + Scaled(gravity * bodies[j].mass * inv3, d);
            a[j] = a[j] - Scaled(gravity * bodies[i].mass * inv3, d);
        }
}

TRates Rates(const std::vector<TBody>& bodies, long double gravity) {
    TRates r;
    r.dPosition.reserve(bodies.size());
    for (const TBody& b : bodies) r.dPosition.push_back(b.velocity);
    Accelerations(bodies, gravity, r.dVelocity);
    return r;
}

std::vector<TBody> Shifted(const std::vector<TBody>& bodies, const TRates& r, long double h) {
    std::vector<TBody> out = bodies;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i].position = out[i].position + Scaled(h, r.dPosition[i]);
        out[i].velocity = out[i].velocity + Scaled(h, r.dVelocity[i]);
    }
    return out;
}

void RungeKuttaStep(std::vector<TBody>& bodies, long double gravity, long double h) {
    const TRates k1 = Rates(bodies, gravity);
    const TRates k2 = Rates(Shifted(bodies, k1, h / 2), gravity);
    const TRates k3 = Rates(Shifted(bodies, k2, h / 2), gravity);
    const TRates k4 = Rates(Shifted(bodies, k3, h), gravity);
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const auto sum = [&](const std::vector<Vec3> TRates::*part) {
            return (k1.*part)[i] + Scaled(2, (k2.*part)[i]) + Scaled(2, (k3.*part)[i]) +
                   (k4.*part)[i];
        };
        bodies[i].position = bodies[i].position + Scaled(h / 6, sum(&TRates::dPosition));
        bodies[i].velocity = bodies[i].velocity + Scaled(h / 6, sum(&TRates::dVelocity));
    }
}

// The shortest time in which two bodies pass each other: distance over their relative speed
// plus the speed their attraction gives at that distance.
long double EncounterTime(const std::vector<TBody>& bodies, long double gravity) {
    long double shortest = INFINITY;
    for (std::size_t i = 0; i < bodies.size(); ++i)
        for (std::size_t j = i + 1; j < bodies.size(); ++j) {
            const Vec3 d = bodies[j].position - bodies[i].position;
            const Vec3 v = bodies[j].velocity - bodies[i].velocity;
            const long double r = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
            const long double speed =
                std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z) +
                std::sqrt(std::fabs(gravity) *
                          (std::fabs(bodies[i].mass) + std::fabs(bodies[j].mass)) / r);
            if (speed > 0) shortest = std::min(shortest, r / speed);
        }
    return shortest;
}

}  // namespace

TOrbitalSettings SettingsOf(const TExample& e) {
    TOrbitalSettings s;
    s.gravity = e.Number(TNumber::kGravity);
    s.interval = e.Number(TNumber::kInterval);
    s.timeStep = e.Number(TNumber::kTimeStep);
    s.positions = e.Number(TNumber::kPositions);
    s.calculations = e.Number(TNumber::kCalculations);
    s.watch = e.periodic != 0;
    s.frameBoundary = e.recompute != 0;
    s.bullets = e.Bullets() != 0;
    s.bulletSize = e.sizeWord;
    s.originOn = e.OriginOn() != 0;
    s.origin = e.OrbitalOrigin();
    return s;
}

void StoreSettings(TExample& e, const TOrbitalSettings& s) {
    e.Number(TNumber::kGravity) = s.gravity;
    e.Number(TNumber::kInterval) = s.interval;
    e.Number(TNumber::kTimeStep) = s.timeStep;
    e.Number(TNumber::kPositions) = s.positions;
    e.Number(TNumber::kCalculations) = s.calculations;
    e.periodic = s.watch;
    e.recompute = s.frameBoundary;
    e.Bullets() = s.bullets;
    e.sizeWord = static_cast<std::int16_t>(s.bulletSize);
    e.OriginOn() = s.originOn;
    e.OrbitalOrigin() = static_cast<std::int16_t>(s.origin);
}

int BodyCount(const TExample& e) {
    if (e.points.size() <= kInitialVelocityEntry + kMaxBodies - 1) return 0;
    return std::clamp(e.derivationParam + 1, 0, kMaxBodies);
}

std::vector<TBody> InitialBodies(const TExample& e) {
    std::vector<TBody> bodies(static_cast<std::size_t>(BodyCount(e)));
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        bodies[i].position = e.points[kInitialPositionEntry + i];
        bodies[i].velocity = e.points[kInitialVelocityEntry + i];
        bodies[i].mass = e.points[kMassEntry + i].x;
    }
    return bodies;
}

void StoreCurrentBodies(TExample& e, const std::vector<TBody>& bodies) {
    const std::size_t n =
        std::min<std::size_t>(bodies.size(), static_cast<std::size_t>(BodyCount(e)));
    for (std::size_t i = 0; i < n; ++i) {
        e.points[kPositionEntry + i] = bodies[i].position;
        e.points[kVelocityEntry + i] = bodies[i].velocity;
    }
}

bool AdvanceBodies(std::vector<TBody>& bodies, long double gravity, long double dt) {
    const long double encounter = EncounterTime(bodies, gravity);
    long double count = std::isfinite(encounter) && encounter > 0
                            ? std::ceil(std::fabs(dt) / (kEncounterFraction * encounter))
                            : 1;
    const int subSteps =
        static_cast<int>(std::clamp(count, 1.0L, static_cast<long double>(kMaxSubSteps)));
    std::vector<TBody> next = bodies;
    for (int k = 0; k < subSteps; ++k) RungeKuttaStep(next, gravity, dt / subSteps);
    for (const TBody& b : next)
        if (!Finite(b.position) || !Finite(b.velocity)) return false;
    bodies = std::move(next);
    return true;
}

long double TotalEnergy(const std::vector<TBody>& bodies, long double gravity) {
    long double energy = 0;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const Vec3 v = bodies[i].velocity;
        energy += bodies[i].mass * (v.x * v.x + v.y * v.y + v.z * v.z) / 2;
        for (std::size_t j = i + 1; j < bodies.size(); ++j) {
            const Vec3 d = bodies[j].position - bodies[i].position;
            energy -= gravity * bodies[i].mass * bodies[j].mass /
                      std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        }
    }
    return energy;
}

}  // namespace quorlin::plot2d::orbital
