// The shell levels of a graphing window: caption and key hints, check marks along the chain,
// the ini file, the palette window, fonts and number format, and the cached picture layers.
#include <gtest/gtest.h>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "platform/frame_window.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/col_win.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
using testing::TestDiagram;

TEST(WindowLevels, KeyHintTakesTheCaptionUntilItIsRestored) {
    TestDiagram w("/some/folder/graph.qz2");
    EXPECT_EQ(w.Caption(), "graph.qz2");
    w.ShowKeyHint(kKeyHintQuit);
    EXPECT_EQ(w.Caption(), "press Q to quit");
    EXPECT_TRUE(w.IsKeyHintShown());
    w.SetFileName("/other/renamed.qz2");
    EXPECT_EQ(w.Caption(), "press Q to quit") << "the hint stays while the operation runs";
    w.UpdateCaption();
    EXPECT_EQ(w.Caption(), "renamed.qz2");
    EXPECT_FALSE(w.IsKeyHintShown());
    w.ShowKeyHint(7, 3, 12);
    EXPECT_EQ(w.Caption(), "slide # 3/12");
}

TEST(WindowLevels, NewDiagramEmptiesTheWindowUnderANonameName) {
    TestDiagram w("/x/old.qz2");
    w.Protection().Protect(kProtectInventory, "pw", {});
    w.Notebook().SetText("notes");
    w.MarkModified();
    w.ShowKeyHint(kKeyHintQuit);
    w.SendCommand(cmd::kFileNew);
    EXPECT_EQ(w.FileName(), "noname.qz2");
    EXPECT_EQ(w.Caption(), "noname.qz2");
    EXPECT_FALSE(w.IsModified());
    EXPECT_FALSE(w.Protection().IsProtected());
    EXPECT_TRUE(w.Notebook().Text().isEmpty());
}

TEST(WindowLevels, CheckMarksComeFromEveryLevelOfTheChain) {
    TestDiagram w("a.qz2");
    w.ownOption = true;
    w.UpdateMenuChecks(true);
    EXPECT_TRUE(w.IsCommandChecked(testing::kOwnCheckId));    // the test level
    EXPECT_TRUE(w.IsCommandChecked(cmd::kMouseCoordinates));  // TZELWin: default 125
    EXPECT_TRUE(w.IsCommandChecked(cmd::kWithBackColor));     // TPreWin
    EXPECT_EQ(w.MouseMode(), cmd::kMouseCoordinates);

    EXPECT_TRUE(w.SendCommand(cmd::kMouseText));
    EXPECT_EQ(w.MouseMode(), cmd::kMouseText);
    for (int id = cmd::kMouseFirst; id <= cmd::kMouseLast; ++id) {
        EXPECT_EQ(w.IsCommandChecked(id), id == cmd::kMouseText) << id;
    }
    EXPECT_TRUE(w.IsCommandChecked(testing::kOwnCheckId)) << "mode change refreshes all levels";

    EXPECT_TRUE(w.SendCommand(cmd::kWithBackColor));
    EXPECT_FALSE(w.WithBackColor());
    EXPECT_FALSE(w.IsCommandChecked(cmd::kWithBackColor));
    EXPECT_TRUE(w.QueryCommand(cmd::kMouseText).checked);
    EXPECT_FALSE(w.QueryCommand(cmd::kMouseDraw).enabled) << "no level handles it";
}

TEST(WindowLevels, IniIsWrittenAtCleanUpAndReadAtSetUp) {
    const QString name = "levels.ini";
    {
        TestDiagram w("/d/last.qz2", name);
        w.RunSetup();
        EXPECT_FALSE(w.IniWasRead());
        EXPECT_EQ(w.Delay(), kDefaultDelayMs);
        w.SetDelay(250);
        w.Styles().words[3] = 33;
        w.iniWord = 1234;
        w.CleanUp();
    }
    ASSERT_TRUE(QFile::exists(platform::ConfigFilePath(name)));
    {
        TestDiagram w("noname.qz2", name);
        w.RunSetup();
        EXPECT_TRUE(w.IniWasRead());
        EXPECT_EQ(w.Delay(), 250);
        EXPECT_EQ(w.Styles().words[3], 33);
        EXPECT_EQ(w.iniWord, 1234);
        EXPECT_EQ(w.LastFileOfIni(), "/d/last.qz2");
    }
    {
        TestDiagram w("noname.qz2", name);
        w.SetUseDefaults(true);
        w.RunSetup();
        EXPECT_FALSE(w.IniWasRead());
        EXPECT_EQ(w.Delay(), kDefaultDelayMs);
        EXPECT_EQ(w.iniWord, 0);
    }
    // A damaged file (cut short, then garbage of the right size) gives the defaults.
    QFile file(platform::ConfigFilePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    for (const QByteArray& damaged : {whole.left(100), QByteArray(whole.size(), '\x5a')}) {
        file.resize(0);
        file.seek(0);
        file.write(damaged);
        file.flush();
        TestDiagram w("noname.qz2", name);
        w.RunSetup();
        EXPECT_FALSE(w.IniWasRead());
        EXPECT_EQ(w.Delay(), kDefaultDelayMs);
        EXPECT_EQ(w.Styles().words, StyleWords{}.words);
    }
}

TEST(WindowLevels, NewAndKeptPlacementsFitInsideTheFramesClientArea) {
    platform::FrameWindow frame;
    frame.resize(500, 350);
    frame.show();
    const auto areaOf = [](const TestDiagram* w) {
        return qobject_cast<QMdiSubWindow*>(w->OuterWidget())->mdiArea()->viewport()->rect();
    };
    auto* fresh = new TestDiagram("noname1.qz2", "fit.ini");
    frame.AddChild(fresh);
    EXPECT_TRUE(areaOf(fresh).contains(fresh->OuterWidget()->geometry()));
    EXPECT_EQ(fresh->PlacementArea(), areaOf(fresh));

    // A placement kept in the ini file from a larger frame comes back inside this one.
    IniRecord record = IniRecord::ForKind(kKind2D);
    ShellIniWords words;
    words.placement = WindowPlacement{3000, 2000, 900, 900};
    words.StoreInto(record);
    ASSERT_TRUE(WriteIni("fit.ini", record));
    auto* kept = new TestDiagram("noname2.qz2", "fit.ini");
    frame.AddChild(kept);
    ASSERT_TRUE(kept->IniPlacement().has_value());
    EXPECT_EQ(kept->OuterWidget()->geometry(), areaOf(kept));
}

TEST(WindowLevels, PalettePickerWritesTheChosenIndexAndModifiesTheWindow) {
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
    EXPECT_TRUE(w.IsModified());
    EXPECT_FALSE(w.IsPaletteShown()) << "a choice closes the picker";
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));

    // A colour word of a caller, and a click on a swatch.
    std::int16_t word = 5;
    w.OpenColorPicker(0, &word, word, "curve colour");
    EXPECT_EQ(w.PaletteWindow()->Caption(), "curve colour");
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

TEST(WindowLevels, SwatchesCoverThePaletteWithoutOverlap) {
    for (const QSize size : {QSize(200, 200), QSize(97, 61), QSize(500, 120)}) {
        for (int i = 0; i < Palette::kEntries; ++i) {
            const QRect r = TColWin::SwatchRect(i, size);
            EXPECT_EQ(TColWin::IndexAt(r.center(), size), i) << i;
            EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(r)) << i;
        }
        EXPECT_EQ(TColWin::IndexAt(QPoint(0, 0), size), -1);  // the gap at the border
        EXPECT_EQ(TColWin::IndexAt(QPoint(size.width() + 5, 5), size), -1);
    }
}

TEST(WindowLevels, HideWindowHidesTheAttachedWindows) {
    TestDiagram w("a.qz2");
    w.RunSetup();
    w.ShowWindow();
    w.Notebook().ShowWindow();
    w.ChooseColor(1);
    w.ShowHelp("QZ2FILEH", "");
    ASSERT_TRUE(w.Help()->isVisible());
    w.HideWindow();
    EXPECT_TRUE(w.IsHidden());
    EXPECT_TRUE(w.Notebook().IsHidden());
    EXPECT_FALSE(w.IsPaletteShown());
    EXPECT_FALSE(w.Help()->isVisible());
}

TEST(WindowLevels, FontChoiceChangesTheRecordAndRedrawsEverything) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    TestDiagram w("a.qz2");
    w.resize(80, 60);
    w.SizeChanged(80, 60);
    w.RenderImage(ImageLayer::Picture);

    platform::FontChoice choice;
    choice.font.faceName = "Courier New";
    choice.font.weight = 700;
    choice.font.italic = true;
    choice.pointSizeTenths = 140;
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

TEST(WindowLevels, PictureLayersRedrawOnlyWhatIsStale) {
    TestDiagram w("a.qz2");
    w.SizeChanged(123, 45);
    EXPECT_EQ(w.MaxTicksX(), 15);
    EXPECT_EQ(w.MaxTicksY(), 5);

    w.RenderImage(ImageLayer::Picture);
    EXPECT_EQ(w.drawAllCalls, 1);
    EXPECT_EQ(w.drawPictureCalls, 1);
    EXPECT_EQ(w.Image(ImageLayer::Picture).size(), QSize(123, 45));
    EXPECT_TRUE(w.IsImageCurrent(ImageLayer::Picture));

    QImage screen(123, 45, QImage::Format_RGB32);
    auto paint = [&] {
        QPainter painter(&screen);
        w.Paint(painter, screen.rect());
    };
    paint();
    EXPECT_EQ(w.drawAllCalls, 1) << "a current picture is only copied";
    EXPECT_EQ(w.drawPictureCalls, 1);

    w.InvalidateImage(ImageLayer::Picture);
    paint();
    EXPECT_EQ(w.drawAllCalls, 1);
    EXPECT_EQ(w.drawPictureCalls, 2);

    w.InvalidateImage(ImageLayer::Background);
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Picture));
    paint();
    EXPECT_EQ(w.drawAllCalls, 2);
    EXPECT_EQ(w.drawPictureCalls, 3);

    // The background colour of role 0 fills the layer; the test's red line crosses it.
    const QColor background = w.GetColor(w.Roles().Role(0));
    EXPECT_EQ(screen.pixelColor(120, 2), background);
    EXPECT_EQ(screen.pixelColor(0, 0), QColor(Qt::red));

    w.SizeChanged(60, 40);
    EXPECT_TRUE(w.UpdateImageSize());
    EXPECT_FALSE(w.UpdateImageSize());
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));
    EXPECT_EQ(w.MaxTicksX(), 7);
}

}  // namespace
}  // namespace quorlin
