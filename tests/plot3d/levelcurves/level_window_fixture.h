#pragma once
// The fixture of the level-curve window's tests: a 3D window, its level dialog, the bowl's
// levels and the cursor with its direction dialog.
#include <QFile>

#include <numbers>

#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/plot3_fixture.h"
#include "resources/command_ids.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;
using resources::ControlKind;
inline constexpr long double kPi = std::numbers::pi_v<long double>;

class LevelWindowFixture : public Plot3WindowTest {
protected:
    LevelWindowFixture() { QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini"))); }
    ~LevelWindowFixture() override { CloseUnsaved(win); }

    TLevelDlg& Levels(int i) {
        win.OpenLevelsDialog(i);
        EXPECT_NE(win.LevelDialog(), nullptr);
        return *win.LevelDialog();
    }
    static void Type(TLevelDlg& d, const char* low, const char* high, const char* current,
                     const char* count) {
        d.SetText(TLevelDlg::kLow, QString::fromLatin1(low));
        d.SetText(TLevelDlg::kHigh, QString::fromLatin1(high));
        d.SetText(TLevelDlg::kCurrent, QString::fromLatin1(current));
        d.SetText(TLevelDlg::kCount, QString::fromLatin1(count));
    }
    bool Enabled(TLevelWin& w, int id) {
        platform::CommandState state;
        state.id = id;
        w.EnableCommand(state);
        return state.enabled;
    }
    // The level window at level 1 of z = x^2 + y^2 over [-2, 2]^2.
    TLevelWin& LevelOneOfTheBowl() { return ShowBowlLevel(win, 1); }

    TLevelWin& CursorOn(long double level) {
        TLevelRequest r;
        r.example = 0;
        r.value = level;
        win.ShowLevel(r);
        TLevelWin& w = *win.LevelWindow();
        w.SendCommand(resources::cmd::kMouseCursor);
        return w;
    }

    // z = x^2 + y^2 at level 2 in the level window, the cursor at (1, 2) with its direction
    // dialog shown.
    TLevelWin& DirectionAt12() {
        OpenAndPaste(win, "EXPL3;x^2+y^2;-3;3;-3;3;\r\n");
        win.RecomputeAllBoxes();
        TLevelWin& w = CursorOn(2);
        w.MoveCursorTo(1, 2);
        w.SendCommand(resources::cmd::kDirectionalDerivative);
        return w;
    }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

}  // namespace quorlin::plot3d
