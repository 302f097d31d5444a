// The 3D window's double-integral dialogs, its stereogram dialog and window, and the launchers
// that make each once: values against closed forms, the fields' errors, the data-list entries,
// the selection through inventory changes, the shared inventory of the stereogram window, and
// a user's road through the menus to exports that real readers take.
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>

#include <chrono>
#include <cmath>
#include <numbers>

#include "examples/operations/integration.h"
#include "plot3d/plot3_fixture.h"
#include "plot3d/stereogram/rds_dialog.h"
#include "plot3d/stereogram/rds_window.h"
#include "plot3d/tools/riem3_dialog.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
constexpr long double kPi = std::numbers::pi_v<long double>;

class PlotRToolsTest : public Plot3WindowTest {
protected:
    // The stereogram window's settings of an earlier test are not read.
    PlotRToolsTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("rds.ini"))); }
    // The dialog of the mode, opened by its menu command.
    TRiem3Dlg& Integral(TPlot3Win& win, Riem3Mode mode) {
        EXPECT_TRUE(win.SendCommand(Riem3ModeRow(mode).command));
        TRiem3Dlg* d = win.IntegralDialog(mode);
        EXPECT_NE(d, nullptr);
        return *d;
    }
    static void Type(TRiem3Dlg& d, std::array<const char*, 6> fields) {
        const int ids[] = {211, 212, 213, 214, 215, 216};
        for (std::size_t n = 0; n < fields.size(); ++n)
            if (fields[n]) d.SetText(ids[n], QString::fromLatin1(fields[n]));
    }
    static QString Field(const TRiem3Dlg& d, int id) { return d.GetText(id); }
};

TEST_F(PlotRToolsTest, IntegralsAndAreasMatchTheirClosedForms) {
    const struct {
        const char* name;
        const char* script;
        Riem3Mode mode;
        std::array<const char*, 6> fields;
        long double value;
        long double tolerance;
    } rows[] = {
        {"x y over the unit square",
         "EXPL3;x*y;0;1;0;1;\r\n",
         Riem3Mode::DoubleIntegral,
         {"0", "1", "1", "0", "1", "1"},
         0.25L,
         1e-18L},
        {"sin x sin y over [0, pi]^2",
         "EXPL3;sin(x)*sin(y);0;3;0;3;\r\n",
         Riem3Mode::DoubleIntegral,
         {"0", "pi", "100", "0", "pi", "100"},
         4,
         1e-8L},
        {"x^2 y over [1, 3] x [-1, 2]",
         "EXPL3;x^2*y;0;1;0;1;\r\n",
         Riem3Mode::DoubleIntegral,
         {"1", "3", "2", "-1", "2", "3"},
         26.0L / 3 * 1.5L,
         1e-15L},
        {"the unit disc",
         "SURFCYL;1;0;1;0;6;\r\n",
         Riem3Mode::PolarIntegral,
         {"0", "1", "100", "0", "2*pi", "100"},
         kPi,
         1e-12L},
        {"f = r over the disc",
         "SURFCYL;r;0;1;0;6;\r\n",
         Riem3Mode::PolarIntegral,
         {"0", "1", "100", "0", "2*pi", "100"},
         2 * kPi / 3,
         1e-12L},
        {"z = 0 over [0, 2] x [0, 3]",
         "EXPL3;0;0;1;0;1;\r\n",
         Riem3Mode::SurfaceArea,
         {"0", "2", "5", "0", "3", "5"},
         6,
         1e-15L},
        {"the plane z = x + y",
         "EXPL3;x+y;0;1;0;1;\r\n",
         Riem3Mode::SurfaceArea,
         {"0", "1", "10", "0", "1", "10"},
         std::sqrt(3.0L),
         1e-15L},
        {"the unit sphere",
         "SURFPAR;sin(t)*cos(u);sin(t)*sin(u);cos(t);0;3;0;6;\r\n",
         Riem3Mode::SurfaceArea,
         {"0", "pi", "100", "0", "2*pi", "100"},
         4 * kPi,
         1e-7L},
        {"the cone z = r from r = 0",
         "SURFCYL;r;0;1;0;6;\r\n",
         Riem3Mode::SurfaceArea,
         {"0", "1", "100", "0", "2*pi", "100"},
         kPi * std::sqrt(2.0L),
         1e-12L},
    };
    for (const auto& row : rows) {
        TPlot3Win win(QStringLiteral("noname1.qz3"));
        win.SetUseDefaults(true);
        OpenAndPaste(win, row.script);
        TRiem3Dlg& d = Integral(win, row.mode);
        Type(d, row.fields);
        ASSERT_EQ(d.CmValue(), 0) << row.name;
        const examples::TExample& e = win.Inventory()[0];
        ASSERT_EQ(e.markedPoints.size(), 1u) << row.name;
        const examples::TMarkedPoint& entry = e.markedPoints.front();
        EXPECT_NEAR(entry.values[0], row.value, row.tolerance) << row.name;
        EXPECT_EQ(d.GetText(TRiem3Dlg::kResult),
                  QString::fromStdString(win.FormatNum(entry.values[0])))
            << row.name;
        EXPECT_EQ(entry.code, row.mode == Riem3Mode::SurfaceArea ? 56 : 54) << row.name;
        long double a = 0, b = 0, c = 0;
        ASSERT_EQ(win.ReadNumber(row.fields[0], a), 0);
        ASSERT_EQ(win.ReadNumber(row.fields[1], b), 0);
        ASSERT_EQ(win.ReadNumber(row.fields[3], c), 0);
        EXPECT_EQ(entry.values[1], a) << row.name;
        EXPECT_EQ(entry.values[2], b) << row.name;
        EXPECT_EQ(entry.values[3], c) << row.name;
        EXPECT_EQ(entry.label, std::string(row.fields[2]) + "x" + row.fields[5] +
                                   (row.mode == Riem3Mode::SurfaceArea ? " area" : " integration"))
            << row.name;
        CloseUnsaved(win);
    }
}

TEST_F(PlotRToolsTest, FieldErrorsAreShownAndNothingIsComputedOrRecorded) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x*y;0;1;0;1;\r\n");
    TRiem3Dlg& d = Integral(win, Riem3Mode::DoubleIntegral);
    long double unused = 0;
    const int parserError = win.ReadNumber("1+", unused);
    const struct {
        const char* name;
        std::array<const char*, 6> fields;
        int error;
    } rows[] = {
        {"equal ends", {"1", "1", "4", "0", "1", "4"}, 6},
        {"equal large ends", {"1e5", "1e5", "4", "0", "1", "4"}, 6},
        {"inverted second ends", {"0", "1", "4", "2", "1", "4"}, 6},
        {"no divisions", {"0", "1", "0", "0", "1", "4"}, 17},
        {"an unreadable end", {"0", "1+", "4", "0", "1", "4"}, parserError},
    };
    for (const auto& row : rows) {
        prompter.messages.clear();
        Type(d, row.fields);
        EXPECT_EQ(d.CmValue(), row.error) << row.name;
        EXPECT_EQ(prompter.messages.size(), 1u) << row.name;
        EXPECT_TRUE(win.Inventory()[0].markedPoints.empty()) << row.name;
        EXPECT_EQ(d.GetText(TRiem3Dlg::kResult), QString()) << row.name;
    }
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, OneEntryPerValueAndNoneForQOrAnUndefinedIntegrand) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x*y;0;1;0;1;\r\n");
    TRiem3Dlg& d = Integral(win, Riem3Mode::DoubleIntegral);
    Type(d, {"0", "2", "3", "0", "1", "5"});
    ASSERT_EQ(d.Press(TRiem3Dlg::kValue), 0);
    d.Press(TRiem3Dlg::kValue);
    ASSERT_EQ(win.Inventory()[0].markedPoints.size(), 1u);
    EXPECT_NEAR(win.Inventory()[0].markedPoints.front().values[0], 1, 1e-18L);

    const struct {
        int code;
        std::size_t messages;
    } rows[] = {{81, 0}, {106, 1}};
    for (const auto& row : rows) {
        prompter.messages.clear();
        Type(d, {"0", "7", "3", "0", "1", "5"});
        d.SetText(TRiem3Dlg::kResult, QString());
        d.SetComputation([&row](Riem3Mode, int, const examples::TIntegrationAxis&,
                                const examples::TIntegrationAxis&, long double& out) {
            out = 123;
            return row.code;
        });
        EXPECT_EQ(d.CmValue(), row.code);
        EXPECT_EQ(prompter.messages.size(), row.messages) << row.code;
        EXPECT_EQ(d.GetText(TRiem3Dlg::kResult), QString()) << row.code;
        EXPECT_EQ(win.Inventory()[0].markedPoints.size(), 1u) << row.code;
    }
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, TheLabelsNameTheSelectedSurfacesVariables) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win,
                 "EXPL3;x*y;-1;2;-3;4;\r\nSURFCYL;r;0.5;1.5;0.25;3;\r\n"
                 "SURFPAR;t;u;t*u;-2;-1;5;6;\r\n");
    TRiem3Dlg& d = Integral(win, Riem3Mode::SurfaceArea);
    const struct {
        int example;
        std::array<const char*, 4> labels;
        std::array<long double, 4> ranges;
    } rows[] = {
        {2, {"t min", "t max", "u min", "u max"}, {-2, -1, 5, 6}},
        {1, {"r min", "r max", "t min", "t max"}, {0.5L, 1.5L, 0.25L, 3}},
        {0, {"x min", "x max", "y min", "y max"}, {-1, 2, -3, 4}},
    };
    const int labelIds[] = {13, 4, 6, 9};
    const int rangeIds[] = {211, 212, 214, 215};
    for (const auto& row : rows) {
        d.SelectExample(row.example);
        for (std::size_t n = 0; n < 4; ++n) {
            EXPECT_EQ(d.GetText(labelIds[n]), QString::fromLatin1(row.labels[n])) << row.example;
            EXPECT_EQ(d.GetText(rangeIds[n]), QString::fromStdString(win.FormatNum(row.ranges[n])))
                << row.example;
        }
    }
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, AnInventoryChangeKeepsTheSelectedExampleAndTheTypedCounts) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x;0;1;0;1;\r\nEXPL3;y;2;3;4;5;\r\nEXPL3;x+y;6;7;8;9;\r\n");
    TRiem3Dlg& d = Integral(win, Riem3Mode::DoubleIntegral);
    d.SelectExample(2);
    Type(d, {"-50", "50", "7", "-60", "60", "9"});
    d.Press(TRiem3Dlg::kValue);
    ASSERT_FALSE(d.GetText(TRiem3Dlg::kResult).isEmpty());
    // A count typed anew: the value shown belonged to the old one.
    emit static_cast<QLineEdit*>(d.Control(216))->textEdited(QStringLiteral("9"));
    EXPECT_EQ(d.GetText(TRiem3Dlg::kResult), QString());
    d.Press(TRiem3Dlg::kValue);
    ASSERT_FALSE(d.GetText(TRiem3Dlg::kResult).isEmpty());
    // The example before the selected one goes: the same surface stays selected, its ranges
    // shown again, the counts as typed, the value (of another list) gone.
    win.DeleteExamples(std::vector<int>{1});
    win.InventoryChanged(0);
    EXPECT_EQ(d.SelectedExample(), 1);
    EXPECT_EQ(win.Inventory()[1].texts[2], "x+y");
    EXPECT_EQ(Field(d, 211), QString::fromStdString(win.FormatNum(6)));
    EXPECT_EQ(Field(d, 215), QString::fromStdString(win.FormatNum(9)));
    EXPECT_EQ(Field(d, 213), QStringLiteral("7"));
    EXPECT_EQ(Field(d, 216), QStringLiteral("9"));
    EXPECT_EQ(d.GetText(TRiem3Dlg::kResult), QString());
    // The selected example itself goes: the first is selected.
    win.DeleteExamples(std::vector<int>{1});
    win.InventoryChanged(0);
    EXPECT_EQ(d.SelectedExample(), 0);
    EXPECT_EQ(Field(d, 212), QString::fromStdString(win.FormatNum(1)));
    // Nothing left to list: nothing is computed, and "value" is off.
    win.DeleteExamples(std::vector<int>{0});
    win.InventoryChanged(0);
    EXPECT_EQ(d.SelectedExample(), -1);
    EXPECT_FALSE(d.IsControlEnabled(TRiem3Dlg::kValue));
    EXPECT_EQ(d.CmValue(), 15);
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, EachLauncherMakesItsToolOnceAndShowsItAgain) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x*y;0;1;0;1;\r\nSURFCYL;r;0;1;0;6;\r\n");
    const struct {
        const char* name;
        int command;
        std::function<platform::Dialog*()> kept;
    } rows[] = {
        {"integral", cmd::kIntegrateXY,
         [&] { return win.IntegralDialog(Riem3Mode::DoubleIntegral); }},
        {"area", cmd::kSurfaceArea, [&] { return win.IntegralDialog(Riem3Mode::SurfaceArea); }},
        {"polar", cmd::kIntegratePolar,
         [&] { return win.IntegralDialog(Riem3Mode::PolarIntegral); }},
        {"stereograms", cmd::kStereograms, [&] { return win.StereogramDialog(); }},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.kept(), nullptr) << row.name;
        ASSERT_TRUE(win.QueryCommand(row.command).enabled) << row.name;
        ASSERT_TRUE(win.SendCommand(row.command)) << row.name;
        platform::Dialog* first = row.kept();
        ASSERT_NE(first, nullptr) << row.name;
        first->SetText(211, QStringLiteral("17"));
        first->Press(platform::kIdCancel);  // "close" only hides it
        EXPECT_TRUE(first->IsHidden()) << row.name;
        ASSERT_TRUE(win.SendCommand(row.command));
        EXPECT_EQ(row.kept(), first) << row.name;
        EXPECT_FALSE(first->IsHidden()) << row.name;
        EXPECT_EQ(first->GetText(211), QStringLiteral("17")) << row.name;
    }
    EXPECT_EQ(win.AxisQuery(), 0);
    // The stereogram window likewise, shown again after it was hidden.
    win.ShowStereogramWindow();
    QPointer<TRDSWin> rds = win.StereogramWindow();
    ASSERT_NE(rds, nullptr);
    rds->HideWindow();
    win.ShowStereogramWindow();
    EXPECT_EQ(win.StereogramWindow(), rds.data());
    EXPECT_FALSE(rds->platform::Window::IsHidden());
    EXPECT_EQ(rds->Caption(), QStringLiteral("stereogram"));
    // Its "Close" asks nothing; the next request makes it anew.
    prompter.messages.clear();
    ASSERT_TRUE(rds->SendCommand(cmd::kClose));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(rds.isNull());
    EXPECT_EQ(win.StereogramWindow(), nullptr);
    win.ShowStereogramWindow();
    rds = win.StereogramWindow();
    ASSERT_NE(rds, nullptr);
    // Closing the 3D window closes it.
    CloseUnsaved(win);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(rds.isNull());
}

TEST_F(PlotRToolsTest, TheStereogramToolsFollowTheParentsExamples) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x*y;-1;1;-1;1;\r\nPARAM3;t;t;t;0;1;\r\nSURFCYL;r;0;1;0;6;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kStereograms));
    TRDSDlg& d = *win.StereogramDialog();
    EXPECT_EQ(d.Listed(), (std::vector<int>{0, 2}));
    d.SelectExample(2, true);
    ASSERT_EQ(d.CmDraw(), 0);
    EXPECT_EQ(win.Inventory()[0].StereogramFlag(), 0);
    EXPECT_EQ(win.Inventory()[2].StereogramFlag(), 1);
    TRDSWin& rds = *win.StereogramWindow();
    EXPECT_TRUE(rds.SharesInventory());
    EXPECT_EQ(&rds.Inventory(), &win.Inventory());
    // The parent adds an example and deletes one: the dialog and the window see it at once,
    // and the selection stays with its surface.
    clipboard.SetText(QStringLiteral("EXPL3;x+y;-1;1;-1;1;\r\n"));
    ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
    EXPECT_EQ(d.Listed(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(rds.Inventory().LastIndex(), 3);
    win.DeleteExamples(std::vector<int>{0});
    win.InventoryChanged(0);
    EXPECT_EQ(d.Listed(), (std::vector<int>{1, 2}));
    EXPECT_EQ(rds.Inventory().LastIndex(), 2);
    prompter.messages.clear();
    ASSERT_EQ(d.CmDraw(), 0);
    EXPECT_EQ(win.Inventory()[1].StereogramFlag(), 1);
    EXPECT_EQ(win.Inventory()[2].StereogramFlag(), 0);
    // Settings out of bounds, a depth too small and no selection are refused.
    const struct {
        const char* density;
        const char* depth;
        bool deselect;
        int error;
    } rows[] = {{"0", "1", false, 17},
                {"100", "1", false, 17},
                {"50", "1e-14", false, 14},
                {"50", "1", true, 15}};
    for (const auto& row : rows) {
        d.SetText(TRDSDlg::kDensity, QString::fromLatin1(row.density));
        d.SetText(TRDSDlg::kDepth, QString::fromLatin1(row.depth));
        if (row.deselect) d.SelectExample(1, false);
        EXPECT_EQ(d.CmDraw(), row.error) << row.density << " " << row.depth;
    }
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, TheStereogramWindowEvaluatesTheSharedExamplesAndLeavesThemAlone) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    win.SizeChanged(401, 301);
    win.Create();
    ASSERT_EQ(win.Formulas().DefineUserFunction("HUMP", "X*X", 1), userfn::kDone);
    clipboard.SetText(QStringLiteral("EXPL3;hump(x)+y;-1;1;-1;1;\r\n"));
    ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
    win.ShowStereogramWindow();
    TRDSWin& rds = *win.StereogramWindow();
    examples::TExample& surface = win.Inventory()[0];
    const TExprNode* tree = surface.Tree(3).get();
    ASSERT_NE(tree, nullptr);
    // The parent's function, inlined in the shared tree, evaluates in the window's formulas.
    TExampleHeight height(rds.Formulas(), surface);
    long double z = 0;
    ASSERT_TRUE(height.Height(3, 0.5L, z));
    EXPECT_EQ(z, 9.5L);
    // The window neither resizes, compiles, clears nor replaces what it shares.
    const int capacity = win.Inventory().Capacity();
    EXPECT_FALSE(rds.ResizeInventory(capacity + 10, true));
    rds.CompileExample(0);
    rds.ResetWindow();
    EXPECT_EQ(win.Inventory().Capacity(), capacity);
    EXPECT_EQ(rds.Inventory().LastIndex(), 0);
    EXPECT_EQ(win.Inventory()[0].Tree(3).get(), tree);
    EXPECT_EQ(win.Inventory()[0].texts[2], "hump(x)+y");
    CloseUnsaved(win);
}

TEST_F(PlotRToolsTest, AUserIntegratesAndDrawsAStereogramThroughTheMenus) {
    TPlotFrame frame(registry, {});
    frame.Create();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    TPlot3Win* win = Active(frame);
    ASSERT_NE(win, nullptr);
    clipboard.SetText(QStringLiteral("EXPL3;sin(x)*cos(y);-3;3;-2;2;\r\n"));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kPasteScript));
    for (const int command : {cmd::kIntegrateXY, cmd::kSurfaceArea, cmd::kStereograms})
        EXPECT_TRUE(frame.QueryCommand(command).enabled) << command;

    ASSERT_TRUE(frame.DispatchCommand(cmd::kIntegrateXY));
    TRiem3Dlg& integral = *win->IntegralDialog(Riem3Mode::DoubleIntegral);
    integral.SetText(TRiem3Dlg::kFirstLow, QStringLiteral("0"));
    integral.SetText(TRiem3Dlg::kFirstHigh, QStringLiteral("pi/2"));
    integral.SetText(TRiem3Dlg::kSecondHigh, QStringLiteral("pi/2"));
    integral.SetText(TRiem3Dlg::kSecondLow, QStringLiteral("0"));
    integral.Press(TRiem3Dlg::kValue);
    EXPECT_EQ(integral.GetText(TRiem3Dlg::kResult), QString::fromStdString(win->FormatNum(1)));

    ASSERT_TRUE(frame.DispatchCommand(cmd::kStereograms));
    TRDSDlg& dialog = *win->StereogramDialog();
    dialog.Press(TRDSDlg::kDraw);  // the one surface is selected by itself
    TRDSWin* rds = win->StereogramWindow();
    ASSERT_NE(rds, nullptr);
    rds->SizeChanged(400, 300);
    rds->RenderImage(ImageLayer::Picture);
    const QImage& image = rds->Image(ImageLayer::Picture);
    const QRgb dot = rds->OutputColor(rds->DrawColor(win->Inventory()[0].pen.colour)).rgb();
    int dots = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dots += image.pixel(x, y) == dot ? 1 : 0;
    // About 60 % of the starts of 149 rows of 25 columns, each repeated across the picture.
    EXPECT_GT(dots, 149 * 25 * 6 / 10 * 4);
    EXPECT_EQ(rds->Geometry().columns, 200);
    EXPECT_EQ(rds->Geometry().rows, 148);
    EXPECT_FALSE(rds->QueryCommand(cmd::kExportPicTeX).enabled);

    dialogs.fileAnswers.push_back(dir.filePath("rds.svg"));
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
        ASSERT_TRUE(rds->SendCommand(cmd::kExportSvg));
    }
    dialogs.fileAnswers.push_back(dir.filePath("rds.eps"));
    prompter.AnswerInput(QStringLiteral("1"));
    ASSERT_TRUE(rds->SendCommand(cmd::kExportEps));
    const std::string svg = quorlin::testing::ReadAll(dir.filePath("rds.svg"));
    const std::string eps = quorlin::testing::ReadAll(dir.filePath("rds.eps"));
    // Squares of two units even with dot size 1.
    EXPECT_GT(quorlin::testing::Occurrences(svg, "width=\"2\""), 1000u);
    EXPECT_GT(eps.size(), 20000u);
    if (quorlin::testing::HaveProgram("xmllint"))
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "xmllint", {"--noout", "rds.svg"}), "xmllint");
    if (quorlin::testing::HaveProgram("gs")) {
        const quorlin::testing::ReaderRun run =
            quorlin::testing::RunReader(dir.path(), "gs",
                                        {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=png16m",
                                         "-sOutputFile=eps.png", "rds.eps"});
        quorlin::testing::ExpectAccepted(run, "gs");
        EXPECT_GT(quorlin::testing::InkedPixels(QImage(dir.filePath("eps.png"))), 5000);
    }
    win->ClearModified();
}

// The stereogram asks its key poll after every row (put in here with no pacing): Q at the n-th
// question ends the drawing there with 81; without Q each row is asked once.
TEST_F(PlotRToolsTest, QStopsTheStereogramAtThePollThatAnswersIt) {
    TPlot3Win win(QStringLiteral("noname1.qz3"));
    win.SetUseDefaults(true);
    OpenAndPaste(win, "EXPL3;x*y;-1;1;-1;1;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kStereograms));
    win.StereogramDialog()->Press(TRDSDlg::kDraw);
    TRDSWin& rds = *win.StereogramWindow();
    rds.SizeChanged(400, 300);
    rds.RenderImage(ImageLayer::Picture);
    const int rows = rds.Geometry().rows + 1;
    ASSERT_GT(rows, 60);
    for (const int stopAt : {0, 1, 7, 60}) {
        int asked = 0;
        rds.SetKeyPoll(
            [&asked, stopAt] {
                ++asked;
                return asked == stopAt ? kKeyStop : 0;
            },
            std::chrono::steady_clock::duration::zero());
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        EXPECT_EQ(rds.DrawAll(dc), stopAt > 0 ? kKeyStop : 0) << stopAt;
        EXPECT_EQ(asked, stopAt > 0 ? stopAt : rows) << stopAt;
    }
    rds.SetKeyPoll({});
    CloseUnsaved(win);
}

}  // namespace
}  // namespace quorlin::plot3d
