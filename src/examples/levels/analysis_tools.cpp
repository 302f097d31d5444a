#include "examples/levels/analysis_tools.h"

namespace quorlin::examples {

namespace {

TAnalysisToolsMaker& Maker() {
    static TAnalysisToolsMaker maker;
    return maker;
}

}  // namespace

void SetAnalysisToolsMaker(TAnalysisToolsMaker maker) {
    Maker() = std::move(maker);
}

const TAnalysisToolsMaker& GetAnalysisToolsMaker() {
    return Maker();
}

}  // namespace quorlin::examples
