// The stereogram window's help: its help command (354) and "Help ..." open the window's own help
// text, the first at the topic "stereogram".
#include "plot3d/stereogram/rds_window.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "plot3d/plot3_fixture.h"
#include "shell/help_window.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class RdsWindowTest : public Plot3WindowTest {
protected:
    RdsWindowTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("rds.ini"))); }
    ~RdsWindowTest() override { CloseUnsaved(win); }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

TEST_F(RdsWindowTest, ItsHelpCommandsOpenItsOwnHelpText) {
    OpenAndPaste(win, "EXPL3;x*y;-2;2;-1;1;\r\n");
    win.ShowStereogramWindow();
    TRDSWin* rds = win.StereogramWindow();
    ASSERT_NE(rds, nullptr);
    const struct {
        int command;
        const char* selected;  // what the topic search found
    } rows[] = {
        {cmd::kHelpButton, "stereogram"},
        {cmd::kHelp, ""},
        {cmd::kHelpButton, "stereogram"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(rds->QueryCommand(row.command).enabled) << row.command;
        ASSERT_TRUE(rds->SendCommand(row.command)) << row.command;
        const HelpWindow* help = rds->Help();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible()) << row.command;
        EXPECT_EQ(help->CurrentName(), QStringLiteral("RDSH")) << row.command;
        const auto* text = help->findChild<QPlainTextEdit*>();
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->textCursor().selectedText(), QString::fromLatin1(row.selected))
            << row.command;
        EXPECT_TRUE(help->Text().startsWith(QStringLiteral("Random-dot stereogram window")));
    }
}

}  // namespace
}  // namespace quorlin::plot3d
