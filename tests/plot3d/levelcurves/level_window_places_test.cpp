// "Decimal places ..." of the level-curve window, from its menu through the one-line input box:
// the places taken, refused (out of range, unreadable) or left (cancel), the numbers the window
// shows and writes with them at once, and the places kept in the diagram files of the level
// window and of its 3D window and in "lev.ini".
#include <QTemporaryDir>

#include <string>

#include "platform/strings.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/plot3_fixture.h"
#include "shell/ini_file.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using platform::kIdCancel;
using platform::kIdOk;

class LevelPlacesTest : public Plot3WindowTest {
protected:
    LevelPlacesTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini"))); }

    static platform::FrameWindow& HostOf(TLevelWin& w) {
        return dynamic_cast<platform::FrameWindow&>(*w.window());
    }
    // The places as a user types them in the level window's Misc menu.
    void TypePlaces(TLevelWin& w, const char* typed, int button = kIdOk) {
        prompter.AnswerInput(QString::fromLatin1(typed), button);
        ASSERT_TRUE(HostOf(w).DispatchCommand(cmd::kDecimalPlaces));
    }
    static void SetPlaces(TLevelWin& w, int places) {
        w.Format().places = places;
        w.NumberFormatChanged();
    }
};

TEST_F(LevelPlacesTest, TheCommandTakesAWholeNumberUpToEighteenAndShowsItAtOnce) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    TLevelWin& w = ShowBowlLevel(win, 2);
    ASSERT_TRUE(HostOf(w).QueryCommand(cmd::kDecimalPlaces).enabled);
    const struct {
        const char* typed;
        int button;
        int error;  // the error box's number, 0 for none
        int places;
        const char* shown;  // 2.75 in the window's format
    } rows[] = {
        {"5", kIdOk, 0, 5, "2.75000"},
        {"18", kIdOk, 0, 18, "2.750000000000000000"},
        {"17", kIdOk, 0, 17, "2.75000000000000000"},
        {"0", kIdOk, 0, 0, " 3"},
        {" 2 ", kIdOk, 0, 2, "2.75"},
        {"1+1", kIdOk, kErrCannotUnderstand, 3, "2.750"},
        {"2.5", kIdOk, kErrCannotUnderstand, 3, "2.750"},
        {"19", kIdOk, kErrOutOfBounds, 3, "2.750"},
        {"-1", kIdOk, kErrOutOfBounds, 3, "2.750"},
        {"abc", kIdOk, kErrCannotUnderstand, 3, "2.750"},
        {"", kIdOk, kErrCannotUnderstand, 3, "2.750"},
        {"7", kIdCancel, 0, 3, "2.750"},
    };
    for (const auto& row : rows) {
        SetPlaces(w, 3);
        w.RenderImage(ImageLayer::Picture);
        prompter.messages.clear();
        TypePlaces(w, row.typed, row.button);
        ASSERT_FALSE(prompter.inputs.empty());
        const platform::InputRequest& asked = prompter.inputs.back();
        EXPECT_EQ(asked.title, QStringLiteral("decimal places"));
        EXPECT_EQ(asked.prompt, QStringLiteral("a whole number from 0 to 18"));
        EXPECT_EQ(asked.text, QStringLiteral("3")) << "the places there are, offered";
        EXPECT_EQ(w.Format().places, row.places) << row.typed;
        EXPECT_EQ(w.Format().width, row.places + 2) << row.typed;
        EXPECT_EQ(w.FormatNum(2.75L), row.shown) << row.typed;
        const bool changed = row.places != 3;
        EXPECT_EQ(w.IsImageCurrent(ImageLayer::Picture), !changed) << row.typed;
        if (row.error == 0) {
            EXPECT_TRUE(prompter.messages.empty()) << row.typed;
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1u) << row.typed;
        EXPECT_TRUE(prompter.messages[0].error);
        EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(400 + row.error))
            << row.typed;
    }
    CloseUnsaved(win);
}

// The cursor's value as the window writes it: a PiCTeX export of the level window in its cursor
// mode with the cursor at (1, 1/2), where z = 5/4.
TEST_F(LevelPlacesTest, TheCursorsValueIsWrittenWithThePlaces) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    TLevelWin& w = ShowBowlLevel(win, 2);
    w.SizeChanged(301, 251);
    ASSERT_TRUE(w.SendCommand(cmd::kMouseCursor));
    w.SetParentRedraw([] {});
    w.MoveCursorTo(1, 0.5L);
    const auto exported = [&](const QString& name) {
        dialogs.fileAnswers.push_back(dir.filePath(name));
        platform::ScopedDialogRunner runner(ChooseInsertableTeX);
        EXPECT_TRUE(HostOf(w).DispatchCommand(cmd::kExportPicTeX));
        return quorlin::testing::ReadAll(dir.filePath(name));
    };
    const std::string four = exported(QStringLiteral("four.tex"));
    TypePlaces(w, "6");
    const std::string six = exported(QStringLiteral("six.tex"));
    EXPECT_NE(four.find("z = 1.2500}"), std::string::npos);
    EXPECT_NE(six.find("z = 1.250000}"), std::string::npos);
    EXPECT_EQ(six.find("z = 1.2500}"), std::string::npos);
    // The picture's corners too: the view is 0.53 of the bowl's range [-2, 2] either side of 0
    // high, and 300/250 of that wide.
    EXPECT_NE(four.find("\\put {\\phantom{.}} at -2.5440 -2.1200\r\n"), std::string::npos);
    EXPECT_NE(six.find("\\put {\\phantom{.}} at -2.544000 -2.120000\r\n"), std::string::npos);
    CloseUnsaved(win);
}

// The direction dialog's bar shows the angle it sets with the window's places: a quarter of the
// way round is pi/2.
TEST_F(LevelPlacesTest, TheDirectionBarShowsItsAngleWithThePlaces) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    TLevelWin& w = ShowBowlLevel(win, 2);
    ASSERT_TRUE(w.SendCommand(cmd::kMouseCursor));
    w.SetParentRedraw([] {});
    ASSERT_TRUE(w.SendCommand(cmd::kDirectionalDerivative));
    TPctDlg* direction = w.DirectionDialog();
    ASSERT_NE(direction, nullptr);
    w.SliderSteps().steps[static_cast<std::size_t>(TPctDlg::kStepsSlot)] = 100;
    direction->InitBar();
    const struct {
        const char* typed;
        int position;
        const char* shown;
    } rows[] = {{"7", 25, "1.5707963"},
                {"0", 25, " 2"},
                {"3", 75, "4.712"},
                {"18", 0, "0.000000000000000000"}};
    for (const auto& row : rows) {
        TypePlaces(w, row.typed);
        direction->BarMoved(row.position);
        EXPECT_EQ(direction->GetText(TPctDlg::kValue), QString::fromLatin1(row.shown)) << row.typed;
    }
    EXPECT_TRUE(prompter.messages.empty());
    CloseUnsaved(win);
}

// The places travel in the diagram: the level window's file and its 3D window's, read into a
// new 3D window, and the level window's "lev.ini". A level shown afterwards takes its 3D
// window's places.
TEST_F(LevelPlacesTest, ThePlacesAreSavedWithTheDiagramsAndReadBack) {
    const QString levels = dir.filePath(QStringLiteral("levels.qz3"));
    const QString space = dir.filePath(QStringLiteral("space.qz3"));
    {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        TLevelWin& w = ShowBowlLevel(win, 2);
        TypePlaces(w, "5");
        ASSERT_TRUE(w.SaveTo(levels));
        prompter.AnswerInput(QStringLiteral("7"));
        ASSERT_TRUE(win.SendCommand(cmd::kDecimalPlaces));
        EXPECT_TRUE(win.IsModified());
        ASSERT_TRUE(win.SaveTo(space));
        EXPECT_EQ(w.Format().places, 5) << "each window keeps its own";
        TLevelRequest request;
        request.example = 0;
        request.value = 3;
        win.ShowLevel(request);
        EXPECT_EQ(w.Format().places, 7);
        TypePlaces(w, "11");
        CloseUnsaved(win);
    }
    const auto ini = ReadIni(QStringLiteral("lev.ini"), kPlot3DFileKind);
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(ini->ints[1][6], 11);
    EXPECT_EQ(ini->ints[1][17], 13);
    for (const auto& [path, places] : {std::pair{levels, 5}, std::pair{space, 7}}) {
        TPlot3Win reader(QStringLiteral("noname2.qz3"));
        reader.SizeChanged(401, 301);
        reader.Create();
        ASSERT_EQ(reader.Load(path), 0) << path.toStdString();
        EXPECT_EQ(reader.Format().places, places);
        EXPECT_EQ(reader.Format().width, places + 2);
        EXPECT_EQ(reader.Inventory().Count(), 1);
        CloseUnsaved(reader);
    }
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace quorlin::plot3d
