// The diagram file through real windows: a diagram saved, opened in a new window and saved
// again gives the same file and the same picture; a damaged file leaves the open diagram as it
// was; the dialogs and windows that were open are opened again.
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "examples/levels/inventory_dialog.h"
#include "examples/levels/slide_dialog.h"
#include "examples/plot_test_window.h"
#include "examples/sample_body.h"
#include "platform/common_dialogs.h"
#include "plot2d/plot2_win.h"
#include "shell/window_kinds.h"
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

}  // namespace
}  // namespace quorlin::examples
