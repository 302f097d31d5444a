// The export option dialogs: the PiCTeX dialog's rules, and both dialogs on their templates.
#include "canvas/export_option_dialogs.h"

#include "platform/boxes.h"

#include <gtest/gtest.h>

namespace quorlin::canvas {
namespace {

TEST(TeXDialog, ValidatesBoxFramesRadiusAndWidth) {
    TeXDialogValues values;
    values.frameCount = 4;
    values.parameterNames = "A";
    TeXDialogLogic logic(values);
    TeXDialogFields fields = logic.SetUp();
    EXPECT_EQ(fields.width, "8.00");
    EXPECT_EQ(fields.radius, "0.0");
    EXPECT_FALSE(fields.pages);
    EXPECT_FALSE(logic.Visibility(false).frameCount);
    EXPECT_FALSE(logic.Visibility(false).radius);
    EXPECT_TRUE(logic.Visibility(true).parameters);

    fields.boxNumber = "256";
    EXPECT_EQ(logic.CanClose(fields), kErrorInconsistentData);  // standalone boxes are 0..255
    fields.checkedKind = kTexCompilable;
    fields.frameCount = "1000000";
    EXPECT_EQ(logic.CanClose(fields), 0);  // "pages" unchecked: the count is not read
    EXPECT_EQ(values.frameCount, 1);
    EXPECT_EQ(values.boxNumber, 256);

    fields.pages = true;
    EXPECT_EQ(logic.CanClose(fields), kErrorInconsistentData);
    fields.frameCount = "12";
    fields.parameters = "AB";
    fields.width = "0.09";
    EXPECT_EQ(logic.CanClose(fields), kErrorInconsistentData);
    fields.width = "12.5";
    EXPECT_EQ(logic.CanClose(fields), 0);
    EXPECT_EQ(values.frameCount, 12);
    EXPECT_EQ(values.parameterNames, "AB");
    EXPECT_EQ(values.pictureWidth, 12.5L);

    values.framesAllowed = kFramesWithoutParameters;
    EXPECT_FALSE(TeXDialogLogic(values).Visibility(true).parameters);
    values.framesAllowed = kNoFrames;
    EXPECT_FALSE(TeXDialogLogic(values).Visibility(true).pages);
}

// The template shows the logic's fields, follows "pages", and stays open with the error box.
TEST(TeXDialogOnItsTemplate, FrameFieldsFollowPagesAndBadValuesKeepItOpen) {
    platform::ScriptedPrompter prompter;
    TeXDialogValues values;
    TTeXDlg dialog(nullptr, values);
    dialog.Create();
    EXPECT_EQ(dialog.GetText(TTeXDlg::kWidthEdit), "8.00");
    EXPECT_FALSE(dialog.IsControlShown(TTeXDlg::kFrameCountEdit));
    dialog.Press(TTeXDlg::kPagesCheck);
    EXPECT_TRUE(dialog.IsControlShown(TTeXDlg::kFrameCountEdit));

    dialog.SetText(TTeXDlg::kBoxEdit, "256");
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);
    EXPECT_TRUE(prompter.messages.at(0).error);
    dialog.Press(TTeXDlg::kFirstKindRadio + kTexInsertable);
    dialog.SetText(TTeXDlg::kFrameCountEdit, "24");
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(std::tuple(values.outputKind, values.boxNumber, values.frameCount),
              std::tuple(kTexInsertable, 256, 24));
}

TEST(SvgDialogOnItsTemplate, RefusesANineButKeepsWhatItReadAndAcceptsATen) {
    platform::ScriptedPrompter prompter;
    SvgDialogValues values{401, 301};
    TSVGDlg dialog(nullptr, values);
    dialog.Create();
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
