#pragma once
// Orbital systems (kind 219): up to twelve bodies under their mutual inverse-square attraction,
// a_i = G sum over j of m_j (r_j - r_i) / |r_j - r_i|^3, integrated from their initial state
// over the system's interval and drawn as the paths of the bodies.
//
// Where the record keeps the system: the body table is its first point array (entries of
// three long doubles; entry [i] the current position of body i, [12 + i] its current velocity,
// [24 + i].x its mass, [60 + i] its initial position, [72 + i] its initial velocity); the
// index of the last body is the derivation parameter; the body list (the trajectory records of
// kind 1219, one per body in list order) gives each body its pen and, in its fourth start-value
// text, its name. The settings lie in the per-kind numbers and option bytes (SettingsOf).
#include <cstddef>
#include <vector>

#include "core/vectors.h"
#include "examples/records/example.h"

namespace quorlin::plot2d::orbital {

inline constexpr int kMaxBodies = 12;
inline constexpr std::size_t kPositionEntry = 0;
inline constexpr std::size_t kVelocityEntry = 12;
inline constexpr std::size_t kMassEntry = 24;
inline constexpr std::size_t kInitialPositionEntry = 60;
inline constexpr std::size_t kInitialVelocityEntry = 72;

struct TOrbitalSettings {
    long double gravity = 1;          // G
    long double interval = 10;        // time drawn
    long double timeStep = 0.01L;     // interval / calculations
    long double positions = 1000;     // the last positions of each body that are shown
    long double calculations = 1000;  // steps over the interval
    bool watch = false;               // the window shows the bodies move ("make periodic")
    bool frameBoundary = false;       // the recompute flag
    bool bullets = false;             // the bodies drawn as bullets at their ends
    int bulletSize = 4;               // the size word
    bool originOn = false;            // paths drawn relative to one body
    int origin = 0;                   // that body
};

TOrbitalSettings SettingsOf(const examples::TExample& e);
void StoreSettings(examples::TExample& e, const TOrbitalSettings& s);

// Bodies in the table: the derivation parameter + 1, within 0..12 and the table's size.
int BodyCount(const examples::TExample& e);

struct TBody {
    Vec3 position;
    Vec3 velocity;
    long double mass = 0;
};

// The bodies' initial (or current) states from the table.
std::vector<TBody> InitialBodies(const examples::TExample& e);
// Writes states into the table's current entries.
void StoreCurrentBodies(examples::TExample& e, const std::vector<TBody>& bodies);

// Moves the bodies by dt with the classical Runge-Kutta method, in as many sub-steps as close
// encounters need (each sub-step a small part of the time two bodies take to pass each other,
// at most 4096). False, bodies unchanged, when the state stops being finite (a collision).
bool AdvanceBodies(std::vector<TBody>& bodies, long double gravity, long double dt);

// The total energy (kinetic plus potential), for the tests of the integrator.
long double TotalEnergy(const std::vector<TBody>& bodies, long double gravity);

}  // namespace quorlin::plot2d::orbital
