#pragma once
// The editing of an orbital system (kind 219) without a window: what the editor shows of each
// body, what it stores of what was typed, new and deleted bodies, the origin body, and the
// system's numbers read when the user draws. The record keeps the system as orbital.h says: the
// body table, the body list and the settings.
//
// The editor reads plain decimal numbers, no formulas. A body's position and velocity are
// stored only from its initial values (never from the current ones a drawing left), its mass
// only above 1e-16 and its pen width only when positive. Deleting a body takes its entries out
// of every section of the table, so the bodies after it keep their own data; a new body is
// called "body" and its own number.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/vectors.h"
#include "examples/records/example.h"
#include "plot2d/orbital.h"

namespace quorlin::tools2d {

inline constexpr long double kLeastOrbitalValue = 1e-16L;
inline constexpr int kMaxBulletSize = 100;
inline constexpr int kMinBodiesToDelete = 4;

// A body as the editor shows it.
struct TBodyView {
    Vec3 position;
    Vec3 velocity;
    long double mass = 0;
    std::string name;
    int penWidth = 0;
};

// What the user typed for a body.
struct TBodyTexts {
    std::array<std::string, 3> position;
    std::array<std::string, 3> velocity;
    std::string mass;
    std::string name;
    std::string penWidth;
};

// The system's fields as typed.
struct TSystemTexts {
    enum Field { kGravity, kInterval, kPositions, kCalculations, kBulletSize };
    std::array<std::string, 5> fields;
    bool watch = false;
    bool frameBoundary = false;
    bool bullets = false;
};

// The outcome of reading the system's fields: 0, or the error and the field that caused it.
struct TSystemCheck {
    int error = 0;
    int field = -1;
};

// The longest decimal number that begins the text (blanks first skipped); 0 when none.
long double PlainDecimal(std::string_view text);

// Whether the whole text, blanks aside, is one decimal number as PlainDecimal reads it.
bool IsPlainDecimal(std::string_view text);

// Whether what was typed for a body can be stored: 0, or 1 ("cannot understand") for a mass
// that is no number. A mass is never dropped in silence for a typing slip; a number of 1e-16
// or less still leaves the old mass.
int CheckBodyTexts(const TBodyTexts& typed);

class TOrbitalEditor {
public:
    // space: the window has a z axis (its bodies keep z and z').
    TOrbitalEditor(examples::TExample& system, bool space);

    int BodyCount() const;
    bool CanAddBody() const;
    bool CanDeleteBody(int i) const;

    // Body i with its initial or its current position and velocity.
    TBodyView Body(int i, bool initial) const;
    // The list: each body's name, the origin body marked " *" while the origin is on.
    std::vector<std::string> ListEntries() const;

    // Stores what was typed for body i (see the head of this file).
    void StoreBody(int i, const TBodyTexts& typed, bool initial);
    // Appends a body at rest at the origin, of mass 1, with the last body's pen; its index, or
    // -1 when the system is full.
    int AddBody();
    // Removes body i with its table entries; the origin is off afterwards. False when the
    // body may not go.
    bool DeleteBody(int i);
    void SetOrigin(int i);
    void ClearOrigin();
    // No positions shown and no bullets: the picture starts again.
    void ClearPositions();

    // "draw": reads the system's fields and stores them with the time step interval /
    // calculations, or stores nothing and names the field refused (14 for a constant or an
    // interval below 1e-16 or counts below 1, 17 for a bullet size outside 1..100).
    TSystemCheck StoreSystem(const TSystemTexts& typed);
    plot2d::orbital::TOrbitalSettings Settings() const;

private:
    examples::TTrajectory& BodyRecord(int i);
    const examples::TTrajectory* BodyRecordOf(int i) const;

    examples::TExample& system_;
    bool space_;
};

// The positions field after "many": the most a count can be.
inline constexpr std::string_view kManyPositions = "2147483647";

}  // namespace quorlin::tools2d
