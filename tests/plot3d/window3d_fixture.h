#pragma once
// A 3D window for the tests of its drawing: 401 x 301 pixels, a clipboard, common dialogs and a
// prompter of its own, the script pasted as a user pastes it, surfaces made coarse and filled
// in one colour, and the cached picture read at the pixel of a point.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "plot3d/levels/plot3_win.h"
#include "resources/command_ids.h"

namespace quorlin::testing {

namespace colours3d {
inline constexpr int kRed = 4;
inline constexpr int kBlue = 9;
inline constexpr int kGreen = 6;
inline constexpr int kYellow = 14;
}  // namespace colours3d

// Removes the 3D windows' ini files, so that a window made next starts from the defaults and not
// from the view an earlier test left in them.
struct FreshIniFiles {
    FreshIniFiles() {
        for (const char* name : {"qz3.ini", "lev.ini", "rds.ini"})
            QFile::remove(platform::ConfigFilePath(QString::fromLatin1(name)));
    }
};

class Window3DTest : public ::testing::Test {
protected:
    Window3DTest() : win(QStringLiteral("noname1.qz3")) {
        platform::SetClipboard(&clipboard);
        platform::SetCommonDialogs(&dialogs);
        win.SizeChanged(401, 301);
        win.Create();
    }
    ~Window3DTest() override {
        win.ClearModified();
        win.CloseWindow();
        platform::SetCommonDialogs(nullptr);
        platform::SetClipboard(nullptr);
    }

    void Paste(const char* script) {
        clipboard.SetText(QString::fromLatin1(script));
        ASSERT_TRUE(win.SendCommand(resources::cmd::kPasteScript));
        ASSERT_TRUE(prompter.messages.empty());
    }
    // The error boxes shown so far, as their texts.
    std::vector<QString> Errors() const {
        std::vector<QString> texts;
        for (const auto& m : prompter.messages)
            if (m.error) texts.push_back(m.text);
        return texts;
    }
    // Example i in a coarse grid, filled in one colour on both sides.
    void Coarse(int i, int divisions, int colour) {
        examples::TExample& e = win.Inventory()[i];
        e.divisions = {static_cast<std::int16_t>(divisions), static_cast<std::int16_t>(divisions),
                       36};
        e.optionCheck = 1;
        e.extraColour = {static_cast<std::int16_t>(colour), static_cast<std::int16_t>(colour)};
    }
    void LookFrom(Vec3 eye) {
        win.RecomputeAllBoxes();
        ASSERT_EQ(win.MoveEyeTo(eye), 0);
    }
    QImage Picture() {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture);
    }
    QRgb At(const QImage& image, Vec3 p) const {
        const auto pixel = win.ProjectToPixel(p);
        EXPECT_TRUE(pixel.has_value());
        return pixel ? image.pixel(*pixel) : 0;
    }
    QRgb Colour(int index) const { return win.OutputColor(index).rgb(); }

    platform::MemoryClipboard clipboard;
    platform::ScriptedCommonDialogs dialogs;
    platform::ScriptedPrompter prompter;
    QTemporaryDir dir;
    FreshIniFiles freshIni;
    plot3d::TPlot3Win win;
};

}  // namespace quorlin::testing
