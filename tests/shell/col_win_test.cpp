// The palette window: a graphing window's colour picker and the layout of its swatches.
#include "shell/col_win.h"

#include <gtest/gtest.h>

#include "platform/boxes.h"
#include "resources/resources.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::TestDiagram;

TEST(PaletteWindow, PalettePickerWritesTheChosenIndexAndModifiesTheWindow) {
    platform::ScriptedPrompter prompter;
    TestDiagram w("a.qz2");
    w.RunSetup();
    EXPECT_FALSE(w.IsPaletteShown());
    w.ChooseColor(3);
    ASSERT_TRUE(w.IsPaletteShown());
    EXPECT_EQ(w.PaletteWindow()->Caption(), resources::LoadString(w.Roles().CaptionId(3)));
    EXPECT_EQ(w.PaletteWindow()->Current(), w.Roles().Role(3));
    w.PaletteWindow()->Choose(17);
    EXPECT_EQ(w.Roles().Role(3), 17);
    EXPECT_TRUE(w.IsModified() && !w.IsImageCurrent(ImageLayer::Background));
    EXPECT_FALSE(w.IsPaletteShown()) << "a choice closes the picker";

    // A colour word of a caller, and a click on a swatch.
    std::int16_t word = 5;
    w.OpenColorPicker(0, &word, word, "curve colour");
    TColWin& picker = *w.PaletteWindow();
    picker.resize(200, 200);
    platform::MouseEvent click;
    click.button = platform::MouseButton::Left;
    click.point = TColWin::SwatchRect(60, picker.size()).center();
    picker.MouseDown(click);
    EXPECT_EQ(word, 60);

    // Closing only hides it and drops the target.
    w.OpenColorPicker(0, &word, word);
    EXPECT_FALSE(picker.CanClose());
    EXPECT_FALSE(w.IsPaletteShown());
    picker.Choose(2);
    EXPECT_EQ(word, 60);
}

TEST(PaletteWindow, SwatchesCoverThePaletteWithoutOverlap) {
    for (const QSize size : {QSize(200, 200), QSize(97, 61), QSize(500, 120)}) {
        for (int i = 0; i < Palette::kEntries; ++i) {
            const QRect r = TColWin::SwatchRect(i, size);
            EXPECT_EQ(TColWin::IndexAt(r.center(), size), i) << i;
            EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(r)) << i;
        }
        EXPECT_EQ(TColWin::IndexAt(QPoint(0, 0), size), -1);  // the gap at the border
    }
}

}  // namespace
}  // namespace quorlin
