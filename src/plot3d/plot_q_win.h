#pragma once
// TPlotQWin: the base level of every 3D-style window. It fixes the dimension (3), the diagram
// kind (961), the plotted pair (the projection), the 3D menu and keys, and the 3D block of the
// ini file ("qz3.ini" for the 3D windows): LoadIni keeps what was read, ApplyIniSettings takes
// it into the window (an axes switch that was on waits for the first example: pending axes),
// CollectIniSettings gathers it back before the window closes. It owns the 3D state
// (TScene3DState) and introduces the 3D-branch slots 162-167, empty here.
#include <optional>
#include <string_view>

#include "examples/levels/plot111_win.h"
#include "plot3d/ini3d.h"
#include "plot3d/scene3d_state.h"

namespace quorlin::plot3d {

inline constexpr int kPlot3DFileKind = 961;

class TPlotQWin : public examples::TPlot111Win {
public:
    TPlotQWin(QString fileName, QString iniName, std::string_view menu, QWidget* parent = nullptr);

    TScene3DState& Scene3D() { return scene3d_; }
    const TScene3DState& Scene3D() const { return scene3d_; }
    // The ini block as last read or collected.
    const TIni3DSettings& IniSettings() const { return ini_; }

    // --- slots 162-167 ---
    virtual int ShowLevelWindow() { return 0; }
    virtual void HideLevelWindow() {}
    virtual int ShowIntersectionWindow() { return 0; }
    virtual void HideIntersectionWindow() {}
    virtual void ShowStereogramWindow() {}
    virtual void SetDirectionAngle(long double) {}

    // --- the 3D ini block ---
    // Gathers the window's values into the block the ini file gets.
    void CollectIniSettings();
    // Takes the block that was read into the window; nothing when no ini file was read.
    void ApplyIniSettings();
    void StoreIni(IniRecord& record) const override;
    void LoadIni(const IniRecord& record) override;

    // The pending axes come on (after the first example was drawn).
    void ShowPendingAxes();

    // The shell's reset, the pictures and user functions freed, the view about the origin
    // with half sizes 5, E = e.
    void ResetWindow() override;

protected:
    // After each paint the caption names the diagram's file again (the first title goes with
    // the first paint); a key hint of a running operation stays.
    void Paint(QPainter& painter, const QRect& dirty) override;

private:
    TScene3DState scene3d_;
    TIni3DSettings ini_;
    std::optional<TIni3DRead> iniRead_;
};

}  // namespace quorlin::plot3d
