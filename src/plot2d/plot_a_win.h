#pragma once
// TPlotAWin: the base level of the 2D graphing windows.
//
// It keeps what every 2D window holds beside the shared plot levels (TPlot2DState: the
// explicit-shading list, the implicit-region mode, the tools' small settings,
// the Lagrange polynomial picking its points) and the table of the drawers of the 2D kinds. It
// rebuilds the derived examples whose builders lie in the 2D windows (antiderivatives,
// roulettes, evolutes, plot points); the analysis tools build the others through their seam
// (analysis_tools.h). It runs a drawing through
// the canvas primitives of a device context (DrawThrough), so that every drawer reaches the
// screen and every export alike.
#include <functional>
#include <optional>
#include <vector>

#include "core/timed_poll.h"
#include "examples/levels/plot111_win.h"
#include "plot2d/example_drawers.h"
#include "plot2d/primitives_canvas.h"
#include "plot2d/shading.h"
#include "shell/long_work_hint.h"

namespace quorlin::plot2d {

// Colour roles of the 2D regions.
inline constexpr int kShadingColourRole = 6;
inline constexpr int kRegionColourRole = 11;
inline constexpr int kWebDiagonalColourRole = 12;

struct TPlot2DState {
    ShadeList shades;           // explicit shadings, newest first
    int regionMode = 2;         // implicit regions: 0 intersection, 2 each; 1 and 3 centroid
    int mouseDataExample = -1;  // the example the readout of mouse mode 125 reports on
    std::vector<Vec2> darts;    // the hits of the last throw shown (plot coordinates)
    int dartColour = 0;
    bool degrees = false;     // the intersection angle in degrees
    bool toolOrigin = false;  // a tool is about to add a point example
    int currentSlopeExample = -1;
    int lagrangeExample = -1;  // the Lagrange polynomial picking its points (mouse mode 126)
    friend bool operator==(const TPlot2DState&, const TPlot2DState&) = default;
};

class TPlotAWin : public examples::TPlot111Win {
public:
    TPlotAWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TPlotAWin() override;

    TPlot2DState& State2D() { return state_; }
    const TPlot2DState& State2D() const { return state_; }
    TKindDrawers& Drawers() { return drawers_; }

    // --- derived examples, by derivation code; true when example i was rebuilt ---
    virtual bool UpdateAntiderivative(int i);  // 73
    virtual bool UpdateRoulette(int i);        // 82
    virtual bool UpdateEvolute(int i);         // 83
    virtual bool RebuildPlotPoints(int i);     // 99
    // Rebuilds example i by its derivation code; the codes the shared levels build (|f|,
    // gradient fields, end points, frozen family members) and those of the analysis tools
    // (derivatives, mirror lines, reflections, rotations, translations) go to them.
    bool RebuildDerived(int i) override;
    // "derive" in the inventory: the derivative of an explicit, polar or parametric curve, made
    // by the analysis tools when the window has them.
    void AddDerivative(int i) override;
    bool AddsDerivatives() const override;
    // A point example at (x, y) for the search tools: 0, or 4 (shown) when the inventory is
    // full. The window keeps its current dy/dx example.
    int MarkPoint(long double x, long double y);

    ShadeList* ShadingList() override { return &state_.shades; }
    // The implicit-regions mode travels in diagram files.
    void StoreFileSettings(examples::TDiagramSettings& settings) const override {
        settings.regionsMode = static_cast<std::int16_t>(state_.regionMode);
    }
    void LoadFileSettings(const examples::TDiagramSettings& settings) override {
        state_.regionMode = settings.regionsMode;
    }

    // --- regions ---
    void FreeShadeList();
    // Fills the region of a shading record solid in its colour.
    void FillShadeSolid(platform::DeviceContext& dc, const TShadeRecord& record);
    // Throws the window's dart count (the tools' settings, which diagram files keep) into the
    // view (see ThrowDarts): the centroid of the hits, or nothing. With seeDarts the hits show over
    // the picture in the region's colour until the picture changes.
    std::optional<Vec2> ThrowDartsInWindow(int region, bool seeDarts);

    // Runs a drawing through the 2D draw target over the device: the window's colours, pen
    // widths and key poll. Returns what the drawing returns.
    int DrawThrough(platform::DeviceContext& dc, const std::function<int(TDrawEnvironment&)>& draw);

protected:
    TCanvasRules CanvasRules();
    // A watched family: paints what is drawn so far and waits the delay.
    void ShowDrawnMember(int delayMs);
    // The key poll of a drawing, whose loops ask it at every step: the window is polled
    // (PollDrawingKey) once per DrawingPollInterval, and the key hint shows in the caption once
    // the drawing has run a while. Empty while keys must not be polled.
    std::function<int()> DrawingPoll(TLongWorkHint& hint);
    // The window's key poll during a drawing, and the time between two polls (tests answer
    // both themselves).
    virtual int PollDrawingKey();
    virtual TTimedPoll::Clock::duration DrawingPollInterval() const {
        return TTimedPoll::kInterval;
    }

private:
    TPlot2DState state_;
    TKindDrawers drawers_ = TKindDrawers::Standard();
};

}  // namespace quorlin::plot2d
