#pragma once
// The 3D window classes: TPlot3Win, the 3D diagram window of the frame's "3-dim" item and of
// ".qz3" files, which can open one linked window ("Linked window ...", 874: "animlink.qz3",
// which gets a copy of every variable slot that changes); and TPlotSWin, a 3D window owned by
// another window (the linked window, or the 2D tools' solids) in a top-level frame of its own
// with its menu, with "Close" in that menu, and without "Anim" when it is a linked window. It
// keeps its title while it has no file of its own, and closing it by any road only hides it:
// its owner ends it. Each writes its 3D ini block when it closes; a TPlot3Win that opens a file
// at set-up takes nothing from the ini file.
#include <QPointer>

#include "plot3d/levels/plot_r_win.h"
#include "shell/window_kinds.h"

namespace quorlin::plot3d {

class TPlotSWin : public TPlotRWin {
public:
    // linked: the linked window of a TPlot3Win (its menu has no "Anim").
    TPlotSWin(QString title, bool linked, QWidget* parent = nullptr);
    bool IsLinked() const { return linked_; }
    // The window hides with its observer dialog (and, through the levels, its sliders, tool
    // dialogs and trajectory tools); a linked window begins a new diagram first, a solid tool's
    // window keeps its solids.
    void HideWindow() override;
    // The title-bar button, or any close but the owner's: the window hides as "Close" does.
    bool CanClose() override;
    // The owner's end of the window.
    void CloseWithOwner();

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    QString NormalCaption() const override;

private:
    QString title_;
    bool linked_;
};

class TPlot3Win : public TPlotRWin {
public:
    explicit TPlot3Win(QString fileName, QWidget* parent = nullptr);
    ~TPlot3Win() override;

    // 874: opens the linked window (made once: the ini only when child windows do not use the
    // defaults, this window's variables copied into it), or shows it again.
    void OpenLinkedWindow();
    TPlotSWin* LinkedWindow() const { return linked_.data(); }
    // A variable or example changed: the linked window gets the variable slot and follows.
    void ExampleChanged(int letter) override;
    // "Open last" of the frame: a new window reads the last file its ini file names.
    void SetOpensLastFile(bool on) { opensLastFile_ = on; }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    QPointer<TPlotSWin> linked_;
    bool opensLastFile_ = false;
};

// The WindowCreator of the frame's registry.
platform::Window* CreatePlot3Window(const NewWindowRequest& request);

}  // namespace quorlin::plot3d
