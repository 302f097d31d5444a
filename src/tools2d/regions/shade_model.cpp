#include "tools2d/regions/shade_model.h"

#include "core/errors.h"

namespace quorlin::tools2d {

namespace {

using examples::TShadeRecord;

constexpr long double kSmallestWidth = 1e-13L;

struct TEnd {
    long double value = 0;
    int parameter = 0;
};

}  // namespace

int MakeShadeRecord(FormulaContext& context, const TShadeRequest& request, TShadeRecord& record) {
    TEnd low, high;
    if (request.interval) {
        if (const int e = context.ReadNumberAndLetter(request.lowText, low.value, low.parameter))
            return e;
        if (const int e = context.ReadNumberAndLetter(request.highText, high.value, high.parameter))
            return e;
        if (high.value < low.value + kSmallestWidth) return kErrInconsistentData;
    }
    const bool between = request.side == TShadeSide::kBetween;
    if (between && request.first == request.second) return kErrSelectTwo;
    record = TShadeRecord{};
    record.first = static_cast<std::int16_t>(request.first);
    record.second = static_cast<std::int16_t>(
        between
            ? request.second
            : (request.side == TShadeSide::kAbove ? TShadeRecord::kAbove : TShadeRecord::kBelow));
    record.intervalOn = request.interval ? 1 : 0;
    record.low = low.value;
    record.high = high.value;
    record.colour = static_cast<std::int16_t>(request.colour);
    record.style = TShadeRecord::Style(request.pattern, low.parameter, high.parameter);
    // A tied end moves with its parameter from now on: the parameter starts at the end.
    for (const TEnd& end : {low, high})
        if (end.parameter > 0) context.SetVar(end.parameter, end.value);
    return kNoError;
}

TShadeSide SideOf(const TShadeRecord& record) {
    if (record.second == TShadeRecord::kAbove) return TShadeSide::kAbove;
    if (record.second == TShadeRecord::kBelow) return TShadeSide::kBelow;
    return TShadeSide::kBetween;
}

std::string EndText(std::string number, int parameter) {
    if (parameter > 0) {
        number += '@';
        number += static_cast<char>('A' + parameter - 1);
    }
    return number;
}

std::string ShadeLine(std::string_view sideWord, std::string_view firstText,
                      std::optional<std::string_view> secondText) {
    std::string line(sideWord);
    line += " {";
    line += firstText;
    if (secondText) {
        line += " ; ";
        line += *secondText;
    }
    line += '}';
    return line;
}

bool RemoveShadeAt(examples::ShadeList& list, int position) {
    if (position < 0 || position >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + position);
    return true;
}

}  // namespace quorlin::tools2d
