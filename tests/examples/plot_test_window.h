#pragma once
// A 2D graphing window for the tests of the plot levels: 401 x 401 pixels showing -5..5 both
// ways, a clipboard and a prompter of its own, and the script pasted as a user pastes it
// (clipboard text, then command 510).
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"

namespace quorlin::testing {

class PlotWindowTest : public ::testing::Test {
protected:
    PlotWindowTest() : win(QStringLiteral("noname1.qz2")) {
        platform::SetClipboard(&clipboard);
        win.SizeChanged(401, 401);
    }
    ~PlotWindowTest() override { platform::SetClipboard(nullptr); }

    // Puts the script on the clipboard and chooses "Paste script".
    void Paste(const std::string& script) {
        clipboard.SetText(QString::fromStdString(script));
        ASSERT_TRUE(win.SendCommand(resources::cmd::kPasteScript));
    }
    // The error boxes shown so far, as their texts.
    std::vector<QString> Errors() const {
        std::vector<QString> texts;
        for (const auto& m : prompter.messages)
            if (m.error) texts.push_back(m.text);
        return texts;
    }
    // The picture layer as the window shows it.
    QImage Picture() {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture);
    }
    // The colour example i is drawn in.
    QRgb ColourOf(int i) const {
        return win.OutputColor(win.DrawColor(win.Inventory()[i].pen.colour)).rgb();
    }
    // The window whose picture InkAt and ShareOnCurve read, for its mapping of world points.
    virtual const canvas::TZELWing& InkWindow() const { return win; }
    // Whether a pixel within `reach` of the world point has exactly the colour.
    bool InkAt(const QImage& image, long double x, long double y, QRgb colour,
               int reach = 1) const {
        const int px = InkWindow().XToScreen(x), py = InkWindow().YToScreen(y);
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const QPoint p(px + dx, py + dy);
                if (image.rect().contains(p) && image.pixel(p) == colour) return true;
            }
        return false;
    }
    // The share of the n parameter values t0 .. t1 whose point (x(t), y(t)) shows the colour.
    double ShareOnCurve(const QImage& image, QRgb colour, long double t0, long double t1, int n,
                        const std::function<std::pair<long double, long double>(long double)>& f) {
        int hits = 0;
        for (int k = 0; k < n; ++k) {
            const auto [x, y] = f(t0 + (t1 - t0) * k / (n - 1));
            if (InkAt(image, x, y, colour)) ++hits;
        }
        return static_cast<double>(hits) / n;
    }

    platform::MemoryClipboard clipboard;
    platform::ScriptedPrompter prompter;
    plot2d::TPlot2Win win;
};

}  // namespace quorlin::testing
