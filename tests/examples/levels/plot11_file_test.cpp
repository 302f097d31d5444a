// The diagram file through real windows: a diagram saved, opened in a new window and saved
// again gives the same file and the same picture; a damaged file leaves the open diagram as it
// was; the dialogs and windows that were open are opened again.
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <limits>
#include <tuple>
#include <vector>

#include "examples/diagram/diagram_body.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/levels/slide_dialog.h"
#include "examples/plot_test_window.h"
#include "examples/sample_body.h"
#include "formula/formula_context.h"
#include "formula/work_budget.h"
#include "platform/common_dialogs.h"
#include "plot2d/plot2_win.h"
#include "shell/diagram_file.h"
#include "shell/records/file_head.h"
#include "shell/window_kinds.h"
#include "support/extreme_views.h"
#include "support/file_readers.h"

namespace quorlin::examples {
namespace {

using plot2d::TPlot2Win;

using quorlin::testing::ReadAll;

// A 2D window that records the tools it is asked to open and reports some as open.
class RecordingWindow : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    std::vector<std::string> opened;
    std::uint16_t mask = 0;

    std::uint16_t OpenToolsMask() const override { return mask; }
    void OpenTimeWindow(int k) override { opened.push_back("time " + std::to_string(k)); }
    void OpenPhaseWindow(int k) override { opened.push_back("phase " + std::to_string(k)); }
    void OpenIvp10() override { opened.push_back("IVP10"); }
    void OpenIvp20() override { opened.push_back("IVP20"); }
    void ShowInventory() override { opened.push_back("inventory"); }
    bool InventoryShown() const override { return true; }
    void RestoreToolState(int a, int b, int c) override {
        opened.push_back("state " + std::to_string(a + b + c));
    }
};

class Plot11FileTest : public quorlin::testing::PlotWindowTest {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    // A diagram with something in every part the window keeps.
    void BuildDiagram() {
        Paste(
            "DEFINE2;hyp;sqrt(x^2+y^2);CORNERS;-6;6;-5;5;"
            "EXPL2;sin(x)*2;POLAR;1+cos(t);0;2*pi;PARAM2;3*cos(t);sin(t);0;2*pi;"
            "SEG2;-4;-4;4;-3;POINT2;2;2;EXPL2;hyp(x,1)-3;"
            "LAGRANGE;3;-2;0;0;1;2;0;DEQ2T;y;-x;TRAJ;0;1;0;0;5;");
        ASSERT_TRUE(Errors().empty());
        win.Inventory().Entry(1).name = "cardioid";
        win.Inventory().Entry(0).familyMark = 1;
        win.Figure().axisLabels[1] = QStringLiteral("height");
        win.Formulas().SetVar(1, 0.75L);
        win.Formulas().params.right[1] = 3;
        canvas::TEquationLabel text;
        text.text = "a note";
        text.left = text.right = -3;
        text.top = text.bottom = 4;
        win.PlainTexts().push_back(text);
        win.Pictures().push_back({testing::SampleMetafile(), 0, -1, false, {1, 3, -4, -3}});
        win.Sketch() = {{TSketchPoint::kHead, 0, 0, {0xff0000, 2, 0}},
                        {TSketchPoint::kPoint, -1, -1, {}},
                        {TSketchPoint::kEnd, 1, -2, {}}};
        win.State2D().shades.push_back({0, -1, 0, 1, -1, 1, 6, {}});
        win.Notebook().SetText(QStringLiteral("why the curves meet"));
        win.Protection().Protect(kProtectNotebook, "pw", {"author", "", "", ""});
        win.Axes().xInterval = 2;
    }

    QTemporaryDir dir;
};

TEST_F(Plot11FileTest, ASavedDiagramOpensInANewWindowAsItWasAndSavesToTheSameFile) {
    BuildDiagram();
    const QImage before = Picture();
    ASSERT_TRUE(win.SaveTo(Path("a.qz2")));

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    ASSERT_EQ(second.Load(Path("a.qz2")), kNoError);
    EXPECT_FALSE(second.IsModified());
    // What the same bytes alone cannot tell: that the window took each part and gave it back.
    EXPECT_EQ(
        std::tuple(second.Inventory().Count(), second.Inventory().Entry(1).name,
                   second.EquationLabels().Count(), second.Figure().axisLabels[1].toStdString()),
        std::tuple(win.Inventory().Count(), "cardioid", win.Inventory().Count(), "height"));
    EXPECT_EQ(std::tuple(second.Formulas().Var(1), second.Formulas().UserFunctions().size(),
                         second.Notebook().Text().toStdString(), second.NotebookShown(),
                         second.Protection().Password(), second.View().left),
              std::tuple(0.75L, 1u, "why the curves meet", false, "pw", -6));
    EXPECT_NE(second.Inventory()[0].Tree(2), nullptr) << "compiled again";

    second.InvalidateImage(ImageLayer::Background);
    second.RenderImage(ImageLayer::Picture);
    EXPECT_TRUE(second.Image(ImageLayer::Picture) == before) << "the same pixels";
    ASSERT_TRUE(second.SaveTo(Path("b.qz2")));
    EXPECT_EQ(ReadAll(Path("b.qz2")), ReadAll(Path("a.qz2")));
}

// Save as gives the diagram a new name: the open inventory dialog's caption names it.
TEST_F(Plot11FileTest, SaveAsRenamesTheOpenInventoryDialog) {
    Paste("EXPL2;x;");
    win.Create();
    win.SendCommand(resources::cmd::kInventory);
    ASSERT_TRUE(win.InventoryDialog());
    EXPECT_TRUE(win.InventoryDialog()->windowTitle().contains(QStringLiteral("noname1.qz2")));
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    dialogs.fileAnswers.push_back(Path("renamed.qz2"));
    const bool saved = win.SendCommand(resources::cmd::kFileSaveAs);
    platform::SetCommonDialogs(nullptr);
    ASSERT_TRUE(saved);
    ASSERT_TRUE(QFile::exists(Path("renamed.qz2")));
    EXPECT_TRUE(win.InventoryDialog()->windowTitle().contains(QStringLiteral("renamed.qz2")));
}

TEST_F(Plot11FileTest, ALogarithmicDiagramKeepsItsAxesAndDropsItsFamilyMarks) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname1.lqz");
    request.logMode = canvas::kLogY;
    std::unique_ptr<platform::Window> made(plot2d::CreateLogWindow(request));
    auto& first = dynamic_cast<plot2d::TLogWin&>(*made);
    first.SizeChanged(401, 401);
    first.AddExample(kind::kExplicit, -5, 5, {"", "x"});
    first.CompileExample(0);
    first.AddEquationLabel();
    first.Inventory().Entry(0).familyMark = 1;
    ASSERT_TRUE(first.SaveTo(Path("a.lqz")));

    request.logMode = canvas::kLogBoth;
    std::unique_ptr<platform::Window> other(plot2d::CreateLogWindow(request));
    auto& second = dynamic_cast<plot2d::TLogWin&>(*other);
    second.SizeChanged(401, 401);
    ASSERT_EQ(second.Load(Path("a.lqz")), kNoError);
    EXPECT_EQ(second.View().logMode, canvas::kLogY);
    EXPECT_EQ(second.View().altUp, first.View().altUp);
    EXPECT_EQ(second.Inventory().Entry(0).familyMark, 0);
    EXPECT_EQ(second.Inventory()[0].Text(2), "x");
    EXPECT_TRUE(second.SaveTo(Path("b.lqz")));
    first.Inventory().Entry(0).familyMark = 0;
    ASSERT_TRUE(first.SaveTo(Path("a.lqz")));
    EXPECT_EQ(ReadAll(Path("b.lqz")), ReadAll(Path("a.lqz")));
}

TEST_F(Plot11FileTest, ADamagedFileLeavesTheOpenDiagramAsItWas) {
    BuildDiagram();
    ASSERT_TRUE(win.SaveTo(Path("a.qz2")));
    ASSERT_TRUE(quorlin::testing::WriteAll(
        Path("cut.qz2"), ReadAll(Path("a.qz2")).substr(0, ReadAll(Path("a.qz2")).size() - 3)));

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    second.Inventory().Append(TExample{});
    EXPECT_EQ(second.Load(Path("cut.qz2")), kErrCannotOpenFile);
    EXPECT_EQ(std::tuple(second.Inventory().Count(), second.Formulas().UserFunctions().size(),
                         second.FileName()),
              std::tuple(1, 0u, QStringLiteral("noname2.qz2")));
    EXPECT_EQ(Errors().back(), QStringLiteral("cannot open file"));
}

// A 2D window opening 4 000 surfaces at nearly the largest mesh (a 2.4 MB file whose meshes
// would take 1.37 GB) says there is no more room and keeps its diagram.
TEST_F(Plot11FileTest, AFileOfSurfacesBeyondTheMemoryIsRefusedWithNoMoreRoom) {
    TDiagramBody body;
    body.inventory.SetCapacity(4000, false);
    for (int k = 0; k < 4000; ++k) {
        TExample surface;  // a record without arrays: the test allocates no mesh either
        surface.kind = kind::kSurface;
        surface.divisions = {40, 145, 36};
        surface.Text(1) = "x*y";
        body.inventory.Append(std::move(surface));
    }
    DiagramWriter writer(kKind2D);
    ASSERT_EQ(WriteDiagramBody(writer.Body(), body), kNoError);
    ASSERT_TRUE(writer.Save(Path("surfaces.qz2")));
    ASSERT_GT(writer.Bytes().size(), 2'300'000u);

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    second.Inventory().Append(TExample{});
    EXPECT_EQ(second.Load(Path("surfaces.qz2")), kErrNoMoreRoom);
    EXPECT_EQ(std::tuple(second.Inventory().Count(), second.FileName()),
              std::tuple(1, QStringLiteral("noname2.qz2")));
    EXPECT_EQ(Errors().back(), QStringLiteral("no more room"));
}

// A diagram may hold labels of examples an aborted script took back, or lack some: the window
// that opens it keeps the labels of its examples where they were, drops the rest and makes the
// missing ones.
TEST_F(Plot11FileTest, EquationLabelsAreRestoredToOnePerExample) {
    Paste("EXPL2;x;EXPL2;x^2;EXPL2;x^3;");
    ASSERT_EQ(win.EquationLabels().Count(), 3);
    canvas::TextList& labels = win.EquationLabels().Labels();
    labels[0].left = labels[0].right = 0.25L;
    canvas::TEquationLabel stray = labels[2];
    stray.text = "taken back";
    const struct {
        std::size_t kept;
        int strays;
        const char* what;
    } rows[] = {{1, 0, "fewer"}, {3, 2, "more"}, {0, 0, "none"}};
    const canvas::TextList all = labels;
    for (const auto& row : rows) {
        labels.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(row.kept));
        labels.insert(labels.end(), static_cast<std::size_t>(row.strays), stray);
        ASSERT_TRUE(win.SaveTo(Path("labels.qz2")));
        TPlot2Win second(QStringLiteral("noname2.qz2"));
        second.SizeChanged(401, 401);
        ASSERT_EQ(second.Load(Path("labels.qz2")), kNoError) << row.what;
        const canvas::TextList& read = second.EquationLabels().Labels();
        ASSERT_EQ(read.size(), 3u) << row.what;
        for (std::size_t k = 0; k < read.size(); ++k) {
            EXPECT_EQ(read[k].number, k) << row.what;
            EXPECT_NE(read[k].text, "taken back") << row.what;
        }
        if (row.kept > 0) EXPECT_EQ(read[0].left, 0.25L) << row.what;
        EXPECT_EQ(read[2].text, all[2].text) << row.what;
    }
}

TEST_F(Plot11FileTest, TheWindowsThatWereOpenOpenAgain) {
    RecordingWindow first(QStringLiteral("noname1.qz2"));
    first.mask = tools_mask::kTimeWindowFirst * 2 + tools_mask::kIvp10 +
                 tools_mask::kPhaseWindowFirst + tools_mask::kIvp20;
    first.Notebook().SetText(QStringLiteral("notes"));
    first.Notebook().ShowWindow();
    first.OpenParamDialog(2);
    ASSERT_TRUE(first.SaveTo(Path("tools.qz2")));

    RecordingWindow second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("tools.qz2")), kNoError);
    const std::vector<std::string> expected = {"inventory", "time 1", "IVP10",
                                               "phase 0",   "IVP20",  "state 0"};
    EXPECT_EQ(second.opened, expected);
    EXPECT_TRUE(second.NotebookShown());
    ASSERT_NE(second.ParamDialog(2), nullptr);
    EXPECT_FALSE(second.ParamDialog(2)->IsHidden());
    EXPECT_EQ(second.ParamDialog(1), nullptr);
}

// File|New on a modified diagram asks as closing does; then the window is empty: no examples,
// labels, texts, pictures, shadings, sketch, user functions, notebook or protection, nothing
// drawn, the inventory hidden, and the window named "noname.qz2".
TEST_F(Plot11FileTest, FileNewAsksThenEmptiesTheWindow) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    win.Create();
    win.SizeChanged(401, 401);
    BuildDiagram();
    win.Protection().ClearProtection();
    ASSERT_TRUE(win.SendCommand(resources::cmd::kInventory));
    ASSERT_TRUE(win.InventoryShown());
    const int count = win.Inventory().Count();
    const QImage drawn = Picture();
    win.MarkModified();

    prompter.AnswerMessage(platform::kIdCancel);
    win.SendCommand(resources::cmd::kFileNew);
    EXPECT_EQ(std::tuple(win.Inventory().Count(), win.IsModified(), win.InventoryShown()),
              std::tuple(count, true, true))
        << "cancel keeps everything";

    prompter.AnswerMessage(platform::kIdYes);
    dialogs.fileAnswers.push_back(Path("kept.qz2"));
    win.SendCommand(resources::cmd::kFileNew);
    EXPECT_EQ(prompter.messages.size(), 2u);
    TPlot2Win kept(QStringLiteral("noname3.qz2"));
    kept.SizeChanged(401, 401);
    ASSERT_EQ(kept.Load(Path("kept.qz2")), kNoError);
    EXPECT_EQ(kept.Inventory().Count(), count) << "yes saved the diagram first";

    EXPECT_EQ(
        std::tuple(win.Inventory().Count(), win.EquationLabels().Count(), win.PlainTexts().size(),
                   win.Pictures().size(), win.Formulas().UserFunctions().size(),
                   win.Sketch().size(), win.State2D().shades.size()),
        std::tuple(0, 0, 0u, 0u, 0u, 0u, 0u));
    EXPECT_EQ(std::tuple(win.Caption(), win.IsModified(), win.InventoryShown(), win.HasFile(),
                         win.NotebookPresent()),
              std::tuple(QStringLiteral("noname.qz2"), false, false, false, false));
    const QImage empty = Picture();
    EXPECT_NE(empty, drawn);
    TPlot2Win fresh(QStringLiteral("noname.qz2"));
    fresh.SizeChanged(401, 401);
    fresh.View() = win.View();
    fresh.Axes() = win.Axes();
    fresh.RecomputeView();
    fresh.InvalidateImage(ImageLayer::Background);
    fresh.RenderImage(ImageLayer::Picture);
    EXPECT_TRUE(fresh.Image(ImageLayer::Picture) == empty) << "as a new window draws it";
    // The next example takes the colour the first example of a new window takes.
    Paste("EXPL2;x;");
    clipboard.SetText(QStringLiteral("EXPL2;x;"));
    ASSERT_TRUE(fresh.SendCommand(resources::cmd::kPasteScript));
    EXPECT_EQ(win.Inventory()[0].pen.colour, fresh.Inventory()[0].pen.colour);
    platform::SetCommonDialogs(nullptr);
}

// A diagram read into a window whose inventory shows: the inventory's caption names the file.
TEST_F(Plot11FileTest, TheInventoryNamesTheFileTheDiagramCameFrom) {
    win.Create();
    Paste("EXPL2;x;");
    ASSERT_TRUE(win.SendCommand(resources::cmd::kInventory));
    ASSERT_TRUE(win.SaveTo(Path("named.qz2")));
    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.Create();
    second.SizeChanged(401, 401);
    ASSERT_EQ(second.Load(Path("named.qz2")), kNoError);
    ASSERT_TRUE(second.InventoryShown());
    EXPECT_TRUE(second.InventoryDialog()->windowTitle().contains("[named.qz2]"))
        << second.InventoryDialog()->windowTitle().toStdString();
}

// The top-left corner of a text in the window's pixels, as a share of its drawing area.
QPointF ShareOfArea(const TPlot2Win& w, const canvas::TEquationLabel& label) {
    const canvas::WorldPoint origin = w.AnchorOriginOf(label.anchor);
    const canvas::TViewFrame& v = w.View();
    return {static_cast<double>((origin.x + label.left - v.left) / (v.right - v.left)),
            static_cast<double>((v.up - (origin.y + label.top)) / (v.up - v.down))};
}

// Seven labels in their home column of a square window, read into windows of other shapes:
// each label stays inside the drawing area, where it stood relative to the area, as the frame
// text beside them does.
TEST_F(Plot11FileTest, EquationLabelsKeepTheirPlaceInTheAreaOfAWindowOfAnotherSize) {
    win.SizeChanged(401, 601);
    win.RecomputeView();
    Paste("EXPL2;x;EXPL2;x^2;EXPL2;x^3;EXPL2;x-1;EXPL2;x+1;EXPL2;2*x;EXPL2;-x;");
    ASSERT_EQ(win.EquationLabels().Count(), 7);
    ASSERT_TRUE(win.SendCommand(resources::cmd::kHomeEquations));
    canvas::TEquationLabel frameText;
    frameText.text = "framed";
    frameText.anchor = canvas::kAnchorFrame;
    frameText.left = -2;
    frameText.top = -3.5L;
    win.PlainTexts().push_back(frameText);
    ASSERT_TRUE(win.SaveTo(Path("labels.qz2")));
    const canvas::TextList& saved = win.EquationLabels().Labels();

    for (const QSize size : {QSize(401, 201), QSize(201, 401), QSize(601, 151)}) {
        TPlot2Win other(QStringLiteral("noname2.qz2"));
        other.SizeChanged(size.width(), size.height());
        other.RecomputeView();
        ASSERT_EQ(other.Load(Path("labels.qz2")), kNoError);
        const canvas::TextList& read = other.EquationLabels().Labels();
        ASSERT_EQ(read.size(), saved.size());
        for (std::size_t k = 0; k < read.size(); ++k) {
            const QPointF before = ShareOfArea(win, saved[k]), after = ShareOfArea(other, read[k]);
            EXPECT_NEAR(after.x(), before.x(), 1e-9) << size.width() << "x" << size.height() << k;
            EXPECT_NEAR(after.y(), before.y(), 1e-9) << size.width() << "x" << size.height() << k;
            EXPECT_TRUE(after.x() >= 0 && after.x() < 1 && after.y() >= 0 && after.y() < 1);
        }
        const QPointF text = ShareOfArea(other, other.PlainTexts().at(0));
        EXPECT_NEAR(text.y(), ShareOfArea(win, win.PlainTexts()[0]).y(), 1e-9);
    }
}

// A diagram whose view the transforms cannot carry (written by hand or by another program)
// opens with the standard view, and draws.
TEST_F(Plot11FileTest, AnExtremeViewOpensBroughtIntoRange) {
    win.AddExample(kind::kExplicit, -5, 5, {"", "sin(x)"});
    win.CompileExample(0);
    win.AddEquationLabel();
    for (const auto& c : quorlin::testing::ExtremeViews()) {
        quorlin::testing::PutView(c, win.View());
        ASSERT_TRUE(win.SaveTo(Path("extreme.qz2"))) << c.what;

        TPlot2Win second(QStringLiteral("noname2.qz2"));
        second.SizeChanged(401, 401);
        ASSERT_EQ(second.Load(Path("extreme.qz2")), kNoError) << c.what;
        EXPECT_TRUE(second.View().Representable()) << c.what;
        EXPECT_EQ(std::tuple(second.View().left, second.View().right), std::tuple(-5.0L, 5.0L))
            << c.what;
        second.RenderImage(ImageLayer::Picture);
        EXPECT_FALSE(second.Image(ImageLayer::Picture).isNull()) << c.what;
    }
}

// Frame-anchored texts keep their corners through any sequence of opens: the window measures
// them against the view of the file they came with, not against the diagram open before.
TEST_F(Plot11FileTest, FrameTextsKeepTheirCornersWhateverWasOpenBefore) {
    canvas::TEquationLabel text;
    text.text = "on the frame";
    text.anchor = canvas::kAnchorFrame;
    text.left = text.right = 2;
    text.top = text.bottom = 3;
    win.PlainTexts().push_back(text);
    ASSERT_TRUE(win.SaveTo(Path("texts.qz2")));
    win.View().SetView(0, 0, 1, 100, true);  // tall: a half height of 100
    win.PlainTexts().clear();
    ASSERT_TRUE(win.SaveTo(Path("tall.qz2")));
    win.View().SetView(3, 0, 400, 0, false);
    ASSERT_TRUE(win.SaveTo(Path("wide.qz2")));

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    for (const char* before : {"tall.qz2", "wide.qz2", "texts.qz2"}) {
        ASSERT_EQ(second.Load(Path(before)), kNoError);
        ASSERT_EQ(second.Load(Path("texts.qz2")), kNoError) << "after " << before;
        ASSERT_EQ(second.PlainTexts().size(), 1u);
        EXPECT_EQ(std::tuple(second.PlainTexts()[0].left, second.PlainTexts()[0].top),
                  std::tuple(2.0L, 3.0L))
            << "after " << before;
        ASSERT_TRUE(second.SaveTo(Path("again.qz2")));
        EXPECT_EQ(ReadAll(Path("again.qz2")), ReadAll(Path("texts.qz2"))) << "after " << before;
    }
}

// A diagram whose background bitmap is missing keeps the bitmap's name through a save.
TEST_F(Plot11FileTest, AMissingBackgroundBitmapKeepsItsName) {
    win.Background().fileName = Path("gone1.bmp");
    ASSERT_TRUE(win.SaveTo(Path("a.qz2")));
    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    ASSERT_EQ(second.Load(Path("a.qz2")), kNoError);
    EXPECT_FALSE(second.Background().present);
    EXPECT_EQ(second.Background().fileName, Path("gone1.bmp"));
    ASSERT_TRUE(second.SaveTo(Path("b.qz2")));
    EXPECT_EQ(ReadAll(Path("b.qz2")), ReadAll(Path("a.qz2")));
}

// A pasted script that stops at the window's capacity (36 examples in a new window) says there
// was no more room and keeps the examples it added.
TEST_F(Plot11FileTest, APastedScriptBeyondTheWindowsCapacityReportsNoMoreRoom) {
    std::string script;
    for (int k = 0; k < 40; ++k) script += "EXPL2;x+" + std::to_string(k) + ";";
    Paste(script);
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("no more room")});
    EXPECT_EQ(win.Inventory().Count(), 36);
    EXPECT_TRUE(win.IsModified());
}

// Examples whose derivatives grow beyond bounds (ten of them in a 10 KB file once took seconds
// and hundreds of megabytes to open): each opens within its compilation budget, keeps its text
// and its curve, and comes without derivative trees.
TEST_F(Plot11FileTest, TheHeavyDerivativeFileOpensWithinTheCompilationBudget) {
    const std::string heavy = "DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))";
    std::string script;
    for (int k = 0; k < 3; ++k) script += "EXPL2;" + heavy + ";";
    Paste(script);
    ASSERT_TRUE(Errors().empty());
    ASSERT_TRUE(win.SaveTo(Path("heavy.qz2")));

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    ASSERT_EQ(second.Load(Path("heavy.qz2")), kNoError);
    ASSERT_EQ(second.Inventory().Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TExample& e = second.Inventory()[i];
        EXPECT_TRUE(e.overBudget) << i;
        EXPECT_NE(e.Tree(2), nullptr) << i;
        EXPECT_EQ(e.Tree(6), nullptr) << i;
    }
}

// Opening such a file parses each formula once: the examples are compiled with the file's user
// functions in place and not a second time when the window learns of those functions. The
// parse work of the open is counted against a budget of the test's own.
TEST_F(Plot11FileTest, OpeningTheHeavyDerivativeFileParsesEachFormulaOnce) {
    const std::string heavy = "DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))";
    constexpr long long kUnbounded = 1'000'000'000'000;
    WorkBudget oneParse(kUnbounded);
    {
        const FormulaContext::BudgetScope scope(win.Formulas(), oneParse);
        ASSERT_EQ(win.Formulas().Parse(heavy), 0);
    }
    const long long perParse = kUnbounded - oneParse.Left();
    std::string script;
    for (int k = 0; k < 3; ++k) script += "EXPL2;" + heavy + ";";
    Paste(script);
    ASSERT_TRUE(win.SaveTo(Path("heavy.qz2")));

    TPlot2Win second(QStringLiteral("noname2.qz2"));
    second.SizeChanged(401, 401);
    WorkBudget open(kUnbounded);
    {
        const FormulaContext::BudgetScope scope(second.Formulas(), open);
        ASSERT_EQ(second.Load(Path("heavy.qz2")), kNoError);
    }
    const long long spent = kUnbounded - open.Left();
    EXPECT_GE(spent, 3 * perParse);
    EXPECT_LT(spent, 4 * perParse) << spent << " " << perParse;
}

// A protected diagram with a notebook, saved before, then changed in its notebook: closing it
// with "yes" onto a full disk shows why, keeps the old file whole, nothing beside it, and the
// window open with its diagram and its notebook still changed; once there is room again, "yes"
// saves both and the window may close.
TEST_F(Plot11FileTest, ClosingOntoAFullDiskKeepsTheWindowAndItsNotebookChanged) {
    BuildDiagram();
    const QString path = Path("kept.qz2");
    ASSERT_TRUE(win.SaveTo(path));
    const std::string old = ReadAll(path);
    win.Notebook().findChild<QPlainTextEdit*>()->insertPlainText("and where; ");
    ASSERT_TRUE(win.IsModified() && win.Notebook().IsModified());
    prompter.messages.clear();
    {
        const platform::ScopedFileWriteCall full([](int, const void*, std::size_t) -> long {
            errno = ENOSPC;
            return -1;
        });
        prompter.AnswerMessage(platform::kIdYes);
        EXPECT_FALSE(win.CanClose());
    }
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].kind, platform::kMsgYesNoCancel);
    EXPECT_TRUE(prompter.messages[1].error);
    EXPECT_EQ(prompter.messages[1].text,
              "no more room\n" + path + "\n" + QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.qz2"});
    EXPECT_TRUE(win.IsModified());
    EXPECT_TRUE(win.Notebook().IsModified());
    EXPECT_EQ(win.Notebook().Text(), QStringLiteral("and where; why the curves meet"));

    prompter.AnswerMessage(platform::kIdYes);
    EXPECT_TRUE(win.CanClose());
    EXPECT_FALSE(win.IsModified() || win.Notebook().IsModified());
    TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(path), kNoError);
    EXPECT_EQ(second.Notebook().Text(), QStringLiteral("and where; why the curves meet"));
}

}  // namespace
}  // namespace quorlin::examples
