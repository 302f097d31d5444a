#include "canvas/export_option_dialogs.h"

#include "platform/boxes.h"

#include <gtest/gtest.h>

namespace quorlin::canvas {
namespace {

TEST(TeXDialogOnItsTemplate, FrameFieldsFollowPagesAndBadValuesKeepItOpen) {
    platform::ScriptedPrompter prompter;
    TeXDialogValues values;
    values.frameCount = 5;
    TTeXDlg dialog(nullptr, values);
    dialog.Create();
    EXPECT_EQ(dialog.GetText(TTeXDlg::kWidthEdit), "8.00");
    EXPECT_TRUE(dialog.IsChecked(TTeXDlg::kFirstKindRadio));
    EXPECT_FALSE(dialog.IsControlShown(TTeXDlg::kFrameCountEdit));
    EXPECT_FALSE(dialog.IsControlShown(TTeXDlg::kRadiusEdit));

    dialog.Press(TTeXDlg::kPagesCheck);
    EXPECT_TRUE(dialog.IsControlShown(TTeXDlg::kFrameCountEdit));
    EXPECT_TRUE(dialog.IsControlShown(TTeXDlg::kParametersEdit));

    dialog.SetText(TTeXDlg::kBoxEdit, "256");
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);

    dialog.Press(TTeXDlg::kFirstKindRadio + kTexInsertable);
    dialog.SetText(TTeXDlg::kFrameCountEdit, "24");
    dialog.SetText(TTeXDlg::kParametersEdit, "AB");
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(values.outputKind, kTexInsertable);
    EXPECT_EQ(values.boxNumber, 256);
    EXPECT_EQ(values.frameCount, 24);
    EXPECT_EQ(values.parameterNames, "AB");
}

TEST(SvgDialogOnItsTemplate, RefusesANineButKeepsWhatItReadAndAcceptsATen) {
    platform::ScriptedPrompter prompter;
    SvgDialogValues values{401, 301};
    TSVGDlg dialog(nullptr, values);
    dialog.Create();
    EXPECT_EQ(dialog.GetText(TSVGDlg::kWidthEdit), "401");
    EXPECT_EQ(dialog.GetText(TSVGDlg::kHeightEdit), "301");
    dialog.SetText(TSVGDlg::kWidthEdit, "9");
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);
    EXPECT_EQ(values.width, 9);
    dialog.SetText(TSVGDlg::kWidthEdit, "10");
    dialog.SetText(TSVGDlg::kHeightEdit, "9");
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);
    EXPECT_EQ(values.height, 9);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "out of bounds");
    dialog.SetText(TSVGDlg::kHeightEdit, "10");
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(values.width, 10);
}

}  // namespace
}  // namespace quorlin::canvas
