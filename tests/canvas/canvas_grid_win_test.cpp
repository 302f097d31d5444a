// The grid level of a graphing window: view commands and their enablers, the grid dialog's
// apply, the view dialog's checks with the error box texts, the drawing of the window's
// coordinate system and its export.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "canvas/grid_dialogs.h"
#include "canvas/grid_win.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {
namespace {

namespace cmd = resources::cmd;
using platform::MouseButton;
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
    void SetEdit(platform::Dialog& dlg, int id, const char* text) {
        dlg.SetText(id, ControlKind::Edit, QString::fromLatin1(text));
    }

    TGridWin win;
};

TEST_F(GridWinTest, RestoreAfterZoomingEmptiesTheHistory) {
    EXPECT_FALSE(win.QueryCommand(cmd::kLastView).enabled);
    win.SendCommand(cmd::kZoomOut);
    win.SendCommand(cmd::kZoomOut);
    EXPECT_DOUBLE_EQ(win.View().halfWidth, 20);
    EXPECT_TRUE(win.QueryCommand(cmd::kLastView).enabled);
    win.SendCommand(cmd::kLastView);
    EXPECT_DOUBLE_EQ(win.View().halfWidth, 10);
    win.Axes().xInterval = 3;
    win.SendCommand(cmd::kRestoreView);
    EXPECT_EQ(win.View().centreX, 0);
    EXPECT_DOUBLE_EQ(win.View().halfWidth, 5);
    EXPECT_EQ(win.Axes().xInterval, 1);
    EXPECT_EQ(win.Axes().yInterval, 1);
    EXPECT_FALSE(win.QueryCommand(cmd::kLastView).enabled);
    EXPECT_TRUE(win.IsModified());
}

TEST_F(GridWinTest, ZoomBoxSetsCornersAndSquareLinksTheScales) {
    EXPECT_FALSE(win.QueryCommand(cmd::kSquare).enabled);
    win.SetMouseMode(cmd::kMouseZoomBox);
    win.MouseDown(Mouse(MouseButton::Left, {200, 100}));
    win.MouseMove(Mouse(MouseButton::None, {300, 150}));
    ASSERT_TRUE(win.ZoomBand());
    win.MouseUp(Mouse(MouseButton::Left, {300, 150}));
    EXPECT_TRUE(win.View().cornersFlag);
    EXPECT_DOUBLE_EQ(win.View().left, 0);
    EXPECT_DOUBLE_EQ(win.View().right, 2.5L);
    EXPECT_DOUBLE_EQ(win.View().up, 2.5L);
    EXPECT_DOUBLE_EQ(win.View().down, 1.25L);
    ASSERT_TRUE(win.QueryCommand(cmd::kSquare).enabled);
    win.SendCommand(cmd::kSquare);
    EXPECT_FALSE(win.View().cornersFlag);
    EXPECT_DOUBLE_EQ(win.View().unitsPerPixelX, win.View().unitsPerPixelY);
    EXPECT_DOUBLE_EQ(win.View().centreX, 1.25L);
    // A right click recentres.
    const long double x = win.ScreenToX(200);
    win.MouseDown(Mouse(MouseButton::Right, {200, 200}));
    EXPECT_DOUBLE_EQ(win.View().centreX, x);
}

TEST_F(GridWinTest, GridDialogAppliesPlacesSuffixAndIntervals) {
    TGridDlg& dlg = Grid();
    const std::size_t before = win.History().Count();
    win.ClearModified();
    dlg.Press(cmd::kApply);  // nothing changed
    EXPECT_EQ(win.History().Count(), before);
    EXPECT_FALSE(win.IsModified());

    SetEdit(dlg, 213, "2@176");
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().xPlaces, 12);
    EXPECT_EQ(win.Axes().suffixChar, 176);
    EXPECT_EQ(win.History().Count(), before + 1);
    EXPECT_TRUE(win.IsModified());
    EXPECT_EQ(dlg.GetText(213, ControlKind::Edit), "2@");

    // The suffix character alone is a change.
    win.ClearModified();
    SetEdit(dlg, 213, "2@39");
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().suffixChar, 39);
    EXPECT_TRUE(win.IsModified());
    SetEdit(dlg, 216, "1@1");  // a code below 33 keeps the suffix
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().yPlaces, 11);
    EXPECT_EQ(win.Axes().suffixChar, 39);

    SetEdit(dlg, 212, "0.5@");
    dlg.Press(cmd::kApply);
    EXPECT_DOUBLE_EQ(win.Axes().xInterval, 0.5L);
    EXPECT_TRUE(win.Axes().originLetter);
    EXPECT_TRUE(dlg.GetText(212, ControlKind::Edit).endsWith('@'));
    SetEdit(dlg, 212, "0");
    dlg.Press(cmd::kApply);
    EXPECT_DOUBLE_EQ(win.Axes().xInterval, 0.5L);
    EXPECT_FALSE(win.Axes().originLetter);
}

TEST_F(GridWinTest, GridDialogTickLengthAndGrids) {
    TGridDlg& dlg = Grid();
    SetEdit(dlg, 211, "98");
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().tickLength, 10);
    SetEdit(dlg, 211, "10");
    dlg.Press(cmd::kApply);
    const int expected = RoundLD(dlg.ScreenWidth() * 0.1L);
    EXPECT_EQ(win.Axes().tickLength, expected);
    EXPECT_EQ(win.Axes().minorTickLength, expected * 7 / 10);
    dlg.Press(281);  // rectangular grid on: the quadrants show
    EXPECT_TRUE(dlg.IsControlShown(282));
    EXPECT_FALSE(dlg.IsControlShown(218));
    dlg.Press(280);
    EXPECT_TRUE(dlg.IsControlShown(218));
    SetEdit(dlg, 218, "24");
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().gridFlags, kGridQuadrants | kGridRectangular | kGridPolar);
    EXPECT_EQ(win.Axes().polarSectors, 24);
    dlg.Press(271);  // axes off: their options go
    EXPECT_FALSE(dlg.IsControlShown(251));
    EXPECT_FALSE(dlg.IsControlShown(211));
}

// An input the dialog ignores (unreadable or out of range) is replaced by the setting in force.
TEST_F(GridWinTest, GridDialogFieldsShowTheSettingsInForceAfterApply) {
    TGridDlg& dlg = Grid();
    const QString tickLength = dlg.GetText(211, ControlKind::Edit);
    const struct {
        int id;
        const char* typed;
        QString shown;
    } cases[] = {
        {211, "1e300", tickLength}, {211, "0.2", tickLength}, {212, "x", "1"}, {215, "-2", "1"},
        {213, "12", "0"},           {214, "99", "1"},         {217, "0", "1"}, {218, "3", "12"},
    };
    for (const auto& c : cases) {
        SetEdit(dlg, c.id, c.typed);
        dlg.Press(cmd::kApply);
        EXPECT_EQ(dlg.GetText(c.id, ControlKind::Edit), c.shown) << c.id << " " << c.typed;
    }
    EXPECT_EQ(win.Axes().tickLength, 10);
    EXPECT_EQ(win.History().Count(), 0u);
}

// Number fields show the fewest digits that read back to the value itself: "apply" with the
// fields as shown changes nothing.
TEST_F(GridWinTest, NumberFieldsReadBackWhatTheyShow) {
    win.SetViewCentreSize(-4.8478123456789L, 1.0L / 3, 10.0L / 3);
    win.Axes().xInterval = 1.0L / 3;
    TGridDlg& grid = Grid();
    EXPECT_EQ(grid.GetText(215, ControlKind::Edit), "1");
    TViewDlg& view = ViewDlg();
    EXPECT_EQ(view.GetText(215, ControlKind::Edit), "-4.8478123456789");
    const std::size_t before = win.History().Count();
    const TViewFrame frame = win.View();
    view.Press(cmd::kOk);
    grid.Press(cmd::kApply);
    EXPECT_EQ(win.History().Count(), before);
    EXPECT_EQ(win.View().centreY, frame.centreY);
    EXPECT_EQ(win.View().halfWidth, frame.halfWidth);
    EXPECT_EQ(win.Axes().xInterval, 1.0L / 3);
    // A view 1e300 wide is accepted and shown in the exponent form, not in 300 digits.
    view.SetText(217, ControlKind::Edit, "1e300");
    view.Press(cmd::kOk);
    EXPECT_EQ(win.View().halfWidth, 5e299L);
    EXPECT_EQ(view.GetText(217, ControlKind::Edit), "1e300");
}

TEST_F(GridWinTest, GridDialogOfADoublyLogarithmicWindow) {
    win.View().logMode = kLogBoth;
    TGridDlg& dlg = Grid();
    for (const int id : {274, 213, 214, 216, 217}) EXPECT_TRUE(dlg.IsControlShown(id)) << id;
    for (const int id :
         {271, 272, 273, 275, 211, 212, 215, 251, 255, 276, 277, 278, 279, 280, 281, 282, 286, 218})
        EXPECT_FALSE(dlg.IsControlShown(id)) << id;
}

TEST_F(GridWinTest, ViewDialogRefusesWithTheErrorBox) {
    platform::ScriptedPrompter prompter;
    TViewDlg& dlg = ViewDlg();
    const std::size_t before = win.History().Count();
    dlg.Press(cmd::kOk);  // the window's own values
    EXPECT_EQ(win.History().Count(), before);
    EXPECT_TRUE(prompter.messages.empty());

    SetEdit(dlg, 217, "0");
    dlg.Press(cmd::kOk);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(414));
    EXPECT_EQ(prompter.messages[0].text, "positive value?");
    EXPECT_EQ(prompter.messages[0].caption, platform::ResourceString(62));
    EXPECT_FALSE(dlg.IsHidden());

    dlg.Press(252);
    dlg.SetChecked(252, true);
    SetEdit(dlg, 211, "1");
    SetEdit(dlg, 212, "1");
    dlg.Press(cmd::kOk);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "inconsistent data");
    EXPECT_DOUBLE_EQ(win.View().halfWidth, 5);

    SetEdit(dlg, 211, "-1");
    SetEdit(dlg, 212, "3");
    SetEdit(dlg, 213, "0");
    SetEdit(dlg, 214, "4");
    dlg.Press(cmd::kOk);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(win.View().cornersFlag);
    EXPECT_DOUBLE_EQ(win.View().up, 4);
    EXPECT_EQ(win.History().Count(), before + 1);
    // The dialog follows the view.
    win.SendCommand(cmd::kZoomOut);
    EXPECT_EQ(dlg.GetText(214, ControlKind::Edit).trimmed().toDouble(), 6);
}

TEST_F(GridWinTest, LogarithmicCornerOfZeroIsOutOfBounds) {
    platform::ScriptedPrompter prompter;
    win.View().logMode = kLogX;
    win.View().SetLogCorners(0.1L, 100, -5, 5);
    TViewDlg& dlg = ViewDlg();
    EXPECT_EQ(dlg.GetText(211, ControlKind::Edit), "0.1");
    EXPECT_EQ(dlg.GetText(212, ControlKind::Edit), "100");
    dlg.SetChecked(252, true);
    SetEdit(dlg, 211, "0");
    dlg.Press(cmd::kOk);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "out of bounds");
    SetEdit(dlg, 211, "1");
    SetEdit(dlg, 212, "5");
    dlg.Press(cmd::kOk);
    EXPECT_EQ(prompter.messages.back().text, "inconsistent data");
    SetEdit(dlg, 212, "1000");
    dlg.Press(cmd::kOk);
    EXPECT_NEAR(win.View().right, 3, 1e-15L);
    EXPECT_NEAR(win.View().left, 0, 1e-15L);
}

// Zooming in far from the origin and out again: the picture keeps its numbers all the way,
// the zoom stops with "out of bounds" where the pixels would fall between two long doubles, and
// the ticks setting survives.
TEST_F(GridWinTest, ZoomingFarFromTheOriginNeverBlanksThePicture) {
    platform::ScriptedPrompter prompter;
    auto inked = [this] {
        QImage image(401, 401, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            platform::DeviceContext dc(image);
            win.DrawAll(dc);
        }
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    win.SetViewCentre(1000, 1000);
    for (int i = 0; i < 70 && prompter.messages.empty(); ++i) {
        win.SendCommand(cmd::kZoomIn);
        ASSERT_GT(inked(), 100) << i;
    }
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "out of bounds");
    EXPECT_TRUE(win.View().Representable());
    EXPECT_LT(win.View().halfWidth, 1e-10L);
    while (win.View().halfWidth < 5) win.SendCommand(cmd::kZoomOut);
    EXPECT_TRUE(win.Axes().ticks);
    EXPECT_GT(inked(), 100);
}

TEST_F(GridWinTest, DrawingFitsTheTicksAndUsesTheAxisColour) {
    win.SetViewCentreSize(0, 0, 1000);
    QImage image(401, 401, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        win.DrawAll(dc);
    }
    EXPECT_DOUBLE_EQ(win.Axes().xInterval, 100);
    const QColor axis = win.GetColor(win.Roles().Role(kRoleAxes));
    EXPECT_EQ(image.pixelColor(200, 37), axis);
    EXPECT_EQ(image.pixelColor(53, 200), axis);
}

TEST(GridWinShown, PaintsItsAxesAfterAResize) {
    TGridWin win(841, QStringLiteral("noname2.qz2"), QStringLiteral("gridshown.ini"));
    win.SetUseDefaults(true);
    win.resize(301, 201);
    win.Create();
    win.show();
    EXPECT_EQ(win.View().areaWidth, 301);
    EXPECT_DOUBLE_EQ(win.View().halfHeight, 5.0L * 200 / 300);
    const QImage shot = win.grab().toImage();
    const QColor axis = win.GetColor(win.Roles().Role(kRoleAxes));
    EXPECT_EQ(shot.pixelColor(150, 30), axis);
    EXPECT_EQ(shot.pixelColor(30, 100), axis);
    win.CloseWindow();
}

TEST_F(GridWinTest, AxesAndGridGoToTheSvgExport) {
    QTemporaryDir dir;
    const QString path = dir.filePath("axes.svg");
    win.Axes().gridFlags = kGridRectangular | kGridQuadrants;
    win.UpdateExportView();
    ASSERT_TRUE(win.Exports().svg.BeginSvgFile(path, 401, 401));
    win.Exports().StartOutput(ExportKind::Svg);
    QImage image(401, 401, QImage::Format_RGB32);
    {
        platform::DeviceContext dc(image);
        win.DrawAll(dc);
    }
    ASSERT_TRUE(win.Exports().EndExport());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    // 11 vertical and 11 horizontal grid lines in each of four quadrants at least meet the
    // axes, the ticks and the numbers.
    EXPECT_GE(svg.count("<line"), 40);
    EXPECT_TRUE(svg.contains("<text"));
}

TEST_F(GridWinTest, AxesCommandTogglesWithAHistoryEntry) {
    win.SendCommand(cmd::kAxes);
    EXPECT_FALSE(win.Axes().axesShown);
    EXPECT_FALSE(win.QueryCommand(cmd::kAxes).checked);
    win.SendCommand(cmd::kLastView);
    EXPECT_TRUE(win.Axes().axesShown);
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
    const platform::Pen pen = win.MakePenFromParts(4, 2, 2);
    EXPECT_EQ(pen.width, 18);
    EXPECT_EQ(pen.style, platform::PenStyle::Dash);
    EXPECT_EQ(pen.color, win.GetColor(4));

    win.Axes().tickLength = 12;
    TGridDlg& dlg = Grid();
    EXPECT_EQ(dlg.GetText(211, ControlKind::Edit), "1.5");
    SetEdit(dlg, 211, "3");
    dlg.Press(cmd::kApply);
    EXPECT_EQ(win.Axes().tickLength, 24);
}

TEST_F(GridWinTest, TextBoxFillsItsRectangleAndDrawsTheText) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        dc.SetTextColor(Qt::black);
        const platform::PixelRect box = win.LayoutTextBox(dc, QPoint(100, 50), "WWW", 0);
        EXPECT_EQ(box.left + box.Width() / 2, 100);
        win.DrawTextBox(dc, box, "WWW", 2, QColor(Qt::yellow));
    }
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    int yellow = 0, dark = 0;
    for (int y = 30; y < 70; ++y)
        for (int x = 60; x < 140; ++x) {
            yellow += image.pixelColor(x, y) == QColor(Qt::yellow);
            dark += image.pixelColor(x, y).lightness() < 100;  // text, antialiased
        }
    EXPECT_GT(yellow, 20);
    EXPECT_GT(dark, 10);
}

TEST_F(GridWinTest, InputPositiveShortRefusesNegatives) {
    platform::ScriptedPrompter prompter;
    std::int16_t field = 5;
    prompter.AnswerInput("-3");
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "positive value?");
    EXPECT_EQ(field, 5);
    prompter.AnswerInput("7.0");
    EXPECT_TRUE(win.InputPositiveShort(field, 16));
    EXPECT_EQ(field, 7);
    EXPECT_EQ(prompter.inputs.back().text, "5");
    prompter.AnswerInput("7");
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    prompter.AnswerInput("9", platform::kIdCancel);
    EXPECT_FALSE(win.InputPositiveShort(field, 16));
    EXPECT_EQ(field, 7);
}

TEST_F(GridWinTest, SegmentsAndMarkersStayInTheView) {
    QImage image(401, 401, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::DeviceContext dc(image);
        dc.Select(platform::Pen::Solid(Qt::red, 1));
        win.DrawSegment(dc, {-1e30L, 0.5L}, {1e30L, 0.5L}, true);
        win.DrawMarkerAt(dc, {50, 50}, 0, 3);  // outside: nothing
        win.DrawMarkerAt(dc, {1, 1}, 0, 3);
    }
    const QColor red(Qt::red), white(Qt::white);
    EXPECT_EQ(image.pixelColor(0, 180), red);
    EXPECT_EQ(image.pixelColor(400, 180), red);
    EXPECT_EQ(image.pixelColor(240, 160), red);
    EXPECT_EQ(image.pixelColor(243, 157), red);
    EXPECT_EQ(image.pixelColor(245, 160), white);
    EXPECT_EQ(image.pixelColor(240, 100), white);
}

}  // namespace
}  // namespace quorlin::canvas
