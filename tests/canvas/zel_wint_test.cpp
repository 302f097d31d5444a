// The text-overlay level of a graphing window: creating, editing and deleting texts through
// the dialogs, the refusals of the evaluated-text dialog, dragging, "delete all", texts that
// keep their place when the view changes or follow their point, and the texts in the exports.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "canvas/meta_dialog.h"
#include "canvas/text_dialog.h"
#include "canvas/zel_winm.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {
namespace {

namespace cmd = resources::cmd;
using platform::Dialog;
using platform::MouseButton;
using resources::ControlKind;
using testing::Mouse;

// What the texts of a window write into a file while one writer runs; with `asMath` they are
// drawn a second time as the evaluated texts are.
QByteArray TextsWritten(TZELWinm& w, ExportKind writer, const QString& path, bool asMath = false) {
    TExportState& ex = w.Exports();
    if (!ex.output.Open(path)) return "<not opened>";
    ex.StartOutput(writer);
    QImage image(401, 401, QImage::Format_RGB32);
    {
        platform::DeviceContext dc(image);
        w.DrawTexts(dc, w.PlainTexts(), false, 0);
        if (asMath) w.DrawTexts(dc, w.PlainTexts(), true, 0);
    }
    ex.StopOutput(writer);
    if (!ex.output.Close()) return "<not closed>";
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<not read>");
}

// Dialog hands that type a text, tick the given boxes and press OK.
std::function<int(Dialog&)> Type(const QString& text, std::initializer_list<int> checked = {}) {
    return [text, checked](Dialog& d) {
        d.SetText(textdlg::kText, ControlKind::Edit, text);
        for (const int id : checked) d.SetChecked(id, true);
        return d.Press(platform::kIdOk);
    };
}

class OverlayWindowTest : public ::testing::Test {
protected:
    OverlayWindowTest() : win(841, QStringLiteral("noname1.qz2"), QStringLiteral("ovl.ini")) {
        win.SizeChanged(401, 401);
        win.SetMouseMode(cmd::kMouseText);
    }

    // A right click in the current mode, with the dialog answered by the given hands.
    void RightClick(QPoint p, const std::function<int(Dialog&)>& hands) {
        testing::RightClick(win, p, hands);
    }
    void Drag(QPoint from, QPoint to) {
        win.MouseDown(Mouse(MouseButton::Left, from));
        win.MouseMove(Mouse(MouseButton::None, to));
        win.MouseUp(Mouse(MouseButton::Left, to));
    }
    // Paints the picture layer, which also measures every text's box.
    void Render() {
        win.InvalidateImage(ImageLayer::Picture);
        win.RenderImage(ImageLayer::Picture);
    }
    QPoint ScreenCorner(const TEquationLabel& t) const {
        const TEquationLabel a = TextToAbsolute(t, win.AnchorOriginOf(t.anchor));
        return {win.XToScreen(a.left), win.YToScreen(a.top)};
    }

    platform::ScriptedPrompter prompter;
    TZELWinm win;
};

TEST_F(OverlayWindowTest, NewTextsInheritTheStyleAndEmptyingOneDeletesIt) {
    RightClick({100, 120}, [](Dialog& d) {
        d.SetText(textdlg::kAngle, ControlKind::Edit, QStringLiteral("450"));
        return Type("first", {textdlg::kOpaque})(d);
    });
    ASSERT_EQ(win.PlainTexts().size(), 1u);
    const TEquationLabel& t = win.PlainTexts()[0];
    EXPECT_EQ(std::tuple(t.text, t.font.escapement, t.transparent, t.anchor),
              std::tuple("first", 900, 0, kAnchorFigure));
    EXPECT_EQ(ScreenCorner(t), QPoint(100, 120));

    // Empty space: the dialog offers the previous wording and style.
    QString offered;
    RightClick({100, 300}, [&](Dialog& d) {
        offered = d.GetText(textdlg::kText, ControlKind::Edit);
        EXPECT_TRUE(d.IsChecked(textdlg::kOpaque));
        d.SetText(textdlg::kDashCode, ControlKind::Edit, QStringLiteral("150x"));
        d.SetText(textdlg::kAngle, ControlKind::Edit, QStringLiteral("0"));
        return Type("a-b", {textdlg::kHyphens})(d);
    });
    EXPECT_EQ(offered, QStringLiteral("first"));
    ASSERT_EQ(win.PlainTexts().size(), 2u);
    EXPECT_EQ(win.PlainTexts()[1].text,
              "a\x96"
              "b");

    // Cancel changes nothing; clearing the first text deletes it and renumbers.
    Render();
    RightClick({104, 304}, [](Dialog&) { return platform::kIdCancel; });
    EXPECT_EQ(win.PlainTexts().size(), 2u);
    RightClick({104, 304}, Type(QString()));
    ASSERT_EQ(win.PlainTexts().size(), 1u);
    EXPECT_EQ(std::tuple(win.PlainTexts()[0].text, win.PlainTexts()[0].number),
              std::tuple("first", 0));
}

// A diagram read into the window while a dialog is open or a drag runs replaces the texts: the
// edit leaves the new texts alone and the drag ends.
TEST_F(OverlayWindowTest, TextsReplacedWhileTheDialogOrADragRunsAreLeftAlone) {
    TEquationLabel other;
    other.text = "other";
    for (const QString& typed : {QStringLiteral("edited"), QString()}) {
        win.InstallTexts({}, {}, {});
        RightClick({100, 120}, Type("old"));
        Render();
        RightClick({104, 124}, [&](Dialog& d) {
            win.InstallTexts({other, other}, {}, {});
            return Type(typed)(d);
        });
        ASSERT_EQ(win.PlainTexts().size(), 2u);
        EXPECT_EQ(win.PlainTexts()[0].text, "other");
    }
    win.InstallTexts({}, {}, {});
    RightClick({100, 100}, Type("move me"));
    Render();
    win.MouseDown(Mouse(MouseButton::Left, {103, 104}));
    ASSERT_TRUE(win.Drag());
    win.InstallTexts({other}, {}, {});
    EXPECT_FALSE(win.Drag());
    win.MouseUp(Mouse(MouseButton::Left, {203, 54}));
    EXPECT_EQ(std::pair(win.PlainTexts()[0].left, win.PlainTexts()[0].top), std::pair(0.0L, 0.0L));
}

TEST_F(OverlayWindowTest, DeleteAllAsksAndShowHideAllFollowsTheFirstText) {
    RightClick({50, 50}, Type("one"));
    RightClick({50, 150}, Type("two"));
    win.PlainTexts()[1].shown = 0;
    win.SendCommand(cmd::kShowHideAllText);
    EXPECT_EQ(std::tuple(win.PlainTexts()[0].shown, win.PlainTexts()[1].shown), std::tuple(0, 0));
    win.SendCommand(cmd::kShowHideAllText);
    EXPECT_EQ(win.PlainTexts()[1].shown, 1);

    prompter.AnswerMessage(platform::kIdNo);
    win.SendCommand(cmd::kDeleteAllText);
    EXPECT_EQ(prompter.messages.at(0).text, QStringLiteral("delete all text?"));
    EXPECT_EQ(win.PlainTexts().size(), 2u);
    prompter.AnswerMessage(platform::kIdYes);
    win.SendCommand(cmd::kDeleteAllText);
    EXPECT_TRUE(win.PlainTexts().empty());
    EXPECT_FALSE(win.QueryCommand(cmd::kDeleteAllText).enabled);
}

TEST_F(OverlayWindowTest, EvaluatedTextDialogRefusesBadPlacesAndThe52ndText) {
    win.SetMouseMode(cmd::kMouseEvaluatedText);
    int stayedOpen = -1;
    RightClick({60, 60}, [&](Dialog& d) {
        EXPECT_EQ(d.TemplateName(), "NEWTEXT1");
        d.SetText(textdlg::kText, ControlKind::Edit, QStringLiteral("A+1"));
        d.SetText(textdlg::kPlaces1, ControlKind::Edit, QStringLiteral("16"));
        stayedOpen = d.Press(platform::kIdOk);
        d.SetText(textdlg::kPlaces1, ControlKind::Edit, QStringLiteral("5"));
        return d.Press(platform::kIdOk);
    });
    EXPECT_EQ(stayedOpen, 0);
    EXPECT_EQ(prompter.messages.at(0).text, QStringLiteral("out of bounds"));
    ASSERT_EQ(win.EvalTexts().size(), 1u);
    EXPECT_EQ(std::tuple(win.EvalTexts()[0].text, win.EvalTexts()[0].evalIndex),
              std::tuple("X", 1000));
    const TEvalText* e = win.EvalTable().Find(1000);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(std::tuple(e->texts[0], e->places[0]), std::tuple("A+1", 5));

    // Fill the table: the next new text is refused before any dialog opens.
    for (int i = 1; i < kEvalTextSlots; ++i) win.EvalTable().Store(1000 + i, TEvalText{});
    bool dialogOpened = false;
    RightClick({300, 300}, [&](Dialog&) {
        dialogOpened = true;
        return platform::kIdOk;
    });
    EXPECT_FALSE(dialogOpened);
    EXPECT_EQ(prompter.messages.at(1).text, QStringLiteral("no more room"));
    EXPECT_EQ(win.EvalTexts().size(), 1u);

    // "delete" removes the evaluated text and frees its entry.
    Render();
    const QPoint inside = ScreenCorner(win.EvalTexts()[0]) + QPoint(3, 3);
    RightClick(inside, [](Dialog& d) { return d.Press(textdlg::kDelete); });
    EXPECT_TRUE(win.EvalTexts().empty());
    EXPECT_EQ(win.EvalTable().FreeIndex(), 1000);
}

// The anchors' geometry is the overlay's own; here the frame switch ties a text to the frame,
// and the mouse drags a text, but not out of the window.
TEST_F(OverlayWindowTest, TheFrameSwitchTiesATextToTheFrameAndDraggingMovesIt) {
    RightClick({300, 100}, Type("figure"));
    RightClick({100, 300}, Type("frame", {textdlg::kFrame}));
    ASSERT_EQ(win.PlainTexts().size(), 2u);
    EXPECT_EQ(win.PlainTexts()[1].anchor, kAnchorFrame);
    win.SendCommand(cmd::kZoomOut);
    win.SetViewCentre(2, -1);
    EXPECT_EQ(ScreenCorner(win.PlainTexts()[1]), QPoint(100, 300));

    win.SendCommand(cmd::kLastView);
    win.SendCommand(cmd::kLastView);
    Render();
    Drag({303, 104}, {203, 54});
    EXPECT_EQ(ScreenCorner(win.PlainTexts()[0]), QPoint(200, 50));
    Drag({203, 54}, {503, 54});
    EXPECT_EQ(ScreenCorner(win.PlainTexts()[0]), QPoint(200, 50));
    EXPECT_FALSE(win.Drag());
}

TEST_F(OverlayWindowTest, PicTeXLinesAreEscapedAndMappedOnce) {
    RightClick({200, 200}, Type("50% & #1"));
    Render();
    QTemporaryDir dir;
    TExportState& ex = win.Exports();
    ex.view.decimalPlaces = 2;
    ex.view.centreX = 1;
    ex.view.centreY = 1;
    ex.texFrameCount = 2;  // an animation: coordinates relative to the view centre
    TEquationLabel& t = win.PlainTexts()[0];
    t.left = 2, t.right = 4, t.top = 3, t.bottom = 1;
    EXPECT_EQ(TextsWritten(win, ExportKind::PicTeX, dir.filePath("t.tex"), true),
              QByteArray("\\put {50\\% \\& \\#1} at 2.00 1.00\r\n"
                         "\\put {$\\displaystyle{50\\% \\& \\#1}$} at 2.00 1.00\r\n"));
}

TEST_F(OverlayWindowTest, FontButtonTakesFontSizeAndColour) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    platform::FontChoice choice;
    choice.font.faceName = QStringLiteral("Courier New");
    choice.font.height = -32;
    choice.pointSizeTenths = 245;
    choice.color = QColor(0, 128, 255);
    dialogs.fontAnswers.push_back(choice);
    RightClick({80, 80}, [](Dialog& d) {
        d.Press(textdlg::kFont);
        return Type("styled")(d);
    });
    platform::SetCommonDialogs(nullptr);
    ASSERT_EQ(win.PlainTexts().size(), 1u);
    const TEquationLabel& t = win.PlainTexts()[0];
    EXPECT_EQ(std::tuple(t.font.faceName, t.TextPointSize(), t.colour),
              std::tuple("Courier New", 24, 0x00ff8000u));
    EXPECT_EQ(dialogs.fontAsks.at(0).pointSizeTenths, 100);
}

// A window whose point examples 3, 7 and 9 are offered as tie targets; the test moves and
// hides example 3.
class PointWindow : public TZELWinm {
public:
    PointWindow() : TZELWinm(841, QStringLiteral("noname3.qz2"), QStringLiteral("pt.ini")) {
        TieTargets().offered = true;
        TieTargets().hideWithAnchor = true;
    }
    void FillTieList(platform::Dialog& dlg, int listId, int) override {
        dlg.ClearList(listId);
        for (const char* name : {"P(1,1)", "Q(2,0)", "R(0,3)"})
            dlg.AddString(listId, QString::fromLatin1(name));
        TieTargets().table = {3, 7, 9};
    }
    WorldPoint AnchorPoint(int anchor) const override { return anchor == 3 ? point : WorldPoint{}; }
    bool IsAnchorShown(int anchor) const override { return anchor != 3 || pointShown; }
    WorldPoint point{1, 1};
    bool pointShown = true;
};

TEST(OverlayPointAnchor, TheTieListChoiceGoesThroughTheTable) {
    PointWindow w;
    TLDRect rect{-1, 1, -1, 1};
    bool transparent = false;
    int anchor = -1, result = 0;
    TMetaDlg dlg(w, rect, transparent, anchor, result);
    dlg.Create();
    EXPECT_EQ(dlg.ItemCount(metadlg::kTieList), 3);
    EXPECT_FALSE(dlg.IsChecked(metadlg::kAnchor));  // the picture is not tied yet
    EXPECT_EQ(w.ChosenTieTarget(dlg, metadlg::kTieList), std::nullopt);  // nothing selected
    dlg.SetSelectedIndex(metadlg::kTieList, 1);
    EXPECT_EQ(w.ChosenTieTarget(dlg, metadlg::kTieList), 7);
    w.TieTargets().table = {3};  // a position the table does not know
    EXPECT_EQ(w.ChosenTieTarget(dlg, metadlg::kTieList), std::nullopt);

    // A window without tie targets hides the list and its switch in both dialogs.
    w.TieTargets().offered = false;
    TMetaDlg plain(w, rect, transparent, anchor, result);
    plain.Create();
    EXPECT_FALSE(plain.IsControlShown(metadlg::kTieList));
    EXPECT_FALSE(plain.IsControlShown(metadlg::kAnchor));
    TEquationLabel label;
    TTextDlg text(w, "NEWTEXT", label, nullptr);
    text.Create();
    EXPECT_FALSE(text.IsControlShown(textdlg::kTieList));
    EXPECT_FALSE(text.IsControlShown(textdlg::kOther));
}

TEST(OverlayPointAnchor, TextFollowsItsPointAndHidesWithIt) {
    platform::ScriptedPrompter prompter;
    PointWindow w;
    w.SizeChanged(401, 401);
    w.SetMouseMode(cmd::kMouseText);
    {
        platform::ScopedDialogRunner runner([](Dialog& d) {
            d.SetSelectedIndex(textdlg::kTieList, 0);
            return Type("a<b & c", {textdlg::kOther, textdlg::kHideWithPoint})(d);
        });
        w.NewTextAt({260, 140});  // world (1.5, 1.5): half a unit right of and above the point
    }
    ASSERT_EQ(w.PlainTexts().size(), 1u);
    const TEquationLabel& t = w.PlainTexts()[0];
    EXPECT_EQ(std::tuple(t.anchor, t.HidesWithAnchor(), t.left), std::tuple(3, true, 0.5L));
    w.point = {-2, 0};
    const TEquationLabel a = TextToAbsolute(t, w.AnchorOriginOf(3));
    EXPECT_EQ(QPoint(w.XToScreen(a.left), w.YToScreen(a.top)), QPoint(140, 180));

    QTemporaryDir dir;
    const QByteArray shown = TextsWritten(w, ExportKind::Svg, dir.filePath("a.svg"));
    EXPECT_TRUE(shown.count("<text ") == 1 && shown.contains("a&lt;b &amp; c")) << shown.data();
    w.pointShown = false;  // SVG and PiCTeX leave it out with its point
    EXPECT_EQ(TextsWritten(w, ExportKind::Svg, dir.filePath("b.svg")).count("<text "), 0);
    EXPECT_EQ(TextsWritten(w, ExportKind::PicTeX, dir.filePath("c.tex")), QByteArray());
}

}  // namespace
}  // namespace quorlin::canvas
