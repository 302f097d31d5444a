#pragma once
// The tags of the data entries the 2D analysis tools record on examples (each is the help
// context of its dialog); "Inspect ..." lists the entries under these tags.
namespace quorlin::tools2d::entry_tag {

inline constexpr int kZero = 10;          // x-intercept
inline constexpr int kIntegral = 51;       // f dx
inline constexpr int kIntegralTwo = 52;    // (f - g) dx
inline constexpr int kVolume = 54;         // volume of revolution, one curve or two
inline constexpr int kSector = 55;         // sector area
inline constexpr int kSurface = 56;        // area of revolution
inline constexpr int kSection = 57;        // volume of a cross-section solid
inline constexpr int kLineIntegral = 150;  // field along a curve
inline constexpr int kFlux = 151;          // field through a surface

}  // namespace quorlin::tools2d::entry_tag
