#include "plot3d/tools/double_integral.h"

#include <algorithm>

#include "core/errors.h"
#include "resources/command_ids.h"
#include "resources/resources.h"

namespace quorlin::plot3d {

namespace k = examples::kind;
namespace cmd = resources::cmd;

namespace {

constexpr int kStrArea = 189;
constexpr int kStrIntegration = 194;
constexpr int kStrMin = 368;  // "x min"
constexpr int kStrMax = 369;  // "x max"
constexpr int kErrInconsistent = 6;
constexpr long long kMostDivisions = 2147483647;

constexpr int kExplicitKinds[] = {k::kSurface};
constexpr int kAreaKinds[] = {k::kSurface, k::kPolarSurface, k::kParametricSurface};
constexpr int kPolarKinds[] = {k::kPolarSurface};

const TRiem3ModeRow kModes[] = {
    {Riem3Mode::DoubleIntegral, cmd::kIntegrateXY, kExplicitKinds, 54, kStrIntegration,
     Tool3D::IntegralXY},
    {Riem3Mode::SurfaceArea, cmd::kSurfaceArea, kAreaKinds, 56, kStrArea, Tool3D::SurfaceArea},
    {Riem3Mode::PolarIntegral, cmd::kIntegratePolar, kPolarKinds, 54, kStrIntegration,
     Tool3D::IntegralPolar},
};

// The template's caption, the dialog's name in the integral modes.
constexpr const char* kTemplateCaption = "integration";

}  // namespace

std::span<const TRiem3ModeRow> Riem3Modes() {
    return kModes;
}

const TRiem3ModeRow& Riem3ModeRow(Riem3Mode mode) {
    return kModes[static_cast<std::size_t>(mode)];
}

std::string Riem3Caption(Riem3Mode mode) {
    switch (mode) {
        case Riem3Mode::SurfaceArea:
            return resources::LoadString(kStrArea).toStdString();
        case Riem3Mode::PolarIntegral:
            return std::string(kTemplateCaption) + " r dr dt";
        case Riem3Mode::DoubleIntegral:
            break;
    }
    return std::string(kTemplateCaption) + " dx dy";
}

std::array<char, 2> IntegrationLetters(int kind) {
    if (kind == k::kPolarSurface) return {'r', 't'};
    if (kind == k::kParametricSurface) return {'t', 'u'};
    return {'x', 'y'};
}

std::array<std::string, 4> RangeLabels(int kind) {
    const std::array<char, 2> letters = IntegrationLetters(kind);
    const std::string low = resources::LoadString(kStrMin).toStdString();
    const std::string high = resources::LoadString(kStrMax).toStdString();
    std::array<std::string, 4> labels{low, high, low, high};
    for (std::size_t n = 0; n < labels.size(); ++n)
        if (!labels[n].empty()) labels[n][0] = letters[n / 2];
    return labels;
}

int ReadIntegralFields(const TRiem3Texts& texts, const TFieldReaders& read,
                       examples::TIntegrationAxis& first, examples::TIntegrationAxis& second) {
    for (int pair = 0; pair < 2; ++pair) {
        examples::TIntegrationAxis& axis = pair == 0 ? first : second;
        const std::size_t at = 3 * static_cast<std::size_t>(pair);
        if (const int e = read.number(texts[at], axis.low)) return e;
        if (const int e = read.number(texts[at + 1], axis.high)) return e;
        if (const int e = read.integer(texts[at + 2], 1, kMostDivisions, axis.count)) return e;
        // Equal ends never pass, however large they are (a margin added to the low end would
        // vanish in its rounding).
        if (!(axis.high > axis.low)) return kErrInconsistent;
    }
    return kNoError;
}

std::string Riem3EntryText(Riem3Mode mode, int firstCount, int secondCount) {
    return std::to_string(firstCount) + "x" + std::to_string(secondCount) + " " +
           resources::LoadString(Riem3ModeRow(mode).entryWord).toStdString();
}

void TExampleChoice::Fill(const examples::TInventory& inventory, std::span<const int> kinds) {
    examples_.clear();
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (std::find(kinds.begin(), kinds.end(), inventory[i].kind) != kinds.end())
            examples_.push_back(i);
}

int TExampleChoice::ExampleAt(int position) const {
    if (position < 0 || position >= Count()) return -1;
    return examples_[static_cast<std::size_t>(position)];
}

int TExampleChoice::PositionOf(int example) const {
    const auto it = std::find(examples_.begin(), examples_.end(), example);
    return it == examples_.end() ? -1 : static_cast<int>(it - examples_.begin());
}

int TExampleChoice::PositionAfterRefill(int selectedExample) const {
    if (Empty()) return -1;
    return std::max(PositionOf(selectedExample), 0);
}

}  // namespace quorlin::plot3d
