#include "examples/records/stored_forms.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "examples/records/derivation.h"
#include "examples/records/variable_groups.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

// The shortest decimal text that reads back to the same long double.
std::string ExactText(long double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

// The letter held in the low byte of a record word (nothing for a zero byte).
std::string LetterOf(int word) {
    const char c = static_cast<char>(word & 0xFF);
    return c == '\0' ? std::string() : std::string(1, c);
}

long double NumberOrZero(const std::string& text) {
    long double value = 0;
    return StrToLD(text, value) ? value : 0.0L;
}

// The body indexes 0..n of an orbital system that have a table entry and a list entry.
std::size_t StoredBodyCount(const TExample& e) {
    const std::size_t bodies = static_cast<std::size_t>(std::max(e.derivationParam + 1, 0));
    const std::size_t tableRoom =
        e.points.size() > kBodyVelocityEntry ? e.points.size() - kBodyVelocityEntry : 0;
    return std::min({bodies, e.trajectories.size(), tableRoom});
}

}  // namespace

void StoreLagrangePoints(const TExample& source, TExample& record) {
    const std::size_t n = std::min(source.points.size(), kLagrangePoints);
    for (std::size_t j = 0; j < n; ++j) {
        record.numbers[2 * j] = source.points[j].x;
        record.numbers[2 * j + 1] = source.points[j].y;
    }
}

void RestoreLagrangePoints(TExample& e) {
    const std::size_t n = std::min(e.points.size(), kLagrangePoints);
    for (std::size_t j = 0; j < n; ++j) e.points[j] = {e.numbers[2 * j], e.numbers[2 * j + 1], 0};
}

TrajectoryList StoreBodiesInTrajectories(const TExample& e) {
    TrajectoryList list = CloneTrajectoryList(e.trajectories);
    for (std::size_t j = 0; j < StoredBodyCount(e); ++j) {
        TTrajectory& body = list[j];
        const Vec3& start = e.points[kBodyStartEntry + j];
        const Vec3& velocity = e.points[kBodyVelocityEntry + j];
        body.startX = start.x;
        body.startY = start.y;
        body.startZ = start.z;
        body.step = e.points[kBodyMassEntry + j].x;
        if (!body.hasTexts) body.AllocTexts();
        body.texts[0] = ExactText(velocity.x);
        body.texts[1] = ExactText(velocity.y);
        body.texts[2] = ExactText(velocity.z);
    }
    return list;
}

void CopyBodyListToTable(TExample& e) {
    for (std::size_t j = 0; j < StoredBodyCount(e); ++j) {
        const TTrajectory& body = e.trajectories[j];
        e.points[kBodyStartEntry + j] = {body.startX, body.startY, body.startZ};
        e.points[kBodyMassEntry + j].x = body.step;
        if (body.hasTexts)
            e.points[kBodyVelocityEntry + j] = {NumberOrZero(body.texts[0]),
                                                NumberOrZero(body.texts[1]),
                                                NumberOrZero(body.texts[2])};
    }
}

void RebuildCoordinateGroups(TExample& e, int dimension) {
    const auto letters = [dimension](std::string_view all, bool on) {
        return on ? std::string(all.substr(0, dimension == 3 ? 3 : 2)) : std::string();
    };
    const std::string cartesian = letters("XYZ", e.Anchors() != 0);
    const std::string polar = letters("RTP", e.periodic != 0);
    std::string groups = e.jumpsOff ? "//" : "";
    if (e.OldGroupSplit() && e.OldPolarFirst())
        groups += "/" + cartesian + polar;
    else if (e.OldGroupSplit())
        groups += cartesian + "/" + polar;
    else if (e.OldPolarFirst())
        groups += polar + "/" + cartesian;
    else
        groups += cartesian + polar;
    e.subKind = static_cast<std::int16_t>(EncodeVariableGroups(groups));
    if (e.periodic) e.Anchors() = 1;
}

void UpgradeRangeText(TExample& e, const NumberFormat& format) {
    if (!e.HasRangeText()) return;
    const bool shifted = e.periodic != 0;
    const long double low = shifted ? e.Number(TNumber::kPeriodStart) : e.rangeLow[0];
    const long double high =
        shifted ? e.Number(TNumber::kPeriodStart) + e.Number(TNumber::kPeriodLength)
                : e.rangeHigh[0];
    e.Text(7) = format.FormatNum(low) + ";" + format.FormatNum(high);
}

void UpgradeLetterPairText(TExample& e, const NumberFormat& format) {
    if (e.derivation != derived::kTangentPlane && e.derivation != derived::kSurfaceLine) return;
    if (e.FirstLetter() >= 'A') {
        e.Text(7) = LetterOf(e.FirstLetter()) + ";" + LetterOf(e.SecondLetter());
    } else {
        e.Text(7) = format.FormatNum(e.Number(TNumber::kPointX)) + ";" +
                    format.FormatNum(e.Number(TNumber::kPointY));
    }
}

void UpgradeParameterText(TExample& e, const NumberFormat& format) {
    if (e.derivation != derived::kAntiderivative) return;
    if (e.subKind >= 1 && e.subKind <= 23)
        e.Text(1) = std::string(1, static_cast<char>('@' + e.subKind));
    else
        e.Text(1) = format.FormatNum(e.Number(TNumber::kIntegralStart));
}

void UpgradeThirdText(TExample& e, const NumberFormat& format) {
    if ((e.kind == k::kParametric || e.kind == k::kSpaceCurve) && e.ArrowAtT())
        e.Text(6) = format.FormatNum(e.Number(TNumber::kArrowT));
}

}  // namespace quorlin::examples
