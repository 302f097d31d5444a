#pragma once
// TPlotBWin: the drawing level of the 2D windows.
//
// The background layer holds the axes and grid, the explicit shadings (hatched, or filled with
// "Fill explicit inequalities", intersected with the shading option), the implicit regions in
// the window's region mode, and every shown example drawn by its kind; the picture layer adds
// the overlays of the tools (the tracing sliders' cursors and vectors, and a slot for the
// others) and the darts of the last throw. Mouse mode 126 picks the points of a Lagrange
// polynomial, a new one from none, an edited one from the points it has: each left click adds a
// point (at most nine) and redraws the polynomial through them; a right click on a picked point
// opens it in "LAGPT" to be typed or deleted, a right click elsewhere or the ninth point ends
// the mode.
#include "plot2d/plot_a_win.h"

namespace quorlin::plot2d {

class TPlotBWin : public TPlotAWin {
public:
    TPlotBWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);

    int DrawAll(platform::DeviceContext& dc) override;
    int DrawPicture(platform::DeviceContext& dc) override;
    int DrawExample(platform::DeviceContext& dc, int i) override;

    // Example i's points are picked with the mouse (mode 126), afresh or from the points it has.
    void EnterLagrangeMode(int i, examples::TLagrangePicking start) override;
    // Builds the polynomial of Lagrange example i from its points.
    void RebuildLagrangePolynomial(int i) override;
    void SetMouseMode(int id) override;
    // While a polynomial's points are picked and it has none, the file keeps the points ending
    // the picking would leave it.
    int WriteBody(ByteWriter& out) override;

    // --- slots ---
    // What lies between the axes and the examples: the shadings and the regions.
    virtual int DrawRegions(TDrawEnvironment& env);
    // The examples of the picture; the range window of a map pair draws its domain's.
    virtual int DrawExamples(platform::DeviceContext& dc);
    // The overlays of the open tool dialogs: here the cursors of the tracing sliders with their
    // secants and vectors.
    virtual int DrawToolOverlays(platform::DeviceContext& dc);

private:
    // Ends the picking; without a point picked the example keeps the points it had.
    void EndLagrangeMode();
    // The press of the Lagrange mode (126): the left button picks the next point of the
    // example, the right opens the picked point under it or, off the points, ends the picking;
    // false without an example being picked.
    bool PickLagrangePoint(const platform::MouseEvent& event);
    // Point k of Lagrange example i in "LAGPT": OK takes the typed point, "delete" removes it,
    // and the polynomial is built through the points it then has; Cancel changes nothing.
    void EditLagrangePoint(int i, int k);

    std::vector<Vec3> lagrangeKept_;
    std::int16_t lagrangeCountKept_ = 0;
};

}  // namespace quorlin::plot2d
