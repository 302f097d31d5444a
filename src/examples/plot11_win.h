#pragma once
// TPlot11Win: the tool-commands level of a graphing window.
//
// It will own the inventory dialog and the modeless tool windows of the tool menu (plot points,
// point lists, combinations, arc length, distance, "Inspect", the time and phase windows and the
// initial-value dialogs) and the diagram file's reader and writer. Here it keeps the state those
// share and introduces their slots: the hooks of the diagram body and the tool openers, which
// the 2D and 3D branches fill. Its commands are not handled yet, so their menu items are off.
#include <array>
#include <cstdint>

#include "examples/plot1_win.h"

namespace quorlin::examples {

// Bits of the open-tools mask a diagram file keeps.
namespace tools_mask {
inline constexpr std::uint16_t kTimeWindowFirst = 1;  // 1, 2, 4, 8: time windows 0-3
inline constexpr std::uint16_t kIvp10 = 16;
inline constexpr std::uint16_t kIvp11 = 32;
inline constexpr std::uint16_t kIvp12 = 64;
inline constexpr std::uint16_t kPhaseWindowFirst = 128;  // 128, 256, 512: phase windows 0-2
inline constexpr std::uint16_t kIvp20 = 1024;
}  // namespace tools_mask

class TPlot11Win : public TPlot1Win {
public:
    TPlot11Win(int kind, QString fileName, QString iniName, int dimension,
               QWidget* parent = nullptr);
    ~TPlot11Win() override;

    // The examples of kind remainder 10, 11, 12 and 20 the initial-value dialogs work on.
    std::array<std::int16_t, 4> ivpExamples{-1, -1, -1, -1};
    // Level-curve settings kept in the diagram file.
    std::array<std::int16_t, 2> levelWords{1, 0};
    // Three numbers of the map windows kept in the diagram file.
    std::array<long double, 3> mapNumbers{0, 0, 5.0L};
    // Set while the diagram reader rebuilds the derived examples.
    bool loading = false;
    // The next showing of the inventory dialog places it beside the window.
    bool placeInventory = true;

    // The point of example k at the parameters (u, v): an explicit surface (301) at X = u,
    // Y = v; a cylindrical one (302) at R = u, T = v; any other kind's trees 1-3 at T = u,
    // U = v. False where a tree needed is undefined.
    bool EvalEntryPoint(int k, Vec3& out, long double u, long double v);

    // --- slots ---
    // A view was read from a diagram file.
    virtual void ViewLoaded();
    // Points example k keeps in its own coordinates (orbital and map windows).
    virtual void ConvertStoredPoints(int k);
    // The marks drawn around point example k (3D: its projections onto the box).
    virtual void DrawPointMarkers(platform::DeviceContext& dc, int k);
    virtual void CopyBodyListToTable(int k);
    virtual void OpenLineIntegral();
    virtual void OpenIvp10();
    virtual void OpenIvp11();
    virtual void OpenIvp12();
    virtual void OpenIvp20();
    // The open time and phase windows and initial-value dialogs (tools_mask bits).
    virtual std::uint16_t OpenToolsMask() const;
    // The state of a tool kept in a diagram file, and back.
    virtual void RestoreToolState(int a, int b, int c);
    virtual void GetToolState(std::array<int, 3>& out) const;
};

}  // namespace quorlin::examples
