#include "canvas/records/axes_record.h"

namespace quorlin::canvas {

void TAxesSettings::ResetKeepingSectors() {
    const std::int16_t sectors = polarSectors;
    *this = TAxesSettings{};
    polarSectors = sectors;
}

bool SettingsChanged(const TAxesSettings& current, const TAxesSettings& next) {
    return !(current == next);
}

}  // namespace quorlin::canvas
