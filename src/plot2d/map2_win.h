#pragma once
// The map pair: a domain window (TDom2Win) that holds a map example (z ==> F(z) or
// (x,y) ==> (U,V)) beside ordinary curves and a free-hand sketch, and its range window
// (TRan2Win), which shows the domain's curves, grid lines and sketch drawn through the map. The
// domain makes its range window when it is set up (beside it in the frame) and closes it when it
// closes; every drawing of the domain redraws the range. Both carry the map flag; the range's
// readout maps the mouse through the map. Files ".ma2" (plane maps, "dom2.ini" and "ran2.ini")
// and ".maz" (complex maps, in complex mode).
#include <QPointer>

#include "plot2d/map_drawing.h"
#include "plot2d/plot_e_win.h"

namespace quorlin::plot2d {

class TRan2Win;

class TMap2Win : public TPlotEWin {
public:
    TMap2Win(QString fileName, QString iniName, std::string_view menu, bool complex,
             QWidget* parent = nullptr);
    bool Complex() const { return complex_; }
    // "ma2" or "maz": what File|New names the diagram and what Save as appends and offers.
    QString DefaultExtension() const override;

private:
    bool complex_;
};

class TDom2Win : public TMap2Win {
public:
    TDom2Win(QString fileName, bool complex, QWidget* parent = nullptr);
    ~TDom2Win() override;

    // The range window; null before set-up or after it closed.
    TRan2Win* Range() const { return range_; }
    // The map example the range window draws through: the current example when it is a map
    // (a new map becomes current, and so does one made "active" in the inventory), else the
    // newest map; -1 for none.
    int MapIndex() const;
    // The grid lines drawn through the map: the domain's grid intervals across its view.
    TMapGrid Grid() const;

    int DrawAll(platform::DeviceContext& dc) override;
    // The grid lines that the map carries to the range, under the domain's curves, so that
    // both windows show the same lines; none while the domain has no map.
    int DrawExamples(platform::DeviceContext& dc) override;
    // A new, selected or "active" map is the one the range draws through: it draws afresh.
    void SetCurrentExample(int i) override;
    void InventoryChanged(int selectLast) override;
    void SketchErased() override;
    void SketchPointAdded(const examples::TSketchPoint& point) override;
    void ClearSketches() override;

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    void PlacePairSideBySide();
    // The range window draws afresh.
    void RangeChanged();

    QPointer<TRan2Win> range_;
};

class TRan2Win : public TMap2Win {
public:
    TRan2Win(TDom2Win& domain, QWidget* parent = nullptr);

    TDom2Win* Domain() const { return domain_; }
    // The domain's curves, grid and sketch through its map.
    int DrawExamples(platform::DeviceContext& dc) override;

private:
    QPointer<TDom2Win> domain_;
};

// The creator of the Window menu's "Mapping" items and of ".ma2" / ".maz" files: the domain
// window, which brings its range window.
platform::Window* CreateMapWindowXY(const NewWindowRequest& request);
platform::Window* CreateMapWindowZ(const NewWindowRequest& request);

}  // namespace quorlin::plot2d
