// The solids of a 2D window as a user reaches them in the running program, with the analysis
// tools and the solid windows installed as the program installs them: y = x and y = 0 from the
// Equa menu, "Sections ..." with squares over [0, 1] and "see solid", whose "sections.qz3" holds
// the floor, the walls and the top where the closed form puts them (their trees evaluated, and
// ink at their projections on the window's picture), "Revolve surface ..." adding a surface of
// revolution to "surfrev.qz3", both 3D windows exported as SVG that xmllint reads, and both
// ending with the 2D window.
#include <QCoreApplication>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/frame_window.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"
#include "shell/window_kinds.h"
#include "support/file_readers.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using tools2d::TSectionDlg;
using tools2d::TSurfDlg;

struct SolidsFrame {
    SolidsFrame() {
        tools2d::InstallAnalysisTools();
        plot3d::InstallSolidWindows();
        kinds.Register(WindowKind::Plot2D, plot2d::CreatePlot2Window);
        frame.Create();
    }
    ~SolidsFrame() { examples::SetSolidWindowMaker({}); }
    WindowKindRegistry kinds;
    TPlotFrame frame{kinds, {}};
};

void NewExplicit(TPlotFrame& frame, const QString& f) {
    platform::ScopedDialogRunner runner([f](platform::Dialog& d) {
        d.SetText(212, f);
        return d.Press(1);
    });
    ASSERT_TRUE(frame.DispatchCommand(cmd::kNewExplicit2D));
}

// The SVG export of a 3D window from the File menu of its own frame, read by xmllint.
void ExportSvg(plot3d::TPlotSWin& space, platform::ScriptedCommonDialogs& dialogs,
               const QTemporaryDir& dir, const QString& name) {
    dialogs.fileAnswers.push_back(dir.filePath(name));
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) { return d.Press(1); });
        ASSERT_NE(space.HostFrame(), nullptr);
        ASSERT_TRUE(space.HostFrame()->DispatchCommand(cmd::kExportSvg));
    }
    const std::string svg = quorlin::testing::ReadAll(dir.filePath(name));
    EXPECT_NE(svg.find("<polygon"), std::string::npos) << name.toStdString();
    if (quorlin::testing::HaveProgram("xmllint"))
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "xmllint", {"--noout", name}), "xmllint");
}

// The points of the square solid on y = x, y = 0 over [0, 1]: surface k at (t, u).
Vec3 SquareSolidAt(int k, long double t, long double u) {
    switch (k) {
        case 0:  // the floor
            return {u, t * u, 0};
        case 1:  // the wall on g
            return {u, 0, t * u};
        case 2:  // the wall on f
            return {u, u, t * u};
        default:  // the top
            return {u, t * u, u};
    }
}

// The four surfaces of the square solid evaluated where the closed form puts them, and ink on
// the window's picture where the grid lines of the top, the wall on f and the floor stand.
void ExpectTheSquareSolid(plot3d::TPlotSWin& solid) {
    ASSERT_EQ(solid.Inventory().Count(), 4);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(solid.Inventory()[s].kind, k::kParametricSurface);
        for (const auto& [t, u] : {std::pair{0.25L, 0.5L}, std::pair{1.0L, 0.75L}}) {
            Vec3 p;
            ASSERT_TRUE(solid.EvalEntryPoint(s, p, t, u));
            const Vec3 want = SquareSolidAt(s, t, u);
            EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(want.x), 1e-15) << s;
            EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(want.y), 1e-15) << s;
            EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(want.z), 1e-15) << s;
        }
    }
    // Ink where the grid lines of the top and of the wall on f stand (x = 0.8 is one of the 40
    // strips' lines).
    solid.SizeChanged(401, 301);
    solid.InvalidateImage(ImageLayer::Background);
    solid.RenderImage(ImageLayer::Picture);
    const QImage& image = solid.Image(ImageLayer::Picture);
    const QRgb background = solid.OutputColor(solid.Roles().Role(0)).rgb();
    const auto inked = [&](Vec3 p) {
        const auto pixel = solid.ProjectToPixel(p);
        EXPECT_TRUE(pixel.has_value());
        int found = 0;
        for (int dy = -1; pixel && dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q = *pixel + QPoint(dx, dy);
                found += image.rect().contains(q) && image.pixel(q) != background ? 1 : 0;
            }
        return found > 0;
    };
    EXPECT_TRUE(inked(SquareSolidAt(3, 0.5L, 0.8L)));
    EXPECT_TRUE(inked(SquareSolidAt(2, 0.5L, 0.8L)));
    EXPECT_TRUE(inked(SquareSolidAt(0, 0.5L, 0.8L)));
}

TEST(SolidsRoadTest, ASquareSolidAndASurfaceOfRevolutionInTheirWindows) {
    platform::ScriptedPrompter prompter;
    platform::ScriptedCommonDialogs dialogs;
    const platform::ScopedCommonDialogs installed(dialogs);
    QTemporaryDir dir;
    SolidsFrame user;
    TPlotFrame& frame = user.frame;
    EXPECT_FALSE(frame.QueryCommand(cmd::kSections).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow2D));
    auto* win = dynamic_cast<plot2d::TPlot2Win*>(frame.ActiveChild());
    ASSERT_NE(win, nullptr);
    win->SizeChanged(401, 401);
    NewExplicit(frame, QStringLiteral("x"));
    NewExplicit(frame, QStringLiteral("0"));
    ASSERT_EQ(win->Inventory().Count(), 2);

    // "Sections ...": squares between y = x and y = 0 over [0, 1].
    ASSERT_TRUE(frame.QueryCommand(cmd::kSections).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kSections));
    auto& tools = dynamic_cast<tools2d::TWindowAnalysisTools&>(*win->AnalysisTools());
    TSectionDlg& sections = *tools.Solids().Sections();
    sections.SelectPosition(0);
    sections.ChooseSecond(1);
    sections.SetText(TSectionDlg::kLow, QStringLiteral("0"));
    sections.SetText(TSectionDlg::kHigh, QStringLiteral("1"));
    sections.Press(TSectionDlg::kVolume);
    EXPECT_EQ(sections.GetText(TSectionDlg::kResult),
              QString::fromStdString(win->Format().FormatNum(1.0L / 3)));
    sections.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    ASSERT_NE(tools.Solids().SectionWindow(), nullptr);
    QPointer<plot3d::TPlotSWin> solid =
        dynamic_cast<plot3d::TPlotSWin*>(&tools.Solids().SectionWindow()->Levels());
    ASSERT_TRUE(solid);
    EXPECT_EQ(solid->Caption(), QStringLiteral("sections.qz3"));
    EXPECT_FALSE(solid->platform::Window::IsHidden());
    ExpectTheSquareSolid(*solid);
    ExportSvg(*solid, dialogs, dir, QStringLiteral("sections.svg"));
    prompter.messages.clear();  // "SVG file saved"

    // "Revolve surface ...": y = x about the x-axis.
    ASSERT_TRUE(frame.QueryCommand(cmd::kSurfaceOfRevolution).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kSurfaceOfRevolution));
    TSurfDlg& revolve = *tools.Solids().Surfaces();
    revolve.SelectPosition(0);
    revolve.Press(TSurfDlg::kSeeSurface);
    ASSERT_TRUE(prompter.messages.empty())
        << prompter.messages.front().caption.toStdString() << "|"
        << prompter.messages.front().text.toStdString() << "|" << prompter.messages.size();
    ASSERT_NE(tools.Solids().SurfaceWindow(), nullptr);
    QPointer<plot3d::TPlotSWin> surfaces =
        dynamic_cast<plot3d::TPlotSWin*>(&tools.Solids().SurfaceWindow()->Levels());
    ASSERT_TRUE(surfaces);
    EXPECT_EQ(surfaces->Caption(), QStringLiteral("surfrev.qz3"));
    ASSERT_EQ(surfaces->Inventory().Count(), 1);
    EXPECT_EQ(surfaces->Inventory()[0].kind, k::kRevolution);
    EXPECT_EQ(surfaces->Inventory()[0].subKind, k::kExplicit);
    ExportSvg(*surfaces, dialogs, dir, QStringLiteral("surfrev.svg"));

    // Closing the 2D window ends both.
    win->ClearModified();
    ASSERT_TRUE(win->CloseWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(solid);
    EXPECT_FALSE(surfaces);
}

}  // namespace
}  // namespace quorlin
