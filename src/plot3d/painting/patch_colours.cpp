#include "plot3d/painting/patch_colours.h"

#include <algorithm>
#include <cmath>

namespace quorlin::plot3d {

TPatchStyle PatchStyleOf(const examples::TExample& e) {
    // A surface whose both fill colours are the background's (the see-through mark the example
    // level keeps) shows only its outlines.
    return {.twoSided = e.optionCheck != 0,
            .heightShading = e.Spectrum() != 0,
            .separateOutline = e.Grid() != 0,
            .hollow = e.jumpsOff != 0};
}

long double HeightShade(long double z, long double zMin, long double zMax) {
    const long double extent = zMax - zMin;
    long double s = extent > 0 ? (z - zMin) / extent * 0.5L + 0.5L : 0.5L;
    if (!(s >= 0.4L)) s = 0.5L;
    if (s + 1e-16L > 1) s = 1;
    return s;
}

std::uint32_t ScaleColour(std::uint32_t rgb, long double s) {
    const auto channel = [&](int shift) {
        const long double v = std::round(((rgb >> shift) & 0xffu) * s);
        return static_cast<std::uint32_t>(std::clamp(v, 0.0L, 255.0L)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

TPatchColours PatchColours(const TPatchStyle& style, const TSurfaceColours& colours, int side,
                           long double z, long double zMin, long double zMax) {
    TPatchColours out;
    out.filled = !style.hollow;
    if (!style.heightShading) {
        out.pen = colours.line;
        out.fill = style.twoSided ? colours.sides[side != 0 ? 1 : 0] : colours.plainFill;
        return out;
    }
    const long double s = HeightShade(z, zMin, zMax);
    if (colours.greyShades) {
        const auto g =
            static_cast<std::uint32_t>(std::clamp(std::trunc(s * colours.shadeGrey), 0.0L, 255.0L));
        out.fill = g << 16 | g << 8 | g;
    } else {
        out.fill = ScaleColour(colours.shadeBase, s);
    }
    out.pen = style.separateOutline ? colours.outline : out.fill;
    return out;
}

}  // namespace quorlin::plot3d
