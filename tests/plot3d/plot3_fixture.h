#pragma once
// A 3D window test: the random generator seeded alike for each test, the trajectory tools
// installed, no ini files left from an earlier test, no tips, a clipboard and file dialogs the test
// scripts, the 3D window kind registered for a frame, and the ways to set a window up, paste a
// script into it and close it unsaved.
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

#include <gtest/gtest.h>

#include "canvas/export_option_dialogs.h"
#include "core/random.h"
#include "dynamics/window_tools.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot3_win.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"

namespace quorlin::plot3d {

// The picture of a level-curve window drawn afresh: every pixel of the curves' colour (the
// trajectory role's colour 4) must pass onCurve at its world point; their number.
inline int CheckDrawnCurvePixels(TLevelWin& w,
                                 const std::function<bool(canvas::WorldPoint)>& onCurve) {
    w.InvalidateImage(ImageLayer::Background);
    w.RenderImage(ImageLayer::Picture);
    const QImage image = w.Image(ImageLayer::Picture);
    const QRgb curve = w.OutputColor(w.DrawColor(4)).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != curve) continue;
            EXPECT_TRUE(onCurve(w.ScreenToWorld({x, y}))) << x << "," << y;
            ++count;
        }
    return count;
}

// The 3D picture drawn afresh: of 36 points of the circle of the radius about the z axis at
// height z, how many have a pixel of the curves' colour (colour 4) within 2 pixels.
inline int CirclePointsInked(TPlot3Win& w, long double radius, long double z) {
    w.InvalidateImage(ImageLayer::Background);
    w.RenderImage(ImageLayer::Picture);
    const QImage space = w.Image(ImageLayer::Picture);
    const QRgb curve = w.OutputColor(w.DrawColor(4)).rgb();
    int near = 0;
    for (int k = 0; k < 36; ++k) {
        const long double a = k * std::numbers::pi_v<long double> / 18;
        const auto pixel = w.ProjectToPixel({radius * std::cos(a), radius * std::sin(a), z});
        if (!pixel) continue;
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx) {
                const QPoint q = *pixel + QPoint(dx, dy);
                found = space.valid(q) && space.pixel(q) == curve;
            }
        near += found ? 1 : 0;
    }
    return near;
}

class Plot3WindowTest : public ::testing::Test {
protected:
    Plot3WindowTest() {
        // The searches of level and intersection curves start from random points of the box, and
        // a level window opens at a random place: every test draws the same sequence, whatever
        // ran before it.
        SeedRandom(kRandomSeed);
        dynamics::InstallTrajectoryTools();
        QFile::remove(platform::ConfigFilePath(QStringLiteral("qz3.ini")));
        QFile::remove(platform::ConfigFilePath(QStringLiteral("qz.ini")));
        QFile tips(platform::ConfigFilePath(QStringLiteral("qz.tip")));
        if (tips.open(QIODevice::WriteOnly)) tips.write(QByteArray(1, '\0'));  // no tips shown
        platform::SetClipboard(&clipboard);
        platform::SetCommonDialogs(&dialogs);
        registry.Register(WindowKind::Plot3D, CreatePlot3Window);
    }
    ~Plot3WindowTest() override {
        platform::SetCommonDialogs(nullptr);
        platform::SetClipboard(nullptr);
    }

    // Sets the window up at 401 x 301 pixels and pastes the script, as a user pastes it.
    void OpenAndPaste(TPlot3Win& win, const char* script) {
        win.SizeChanged(401, 301);
        win.Create();
        clipboard.SetText(QString::fromLatin1(script));
        ASSERT_TRUE(win.SendCommand(resources::cmd::kPasteScript));
    }
    // z = x^2 + y^2 over [-2, 2]^2 pasted into the window and its level window shown at the
    // level z = value.
    TLevelWin& ShowBowlLevel(TPlot3Win& win, long double value) {
        OpenAndPaste(win, "EXPL3;x^2+y^2;-2;2;-2;2;\r\n");
        win.RecomputeAllBoxes();
        TLevelRequest request;
        request.example = 0;
        request.value = value;
        win.ShowLevel(request);
        return *win.LevelWindow();
    }
    // w saved by "Save as" under the name in the test's folder, then read by "Open" into other,
    // set up at 401 x 301 pixels first; false where a command failed.
    bool SaveAndOpenIn(TPlot3Win& w, TPlot3Win& other, const QString& name) {
        const QString path = dir.filePath(name);
        dialogs.fileAnswers.push_back(path);
        if (!w.SendCommand(resources::cmd::kFileSaveAs)) return false;
        other.SizeChanged(401, 301);
        other.Create();
        dialogs.fileAnswers.push_back(path);
        return other.SendCommand(resources::cmd::kFileOpen);
    }
    // Closes a window the test changed without asking to save it.
    static void CloseUnsaved(TPlot3Win& win) {
        win.ClearModified();
        win.CloseWindow();
    }

    TPlot3Win* Active(TPlotFrame& frame) { return dynamic_cast<TPlot3Win*>(frame.ActiveChild()); }
    // The user's start of a road: the frame made, Window|3-dim, the script pasted through the
    // frame's Equa menu; the new window, or null where a step failed.
    TPlot3Win* NewWindowWithScript(TPlotFrame& frame, const QString& script) {
        frame.Create();
        if (!frame.DispatchCommand(resources::cmd::kWindow3D)) return nullptr;
        TPlot3Win* win = Active(frame);
        clipboard.SetText(script);
        if (!win || !frame.DispatchCommand(resources::cmd::kPasteScript)) return nullptr;
        return win;
    }
    // The TeX export's options answered "insertable", every other dialog OK.
    static int ChooseInsertableTeX(platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        return d.Press(1);
    }

    static constexpr std::uint64_t kRandomSeed = 17;

    WindowKindRegistry registry;
    platform::MemoryClipboard clipboard;
    platform::ScriptedCommonDialogs dialogs;
    platform::ScriptedPrompter prompter;
    QTemporaryDir dir;
};

}  // namespace quorlin::plot3d
