// The grid level of a graphing window: view commands and their enablers, the grid dialog's
// apply, the view dialog's checks with the error box texts, the drawing of the window's
// coordinate system, and the drawing services of the level below it.
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <gtest/gtest.h>

#include "canvas/grid_dialogs.h"
#include "canvas/grid_win.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "resources/command_ids.h"
#include "support/all_near.h"
#include "support/file_readers.h"

namespace quorlin::canvas {
namespace {

namespace cmd = resources::cmd;
using platform::MouseButton;
using quorlin::testing::AllNear;
using resources::ControlKind;
using testing::Mouse;

class GridWinTest : public ::testing::Test {
protected:
    GridWinTest() : win(841, QStringLiteral("noname1.qz2"), QStringLiteral("gridtest.ini")) {
        win.SizeChanged(401, 401);
    }
    TGridDlg& Grid() {
        win.ShowGridDialog();
        return *win.GridDialog();
    }
    TViewDlg& ViewDlg() {
        win.CmView();
        return *win.ViewDialog();
    }
    // Types the texts into their edit fields and presses the button.
    static void Enter(platform::Dialog& dlg, int button,
                      std::initializer_list<std::pair<int, const char*>> fields) {
        for (const auto& [id, text] : fields)
            dlg.SetText(id, ControlKind::Edit, QString::fromLatin1(text));
        dlg.Press(button);
    }
    // The texts of the message boxes shown so far.
    std::vector<QString> Messages() const {
        std::vector<QString> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
    static QString Edit(platform::Dialog& dlg, int id) {
        return dlg.GetText(id, ControlKind::Edit);
    }
    // The window's whole drawing on a white 401 x 401 image.
    QImage Drawn() {
        QImage image(401, 401, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        win.DrawAll(dc);
        return image;
    }

    platform::ScriptedPrompter prompter;
    TGridWin win;
};

TEST_F(GridWinTest, RestoreAfterZoomingEmptiesTheHistoryAndAxesToggleWithAnEntry) {
    EXPECT_FALSE(win.QueryCommand(cmd::kLastView).enabled);
    win.SendCommand(cmd::kZoomOut);
    win.SendCommand(cmd::kZoomOut);
    win.SendCommand(cmd::kLastView);
    EXPECT_DOUBLE_EQ(win.View().halfWidth, 10);
    win.Axes().xInterval = 3;
    win.SendCommand(cmd::kRestoreView);
    EXPECT_TRUE(AllNear(
        {win.View().centreX, win.View().halfWidth, win.Axes().xInterval, win.Axes().yInterval},
        {0, 5, 1, 1}));
    EXPECT_TRUE(!win.QueryCommand(cmd::kLastView).enabled && win.IsModified());

    win.SendCommand(cmd::kAxes);
    EXPECT_FALSE(win.Axes().axesShown || win.QueryCommand(cmd::kAxes).checked);
    win.SendCommand(cmd::kLastView);
    EXPECT_TRUE(win.Axes().axesShown);
}

TEST_F(GridWinTest, ZoomBoxSetsCornersAndSquareLinksTheScales) {
    EXPECT_FALSE(win.QueryCommand(cmd::kSquare).enabled);
    win.SetMouseMode(cmd::kMouseZoomBox);
    win.MouseDown(Mouse(MouseButton::Left, {200, 100}));
    win.MouseMove(Mouse(MouseButton::None, {300, 150}));
    ASSERT_TRUE(win.ZoomBand());
    win.MouseUp(Mouse(MouseButton::Left, {300, 150}));
    const TViewFrame& v = win.View();
    EXPECT_TRUE(v.cornersFlag && win.QueryCommand(cmd::kSquare).enabled);
    EXPECT_TRUE(AllNear({v.left, v.right, v.up, v.down}, {0, 2.5L, 2.5L, 1.25L}));
    win.SendCommand(cmd::kSquare);
    EXPECT_FALSE(v.cornersFlag);
    EXPECT_TRUE(AllNear({v.unitsPerPixelX, v.centreX}, {v.unitsPerPixelY, 1.25L}));
    const long double x = win.ScreenToX(200);  // a right click recentres
    win.MouseDown(Mouse(MouseButton::Right, {200, 200}));
    EXPECT_DOUBLE_EQ(v.centreX, x);
}

// A band without width or height (a plain click, a straight stroke) changes nothing.
TEST_F(GridWinTest, ZoomBoxOfZeroSizeLeavesTheView) {
    win.SetMouseMode(cmd::kMouseZoomBox);
    const std::pair<QPoint, QPoint> strokes[] = {
        {{260, 120}, {260, 120}}, {{100, 300}, {330, 300}}, {{70, 40}, {70, 290}}};
    for (const auto& [from, to] : strokes) {
        win.MouseDown(Mouse(MouseButton::Left, from));
        win.MouseMove(Mouse(MouseButton::None, to));
        win.MouseUp(Mouse(MouseButton::Left, to));
        const TViewFrame& v = win.View();
        EXPECT_TRUE(AllNear({v.centreX, v.centreY, v.halfWidth, v.halfHeight}, {0, 0, 5, 5}))
            << from.x() << "," << from.y();
        EXPECT_FALSE(win.ZoomBand() || v.cornersFlag || win.History().Count() > 0);
    }
}

// The reading rules are the settings' own; here the dialog hands their result to the window
// with a history entry, shows the setting in force again, and shows the options that apply.
TEST_F(GridWinTest, GridDialogAppliesWithAHistoryEntryAndShowsWhatApplies) {
    TGridDlg& dlg = Grid();
    win.ClearModified();
    dlg.Press(cmd::kApply);  // nothing changed
    EXPECT_FALSE(win.IsModified() || win.History().Count() > 0);
    Enter(dlg, cmd::kApply, {{213, "2@176"}, {212, "0.5@"}});
    const TAxesSettings& a = win.Axes();
    EXPECT_EQ(std::tuple(a.xPlaces, a.suffixChar, a.xInterval, a.originLetter),
              std::tuple(12, 176, 0.5L, true));
    EXPECT_TRUE(win.IsModified() && win.History().Count() == 1);
    EXPECT_EQ(Edit(dlg, 213), "2@");

    dlg.Press(281);  // rectangular grid on: the quadrants show
    EXPECT_TRUE(dlg.IsControlShown(282) && !dlg.IsControlShown(218));
    dlg.Press(280);
    Enter(dlg, cmd::kApply, {{218, "24"}});
    EXPECT_EQ(std::tuple(a.gridFlags, a.polarSectors),
              std::tuple(kGridQuadrants | kGridRectangular | kGridPolar, 24));
    dlg.Press(271);  // axes off: their options go
    EXPECT_FALSE(dlg.IsControlShown(251) || dlg.IsControlShown(211));
}

// An input the dialog ignores (unreadable or out of range) is replaced by the setting in force.
TEST_F(GridWinTest, GridDialogFieldsShowTheSettingsInForceAfterApply) {
    TGridDlg& dlg = Grid();
    const QString tick = Edit(dlg, 211);
    const struct {
        int id;
        const char* typed;
        QString shown;
    } cases[] = {{211, "1e300", tick}, {211, "0.2", tick}, {211, "98", tick},
                 {212, "x", "1"},      {215, "-2", "1"},   {213, "12", "0"},
                 {214, "99", "1"},     {217, "0", "1"},    {218, "3", "12"}};
    for (const auto& c : cases) {
        Enter(dlg, cmd::kApply, {{c.id, c.typed}});
        EXPECT_EQ(Edit(dlg, c.id), c.shown) << c.id << " " << c.typed;
    }
    EXPECT_EQ(win.Axes().tickLength, 10);
    EXPECT_EQ(win.History().Count(), 0u);
}

// Number fields show the fewest digits that read back to the value itself (the reading and
// writing rules are the number formats' own): "apply" with the fields as shown changes nothing.
TEST_F(GridWinTest, ApplyingTheFieldsAsShownChangesNothing) {
    win.SetViewCentreSize(-4.8478123456789L, 1.0L / 3, 10.0L / 3);
    win.Axes().xInterval = 1.0L / 3;
    TGridDlg& grid = Grid();
    TViewDlg& view = ViewDlg();
    const TViewFrame frame = win.View();
    const std::size_t before = win.History().Count();
    view.Press(cmd::kOk);
    grid.Press(cmd::kApply);
    EXPECT_EQ(win.History().Count(), before);
    EXPECT_EQ(std::tuple(win.View().centreX, win.View().halfWidth, win.Axes().xInterval),
              std::tuple(frame.centreX, frame.halfWidth, 1.0L / 3));
    // A view 1e300 wide is accepted and shown in the exponent form, not in 300 digits.
    Enter(view, cmd::kOk, {{217, "1e300"}});
    EXPECT_EQ(win.View().halfWidth, 5e299L);
    EXPECT_EQ(Edit(view, 217), "1e300");
}

TEST_F(GridWinTest, DialogsOfLogarithmicWindows) {
    win.View().logMode = kLogBoth;
    TGridDlg& grid = Grid();
    for (const int id : {274, 213, 214, 216, 217}) EXPECT_TRUE(grid.IsControlShown(id)) << id;
    for (const int id :
         {271, 272, 273, 275, 211, 212, 215, 251, 255, 276, 277, 278, 279, 280, 281, 282, 286, 218})
        EXPECT_FALSE(grid.IsControlShown(id)) << id;

    // A logarithmic axis's corners are shown and taken as values.
    win.View().logMode = kLogX;
    win.View().SetLogCorners(0.1L, 100, -5, 5);
    TViewDlg& view = ViewDlg();
    EXPECT_EQ(std::pair(Edit(view, 211), Edit(view, 212)),
              std::pair(QString("0.1"), QString("100")));
    view.SetChecked(252, true);
    Enter(view, cmd::kOk, {{211, "1"}, {212, "1000"}});
    EXPECT_TRUE(AllNear({win.View().left, win.View().right}, {0, 3}, 1e-15L));
}

// The reading rules are the view request's own; here a refusal shows the error box and keeps
// the dialog, and what it accepts reaches the view with a history entry.
TEST_F(GridWinTest, ViewDialogRefusesWithTheErrorBox) {
    TViewDlg& dlg = ViewDlg();
    dlg.Press(cmd::kOk);  // the window's own values
    EXPECT_TRUE(win.History().Count() == 0 && prompter.messages.empty());
    Enter(dlg, cmd::kOk, {{217, "0"}});
    EXPECT_EQ(Messages(), std::vector<QString>{"positive value?"});
    EXPECT_EQ(prompter.messages[0].caption, platform::ResourceString(62));
    EXPECT_FALSE(dlg.IsHidden());

    dlg.Press(252);
    dlg.SetChecked(252, true);
    Enter(dlg, cmd::kOk, {{211, "-1"}, {212, "3"}, {213, "0"}, {214, "4"}});
    EXPECT_TRUE(win.View().cornersFlag && win.View().up == 4 && win.History().Count() == 1);
    win.SendCommand(cmd::kZoomOut);  // the dialog follows the view
    EXPECT_EQ(Edit(dlg, 214).trimmed().toDouble(), 6);
}

// Zooming in far from the origin and out again: the picture keeps its numbers all the way,
// the zoom stops with "out of bounds" where the pixels would fall between two long doubles, and
// the ticks setting survives.
TEST_F(GridWinTest, ZoomingFarFromTheOriginNeverBlanksThePicture) {
    win.SetViewCentre(1000, 1000);
    for (int i = 0; i < 70 && prompter.messages.empty(); ++i) {
        win.SendCommand(cmd::kZoomIn);
        ASSERT_GT(quorlin::testing::InkedPixels(Drawn()), 100) << i;
    }
    EXPECT_EQ(Messages(), std::vector<QString>{"out of bounds"});
    EXPECT_TRUE(win.View().Representable());
    EXPECT_LT(win.View().halfWidth, 1e-10L);
    while (win.View().halfWidth < 5) win.SendCommand(cmd::kZoomOut);
    EXPECT_TRUE(win.Axes().ticks);
    EXPECT_GT(quorlin::testing::InkedPixels(Drawn()), 100);
}

TEST_F(GridWinTest, DrawingFitsTheTicks) {
    win.SetViewCentreSize(0, 0, 1000);
    Drawn();
    EXPECT_DOUBLE_EQ(win.Axes().xInterval, 100);
}

TEST(GridWinShown, PaintsItsAxesAfterAResize) {
    TGridWin win(841, QStringLiteral("noname2.qz2"), QStringLiteral("gridshown.ini"));
    win.SetUseDefaults(true);
    win.resize(301, 201);
    win.Create();
    win.show();
    EXPECT_DOUBLE_EQ(win.View().halfHeight, 5.0L * 200 / 300);
    const QImage shot = win.grab().toImage();
    const QColor axis = win.GetColor(win.Roles().Role(kRoleAxes));
    EXPECT_TRUE(shot.pixelColor(150, 30) == axis && shot.pixelColor(30, 100) == axis);
    win.CloseWindow();
}

// Pen widths and the tick length as a share of the screen are taken against the screen's
// device pixels: ctest runs this test once more at QT_SCALE_FACTOR=2, where the offscreen
// screen is 400 logical pixels wide, and the measures must not change.
TEST_F(GridWinTest, ScreenMeasuresFollowTheDevicePixels) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->geometry().width() * screen->devicePixelRatio(), 800);
    QImage image(10, 10, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    EXPECT_EQ(win.PenWidthDev(dc, 3), 2);  // round((800 x 7 - 1023) / 2048)
    EXPECT_EQ(win.PenWidthDev(dc, 0), 1);
    win.Output().highResolutionFactor = 9;
    EXPECT_EQ(win.PenWidthDev(dc, 0), 9);
    EXPECT_EQ(win.MakePenFromParts(4, 2, 2),
              (platform::Pen{win.GetColor(4), 18, platform::PenStyle::Dash}));

    win.Axes().tickLength = 12;
    TGridDlg& dlg = Grid();
    EXPECT_EQ(Edit(dlg, 211), "1.5");
    Enter(dlg, cmd::kApply, {{211, "3"}});
    EXPECT_EQ(std::pair(win.Axes().tickLength, win.Axes().minorTickLength),
              (std::pair<std::int16_t, std::int16_t>(24, 24 * 7 / 10)));
}

TEST_F(GridWinTest, TextBoxesSegmentsAndMarkersDraw) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        dc.SetTextColor(Qt::black);
        const platform::PixelRect box = win.LayoutTextBox(dc, QPoint(100, 50), "WWW", 0);
        EXPECT_EQ(box.left + box.Width() / 2, 100);
        win.DrawTextBox(dc, box, "WWW", 2, QColor(Qt::yellow));
    }
    int yellow = 0, dark = 0;
    for (int y = 30; y < 70; ++y)
        for (int x = 60; x < 140; ++x) {
            yellow += image.pixelColor(x, y) == QColor(Qt::yellow);
            dark += image.pixelColor(x, y).lightness() < 100;  // text, antialiased
        }
    EXPECT_GT(yellow, 20);
    EXPECT_GT(dark, 10);

    // Segments and markers stay in the view.
    QImage picture(401, 401, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        platform::DeviceContext dc(picture);
        dc.Select(platform::Pen::Solid(Qt::red, 1));
        win.DrawSegment(dc, {-1e30L, 0.5L}, {1e30L, 0.5L}, true);
        win.DrawMarkerAt(dc, {50, 50}, 0, 3);  // outside: nothing
        win.DrawMarkerAt(dc, {1, 1}, 0, 3);
    }
    for (const auto& [x, y, red] :
         {std::tuple{0, 180, true}, {400, 180, true}, {243, 157, true}, {245, 160, false}})
        EXPECT_EQ(picture.pixelColor(x, y), red ? QColor(Qt::red) : QColor(Qt::white))
            << x << "," << y;
}

TEST_F(GridWinTest, InputPositiveShortRefusesNegatives) {
    std::int16_t field = 5;
    prompter.AnswerInput("-3");
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    EXPECT_EQ(Messages(), std::vector<QString>{"positive value?"});
    EXPECT_EQ(field, 5);
    prompter.AnswerInput("7.0");
    EXPECT_TRUE(win.InputPositiveShort(field, 16));
    EXPECT_EQ(prompter.inputs.back().text, "5");
    prompter.AnswerInput("7");  // unchanged
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    prompter.AnswerInput("9", platform::kIdCancel);
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    EXPECT_EQ(field, 7);
}

}  // namespace
}  // namespace quorlin::canvas
