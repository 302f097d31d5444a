#include "examples/records/plot_settings.h"

#include <numbers>

#include "examples/records/example.h"

namespace quorlin::examples {

namespace {
constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
}

TTracerSettings::TTracerSettings() : strobeInterval(kTwoPi) {}

void TTracerSettings::ScaleTolerances(long double unitsPerPixel) {
    zeroVector = zeroVectorPixels * unitsPerPixel;
    loopClosing = loopClosingPixels * unitsPerPixel;
    third = thirdPixels * unitsPerPixel;
}

TToolSettings::TToolSettings() : revolutionUHigh(kTwoPi) {}

TSliderSteps::TSliderSteps() {
    steps.fill(100);
    pageSteps.fill(10);
}

TDialogPositions::Place* TDialogPositions::Of(int kind) {
    const int index = KindTableIndex(kind);
    if (index < 0 || index >= kSlots) return nullptr;
    return &places[static_cast<std::size_t>(index)];
}

}  // namespace quorlin::examples
