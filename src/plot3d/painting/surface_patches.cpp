#include "plot3d/painting/surface_patches.h"

#include <cmath>
#include <limits>
#include <new>

#include "examples/records/trajectory.h"

namespace quorlin::plot3d {

using examples::TExample;
using examples::TObserver;
using examples::TSceneBox;

namespace {

// The space the picture is projected from: box coordinates in Cube mode, else the world.
Vec3 ProjectionSpace(const TObserver& o, const TSceneBox& box, Vec3 p) {
    return o.cube ? box.WorldToBox(p) : p;
}
Vec3 EyeInProjectionSpace(const TObserver& o) {
    return o.cube ? o.boxEye : o.eye;
}

// Within the box; a point on a face, or clamped onto it by the mesh computation, counts as in.
bool WithinBox(const TExample& e, const Vec3& p) {
    const auto within = [](long double v, long double low, long double high) {
        const long double slack = 1e-9L * (std::fabs(high - low) + 1e-300L);
        return v >= low - slack && v <= high + slack;
    };
    return within(p.x, e.boxMin.x, e.boxMax.x) && within(p.y, e.boxMin.y, e.boxMax.y) &&
           within(p.z, e.boxMin.z, e.boxMax.z);
}

bool Defined(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

TMeshGrid MeshGridOf(const TExample& e) {
    if (e.divisions[0] < 1 || e.divisions[1] < 1) return {};
    TMeshGrid grid{static_cast<std::size_t>(e.divisions[0]),
                   static_cast<std::size_t>(e.divisions[1])};
    if (e.points.size() < (grid.rows + 1) * grid.Stride()) return {};
    return grid;
}

bool TakesPartInFastPainting(const TExample& e) {
    return e.graphShown != 0 && e.IsMeshSurface(true) && e.SlowDrawing() == 0;
}

bool IsMeshPointLeftOut(const TExample& e, std::size_t k) {
    if (k >= e.points.size()) return true;
    const Vec3& p = e.points[k];
    return !Defined(p) || !WithinBox(e, p);
}

bool TProjectedMesh::PatchDrawn(std::size_t row, std::size_t column) const {
    const std::size_t a = grid.Point(row, column);
    const std::size_t s = grid.Stride();
    return !leftOut[a] && !leftOut[a + 1] && !leftOut[a + s] && !leftOut[a + s + 1];
}

TProjectedMesh ProjectMesh(const TExample& e, const TObserver& observer, const TSceneBox& box) {
    TProjectedMesh mesh;
    mesh.grid = MeshGridOf(e);
    const std::size_t points = (mesh.grid.rows + 1) * mesh.grid.Stride();
    if (mesh.grid.Patches() == 0) return mesh;
    mesh.screen.resize(points);
    mesh.leftOut.resize(points);
    for (std::size_t k = 0; k < points; ++k) {
        mesh.leftOut[k] = IsMeshPointLeftOut(e, k) ? 1 : 0;
        if (!mesh.leftOut[k]) mesh.screen[k] = examples::ProjectPoint(observer, box, e.points[k]);
    }
    mesh.sides.resize(mesh.grid.Patches());
    const Vec3 eye = EyeInProjectionSpace(observer);
    const std::size_t s = mesh.grid.Stride();
    for (std::size_t r = 0; r < mesh.grid.rows; ++r) {
        for (std::size_t c = 0; c < mesh.grid.columns; ++c) {
            const std::size_t k = mesh.grid.Point(r, c);
            const Vec3 p = ProjectionSpace(observer, box, e.points[k]);
            const Vec3 along = ProjectionSpace(observer, box, e.points[k + 1]) - p;
            const Vec3 across = ProjectionSpace(observer, box, e.points[k + s]) - p;
            mesh.sides[r * mesh.grid.columns + c] = Vec3Det(along, across, eye - p) > 0 ? 1 : 0;
        }
    }
    return mesh;
}

bool TPatchList::Reserve(const examples::TInventory& inventory, std::size_t limit) {
    std::size_t total = 0;
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        if (!TakesPartInFastPainting(inventory[i])) continue;
        const std::size_t n = MeshGridOf(inventory[i]).Patches();
        if (n > limit - total) return false;
        total += n;
    }
    try {
        refs_.reserve(total);
        keys_.reserve(total);
    } catch (const std::bad_alloc&) {
        refs_ = {};
        keys_ = {};
        return false;
    }
    planned_ = total;
    return true;
}

void TPatchList::Append(int i, const TExample& e, const TProjectedMesh& mesh,
                        const TObserver& observer, const TSceneBox& box) {
    const Vec3 eye = EyeInProjectionSpace(observer);
    const std::size_t s = mesh.grid.Stride();
    for (std::size_t r = 0; r < mesh.grid.rows; ++r) {
        for (std::size_t c = 0; c < mesh.grid.columns; ++c) {
            const std::size_t k = mesh.grid.Point(r, c);
            const auto at = [&](std::size_t j) {
                return ProjectionSpace(observer, box, e.points[j]);
            };
            const Vec3 centre = 0.25L * (at(k) + at(k + 1) + at(k + s) + at(k + s + 1));
            refs_.push_back({i, static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c)});
            // A patch with an undefined corner is not drawn; its key sorts it last.
            keys_.push_back(Vec3Dist(centre, eye));
        }
    }
}

std::vector<int> TPatchList::FarthestFirst() const {
    return examples::TIndexSort(keys_, false).Sort();
}

}  // namespace quorlin::plot3d
