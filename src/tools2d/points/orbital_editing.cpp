#include "tools2d/points/orbital_editing.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "resources/string_table.h"

namespace quorlin::tools2d {

namespace orb = plot2d::orbital;
using examples::TExample;
using examples::TTrajectory;

namespace {

constexpr int kNameText = 3;   // a body's name is its fourth start-value text
constexpr int kStrBody = 217;  // "body"

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The end of the digits from `at`.
std::size_t Digits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// The sections of the body table, each twelve entries long.
constexpr std::size_t kSections[] = {orb::kPositionEntry, orb::kVelocityEntry, orb::kMassEntry,
                                     orb::kInitialPositionEntry, orb::kInitialVelocityEntry};

int PlainInteger(std::string_view text) {
    const long double value = PlainDecimal(text);
    return static_cast<int>(
        std::clamp<long double>(std::trunc(value), -kIntSaturation, kIntSaturation));
}

}  // namespace

namespace {

// The decimal number that begins the text once its blanks are skipped: digits with at most one
// point, a sign before them, an exponent when digits follow its "e"; empty when there is none.
std::string_view LeadingDecimal(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    std::size_t at = begin;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const std::size_t mantissa = at;
    at = Digits(text, at);
    if (at < text.size() && text[at] == '.') at = Digits(text, at + 1);
    if (at == mantissa || (at == mantissa + 1 && text[mantissa] == '.')) return {};
    // An exponent counts only when digits follow it.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        if (const std::size_t end = Digits(text, e); end > e) at = end;
    }
    return text.substr(begin, at - begin);
}

bool ReadDecimal(std::string_view number, long double& value) {
    if (number.empty()) return false;
    if (number.front() == '+') number.remove_prefix(1);
    return StrToLD(number, value);
}

}  // namespace

long double PlainDecimal(std::string_view text) {
    long double value = 0;
    return ReadDecimal(LeadingDecimal(text), value) ? value : 0.0L;
}

bool IsPlainDecimal(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    const std::string_view number = LeadingDecimal(text);
    long double value = 0;
    return !number.empty() && number.end() == text.end() && ReadDecimal(number, value);
}

int CheckBodyTexts(const TBodyTexts& typed) {
    return IsPlainDecimal(typed.mass) ? kNoError : kErrCannotUnderstand;
}

TOrbitalEditor::TOrbitalEditor(TExample& system, bool space) : system_(system), space_(space) {}

int TOrbitalEditor::BodyCount() const {
    return std::min(orb::BodyCount(system_), static_cast<int>(system_.trajectories.size()));
}

bool TOrbitalEditor::CanAddBody() const {
    // A new body takes the last body's pen: a system without bodies has none to give.
    const int count = BodyCount();
    return count > 0 && count < orb::kMaxBodies;
}

bool TOrbitalEditor::CanDeleteBody(int i) const {
    return BodyCount() >= kMinBodiesToDelete && i >= 0 && i < BodyCount() - 1;
}

const TTrajectory* TOrbitalEditor::BodyRecordOf(int i) const {
    if (i < 0 || i >= BodyCount()) return nullptr;
    return &system_.trajectories[static_cast<std::size_t>(i)];
}

TTrajectory& TOrbitalEditor::BodyRecord(int i) {
    return system_.trajectories[static_cast<std::size_t>(i)];
}

TBodyView TOrbitalEditor::Body(int i, bool initial) const {
    TBodyView view;
    const TTrajectory* body = BodyRecordOf(i);
    if (!body) return view;
    const auto at = static_cast<std::size_t>(i);
    view.position =
        system_.points[(initial ? orb::kInitialPositionEntry : orb::kPositionEntry) + at];
    view.velocity =
        system_.points[(initial ? orb::kInitialVelocityEntry : orb::kVelocityEntry) + at];
    view.mass = system_.points[orb::kMassEntry + at].x;
    view.name = body->hasTexts ? body->texts[kNameText] : std::string();
    view.penWidth = body->pen.width;
    return view;
}

std::vector<std::string> TOrbitalEditor::ListEntries() const {
    const orb::TOrbitalSettings s = orb::SettingsOf(system_);
    std::vector<std::string> entries;
    for (int i = 0; i < BodyCount(); ++i)
        entries.push_back(Body(i, true).name + (s.originOn && s.origin == i ? " *" : ""));
    return entries;
}

void TOrbitalEditor::StoreBody(int i, const TBodyTexts& typed, bool initial) {
    if (!BodyRecordOf(i)) return;
    const auto at = static_cast<std::size_t>(i);
    if (initial) {
        const auto read = [this](const std::array<std::string, 3>& t) {
            return Vec3{PlainDecimal(t[0]), PlainDecimal(t[1]), space_ ? PlainDecimal(t[2]) : 0};
        };
        system_.points[orb::kInitialPositionEntry + at] = read(typed.position);
        system_.points[orb::kInitialVelocityEntry + at] = read(typed.velocity);
    }
    TTrajectory& body = BodyRecord(i);
    if (!body.hasTexts) body.AllocTexts();
    body.texts[kNameText] = typed.name.substr(0, examples::TExample::kTextCapacity - 1);
    if (const long double mass = PlainDecimal(typed.mass); mass > kLeastOrbitalValue)
        system_.points[orb::kMassEntry + at] = {mass, 0, 0};
    const int width = PlainInteger(typed.penWidth);
    if (width > 0) body.pen.width = static_cast<std::uint16_t>(std::min(width, 0xFFFF));
}

int TOrbitalEditor::AddBody() {
    if (!CanAddBody()) return -1;
    const int i = BodyCount();
    TTrajectory body;
    body.Init(TTrajectory::kOrbitalBodyKind, -1, -1, -1, 0, 0, 1);
    body.pen = BodyRecord(i - 1).pen;
    body.step = 1.0L;
    body.AllocTexts();
    body.texts = {"0.0", "0.0", "0.0",
                  std::string(resources::FindString(kStrBody)) + " " + std::to_string(i)};
    system_.trajectories.insert(system_.trajectories.begin() + i, std::move(body));
    const auto at = static_cast<std::size_t>(i);
    for (const std::size_t section : kSections) system_.points[section + at] = Vec3{};
    system_.points[orb::kMassEntry + at] = {1.0L, 0, 0};
    system_.derivationParam = static_cast<std::int16_t>(i);
    return i;
}

bool TOrbitalEditor::DeleteBody(int i) {
    if (!CanDeleteBody(i)) return false;
    const int count = BodyCount();
    system_.trajectories.erase(system_.trajectories.begin() + i);
    for (const std::size_t section : kSections) {
        const auto first = system_.points.begin() + static_cast<std::ptrdiff_t>(section);
        std::rotate(first + i, first + i + 1, first + count);
        first[count - 1] = Vec3{};
    }
    system_.derivationParam = static_cast<std::int16_t>(count - 2);
    ClearOrigin();
    return true;
}

void TOrbitalEditor::SetOrigin(int i) {
    if (!BodyRecordOf(i)) return;
    system_.OriginOn() = 1;
    system_.OrbitalOrigin() = static_cast<std::int16_t>(i);
}

void TOrbitalEditor::ClearOrigin() {
    system_.OriginOn() = 0;
}

void TOrbitalEditor::ClearPositions() {
    orb::TOrbitalSettings s = orb::SettingsOf(system_);
    s.positions = 0;
    s.bullets = false;
    orb::StoreSettings(system_, s);
}

TSystemCheck TOrbitalEditor::StoreSystem(const TSystemTexts& typed) {
    using F = TSystemTexts::Field;
    const auto& t = typed.fields;
    const long double gravity = PlainDecimal(t[F::kGravity]);
    const long double interval = PlainDecimal(t[F::kInterval]);
    const long double positions = std::round(PlainDecimal(t[F::kPositions]));
    const long double calculations = std::round(PlainDecimal(t[F::kCalculations]));
    const int bulletSize = PlainInteger(t[F::kBulletSize]);
    if (!(gravity >= kLeastOrbitalValue)) return {kErrPositiveValue, F::kGravity};
    if (!(interval >= kLeastOrbitalValue)) return {kErrPositiveValue, F::kInterval};
    if (!(positions >= 1)) return {kErrPositiveValue, F::kPositions};
    if (!(calculations >= 1)) return {kErrPositiveValue, F::kCalculations};
    if (bulletSize < 1 || bulletSize > kMaxBulletSize) return {kErrOutOfBounds, F::kBulletSize};
    orb::TOrbitalSettings s = orb::SettingsOf(system_);
    s.gravity = gravity;
    s.interval = interval;
    s.timeStep = interval / calculations;
    s.positions = positions;
    s.calculations = calculations;
    s.watch = typed.watch;
    s.bullets = typed.bullets;
    s.frameBoundary = typed.frameBoundary;
    s.bulletSize = bulletSize;
    orb::StoreSettings(system_, s);
    return {};
}

plot2d::orbital::TOrbitalSettings TOrbitalEditor::Settings() const {
    return orb::SettingsOf(system_);
}

}  // namespace quorlin::tools2d
