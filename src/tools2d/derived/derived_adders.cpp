#include "tools2d/derived/derived_adders.h"

#include "core/errors.h"
#include "examples/records/derivation.h"
#include "tools2d/derived/transform_builders.h"

namespace quorlin::tools2d {

namespace k = examples::kind;
namespace d = examples::derived;
using examples::TExample;

namespace {

constexpr int kDottedStyle = 1;

// A record of p's kind with p's fields, derived from p by the code.
TExample DerivedRecord(const TExample& parent, int p, int code) {
    TExample e;
    e.InitCopy(parent, false);
    e.kind = parent.kind;
    e.derivation = static_cast<std::uint16_t>(code);
    e.parent = {static_cast<std::int16_t>(p), -1};
    e.FreeTrajectories();
    e.FreeMarkedPoints();
    if (parent.kind == k::kExplicit) e.kindSlots.ClearOptionBytes();
    return e;
}

// Appends the record and builds it by its row; a failed build takes it back.
TAddResult AppendBuilt(TDeriveContext& context, TExample record) {
    const int i = context.inventory.Append(std::move(record));
    if (i < 0) return {-1, kErrNoMoreRoom};
    if (RebuildToolExample(context, i).value_or(false)) return {i, 0};
    context.inventory.RemoveLast();
    return {-1, kErrCannotUnderstand};
}

}  // namespace

TAddResult AppendTransformed(TDeriveContext& context, int p, int code,
                             const TTransformTexts& texts) {
    if (!context.inventory.HasRoom()) return {-1, kErrNoMoreRoom};
    if (!context.inventory.IsIndex(p)) return {-1, kErrInconsistentData};
    if (const int error = CheckTransformable(context.inventory, p, code)) return {-1, error};
    TPlaneMap map;
    if (const int error = ReadPlaneMap(context.formulas, code, texts, map)) return {-1, error};
    TExample e = DerivedRecord(context.inventory[p], p, code);
    for (int t = 0; t < 3; ++t) e.Text(t + 1) = texts[static_cast<std::size_t>(t)];
    return AppendBuilt(context, std::move(e));
}

TAddResult AppendMirrorLine(TDeriveContext& context, int reflected, int code,
                            const TTransformTexts& texts) {
    if (!context.inventory.HasRoom()) return {-1, kErrNoMoreRoom};
    if (!context.inventory.IsIndex(reflected)) return {-1, kErrInconsistentData};
    static constexpr std::array<std::array<std::string_view, 3>, 3> kAxes = {
        {{"0", "1", "0"}, {"1", "0", "0"}, {"1", "-1", "0"}}};
    const std::array<std::string_view, 3>& line =
        code == d::kReflectLine ? texts : kAxes[static_cast<std::size_t>(code - d::kReflectX)];
    TExample e;
    e.Init(k::kLine, 0, 50);
    e.pen.width = 1;
    e.pen.style = kDottedStyle;
    e.derivation = d::kMirrorLine;
    e.parent = {static_cast<std::int16_t>(reflected), -1};
    e.rangeLow[0] = 0;
    e.rangeHigh[0] = 1;
    for (int t = 0; t < 3; ++t) e.Text(t + 1) = line[static_cast<std::size_t>(t)];
    return AppendBuilt(context, std::move(e));
}

TAddResult AppendDerivative(TDeriveContext& context, int p) {
    if (!context.inventory.HasRoom()) return {-1, kErrNoMoreRoom};
    if (!context.inventory.IsIndex(p) || !IsDerivableKind(context.inventory[p].kind))
        return {-1, kErrInconsistentData};
    const TExample& parent = context.inventory[p];
    TExample e = DerivedRecord(parent, p, d::kDerivative);
    e.kindSlots.ClearOptionBytes();
    e.order = static_cast<std::int16_t>(parent.order + 1);
    e.pen.colour = parent.pen.colour;
    return AppendBuilt(context, std::move(e));
}

bool CarriesCode(const TExample& example, TTransformKind kind) {
    // The first and last code of each dialog; a mirror line counts as a reflection's.
    static constexpr std::array<std::array<int, 2>, 3> kCodes = {
        {{d::kMirrorLine, d::kReflectLine},
         {d::kHalfTurn, d::kRotation},
         {d::kTranslation, d::kTranslation}}};
    const std::array<int, 2>& codes = kCodes[static_cast<std::size_t>(kind)];
    return example.derivation >= codes[0] && example.derivation <= codes[1];
}

}  // namespace quorlin::tools2d
