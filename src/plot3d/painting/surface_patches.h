#pragma once
// The patches of the fast-painted surfaces as plain computation: which surfaces take part, the
// projection of a surface's mesh (view-plane positions, with a separate mark for the points
// left out: undefined, or outside the example's box while it clips), one depth key and one side
// per patch, and the order in which the painter fills them, farthest first.
//
// Depths and sides are measured in the space the picture is projected from: world coordinates,
// or box coordinates in Cube mode, so they agree with what is drawn.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/vectors.h"
#include "examples/operations/plot_geometry.h"
#include "examples/records/inventory.h"

namespace quorlin::plot3d {

// The most patches one picture fills; a picture with more does not fit (error 4).
inline constexpr std::size_t kMaxPaintedPatches = std::size_t{16} * 1024 * 1024;

// The grid of a mesh surface: rows x columns patches, (rows + 1) x (columns + 1) points stored
// row by row. Empty (0 x 0) when the example holds no complete mesh.
struct TMeshGrid {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::size_t Patches() const { return rows * columns; }
    std::size_t Stride() const { return columns + 1; }
    std::size_t Point(std::size_t row, std::size_t column) const { return row * Stride() + column; }
};
TMeshGrid MeshGridOf(const examples::TExample& e);

// A shown mesh surface, implicit ones excluded, that is not drawn slowly.
bool TakesPartInFastPainting(const examples::TExample& e);

// Mesh point k is not drawn: the surface has no value there, or it lies outside the example's
// box while the example clips to its box (its cap-extremes flag).
bool IsMeshPointLeftOut(const examples::TExample& e, std::size_t k);

// A surface's mesh as the painter sees it.
struct TProjectedMesh {
    TMeshGrid grid;
    std::vector<Vec2> screen;           // view-plane position of each point
    std::vector<std::uint8_t> leftOut;  // 1 for a point that is not drawn
    std::vector<std::uint8_t> sides;    // per patch: 1 when its front faces the eye
    bool PatchDrawn(std::size_t row, std::size_t column) const;
};
TProjectedMesh ProjectMesh(const examples::TExample& e, const examples::TObserver& observer,
                           const examples::TSceneBox& box);

// One patch of the painted picture: the example, its row and column.
struct TPatchRef {
    int example = 0;
    std::uint32_t row = 0;
    std::uint32_t column = 0;
};

// The patches of every fast surface of one picture with their depths.
class TPatchList {
public:
    // Room for the patches of the surfaces that take part; false, and nothing kept, when they
    // are more than the limit or cannot be held in memory.
    bool Reserve(const examples::TInventory& inventory, std::size_t limit = kMaxPaintedPatches);
    std::size_t Planned() const { return planned_; }
    // Appends the patches of example i from its projection, each with the distance of its
    // centre from the eye.
    void Append(int i, const examples::TExample& e, const TProjectedMesh& mesh,
                const examples::TObserver& observer, const examples::TSceneBox& box);
    std::span<const TPatchRef> Refs() const { return refs_; }
    std::span<const long double> Keys() const { return keys_; }
    // Positions into Refs(), the farthest patch first.
    std::vector<int> FarthestFirst() const;

private:
    std::size_t planned_ = 0;
    std::vector<TPatchRef> refs_;
    std::vector<long double> keys_;
};

}  // namespace quorlin::plot3d
