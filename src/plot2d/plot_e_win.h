#pragma once
// TPlotEWin: the last level the 2D window classes share: a window's menu and key table, and the
// map flag of the map pair's windows.
#include <string_view>

#include "plot2d/plot_d_win.h"
#include "shell/window_kinds.h"

namespace quorlin::plot2d {

inline constexpr int kPlot2DFileKind = 841;

class TPlotEWin : public TPlotDWin {
public:
    TPlotEWin(int kind, QString fileName, QString iniName, std::string_view menu,
              QWidget* parent = nullptr);

    bool IsMapWindow() const override { return mapWindow_; }

protected:
    void SetMapWindow(bool on) { mapWindow_ = on; }

private:
    bool mapWindow_ = false;
};

// Prepares a new window of the frame: its defaults choice and, for a logarithmic request, the
// logarithmic axes over four decades.
void PrepareWindow(TPlotEWin* window, const NewWindowRequest& request);

}  // namespace quorlin::plot2d
