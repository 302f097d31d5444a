// A font chosen for one of a window's fonts: the record it changes and what it redraws.
#include "shell/font_win.h"

#include <gtest/gtest.h>

#include "platform/common_dialogs.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::TestDiagram;

TEST(FontLevel, FontChoiceChangesTheRecordAndRedrawsEverything) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    TestDiagram w("a.qz2");
    w.resize(80, 60);
    w.SizeChanged(80, 60);
    w.RenderImage(ImageLayer::Picture);

    const platform::FontChoice choice{
        .font = {.faceName = "Courier New", .weight = 700, .italic = true}, .pointSizeTenths = 140};
    dialogs.fontAnswers.push_back(choice);
    EXPECT_TRUE(w.SendCommand(WindowFonts::kFirstFontCommand + 2));
    ASSERT_EQ(dialogs.fontAsks.size(), 1u);
    EXPECT_EQ(dialogs.fontAsks[0].pointSizeTenths, 100) << "font 2 starts at 10 points";
    EXPECT_EQ(w.Fonts().Font(2).faceName, "Courier New");
    EXPECT_EQ(w.Fonts().Font(2).weight, 700);
    EXPECT_EQ(w.Fonts().Font(2).italic, 1);
    EXPECT_EQ(w.Fonts().PointSize(2), 14);
    EXPECT_EQ(w.Fonts().Font(2).height, -19);  // 14 points at 96 dpi
    EXPECT_TRUE(w.IsModified());
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));

    // Cancelled: nothing changes; and with the modified rule off, nothing is marked.
    w.ClearModified();
    w.SetFontChangeMarksModified(false);
    EXPECT_FALSE(w.ChooseFont(2));
    dialogs.fontAnswers.push_back(choice);
    EXPECT_TRUE(w.ChooseFont(5));
    EXPECT_FALSE(w.IsModified());
    // The chooser is captioned with the font's own name, or its face and size without one.
    EXPECT_FALSE(w.ChooseFont(0));
    EXPECT_EQ(dialogs.fontCaptions,
              (std::vector<QString>{"equations", "equations", "axis labels", "Arial 10"}));
    platform::SetCommonDialogs(nullptr);
}

}  // namespace
}  // namespace quorlin
