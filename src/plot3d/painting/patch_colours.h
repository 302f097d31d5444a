#pragma once
// The colours of a painted patch as plain computation. A surface is filled plainly (palette
// entry 1, the outline in its own colour), in its two side colours, or shaded by height (its
// colour at half intensity on the floor of the scene box up to full intensity at the ceiling);
// it may be hollow (outlines only, on the screen and in every export alike) and may take a
// separate outline colour. On a printer not marked as a colour printer shades are grey.
//
// Colours are 0xRRGGBB words.
#include <cstdint>

#include "examples/records/example.h"

namespace quorlin::plot3d {

// What the window resolved of one surface's colours before its patches are painted.
struct TSurfaceColours {
    std::uint32_t line = 0;       // the example's colour as drawn
    std::uint32_t plainFill = 0;  // palette entry 1
    std::uint32_t sides[2] = {};  // the side colours, as output
    std::uint32_t shadeBase = 0;  // the example's palette colour, to be shaded
    int shadeGrey = 0;            // its grey level 0..255
    std::uint32_t outline = 0;    // the separate outline colour
    bool greyShades = false;      // printing in black and white
};

// The options a surface is painted with.
struct TPatchStyle {
    bool twoSided = false;         // "shade": filled in the two side colours
    bool heightShading = false;    // "spectrum"
    bool separateOutline = false;  // "grid": outlined in the grid colour
    bool hollow = false;           // see-through: outlines only
};
TPatchStyle PatchStyleOf(const examples::TExample& e);

// The intensity of a height-shaded patch whose first corner has height z in a scene box from
// zMin to zMax: 0.5 on the floor, 1 on the ceiling; below 0.4 it is 0.5 again, near 1 it is 1.
long double HeightShade(long double z, long double zMin, long double zMax);
// Each channel times s, rounded to nearest (halves away from zero).
std::uint32_t ScaleColour(std::uint32_t rgb, long double s);

struct TPatchColours {
    std::uint32_t fill = 0;
    std::uint32_t pen = 0;
    bool filled = true;
};
// side: 1 when the patch's front faces the eye; z: the height of its first corner.
TPatchColours PatchColours(const TPatchStyle& style, const TSurfaceColours& colours, int side,
                           long double z, long double zMin, long double zMax);

}  // namespace quorlin::plot3d
