// A user's road through the menus of the running program: a 2D window from the frame, y' = y
// from "dy/dx ..." and its trajectory from (0, 1) by "1. dy/dx trajectory ..." "draw", which lies
// along e^x on the window's picture and in an SVG export; y = x^2 shaded above by "Shade
// explicit inequalities ..."; the unit disc made an inequality and its centroid thrown for by
// "Shade implicit inequalities ...".
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "core/random.h"
#include "dynamics/ivp_dialogs.h"
#include "dynamics/window_tools.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "shell/plot_frame.h"
#include "shell/window_kinds.h"
#include "support/curve_pixels.h"
#include "support/file_readers.h"
#include "tools2d/analysis_tool_set.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::InkNear;
using quorlin::testing::ShareInked;

constexpr int kSlopeEdit = 213;
constexpr int kEquationEdit = 218;
constexpr int kExplicitEdit = 212;

int ColourDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

class RegionsRoadTest : public ::testing::Test {
protected:
    RegionsRoadTest() : kinds(Kinds()), frame(kinds, {}) {
        InstallAnalysisTools();
        dynamics::InstallTrajectoryTools();
        platform::SetCommonDialogs(&dialogs);
        frame.Create();
        EXPECT_TRUE(frame.DispatchCommand(cmd::kWindow2D));
        win = dynamic_cast<plot2d::TPlot2Win*>(frame.ActiveChild());
        EXPECT_NE(win, nullptr);
        if (win) win->SizeChanged(401, 401);
    }
    ~RegionsRoadTest() override {
        platform::SetCommonDialogs(nullptr);
        SetRandomSource({});
    }
    static WindowKindRegistry Kinds() {
        WindowKindRegistry kinds;
        kinds.Register(WindowKind::Plot2D, plot2d::CreatePlot2Window);
        return kinds;
    }
    // A new example from its menu command, its formula typed in its field.
    void NewExample(int command, int field, const char* formula) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            d.SetText(field, QString::fromLatin1(formula));
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(frame.QueryCommand(command).enabled) << command;
        ASSERT_TRUE(frame.DispatchCommand(command)) << command;
    }
    const QImage& Picture() {
        win->InvalidateImage(ImageLayer::Background);
        win->RenderImage(ImageLayer::Picture);
        return win->Image(ImageLayer::Picture);
    }
    QRgb Colour(int index) const { return win->OutputColor(win->DrawColor(index)).rgb(); }
    // Pixels of the colour in the world box [x0, x1] x [y0, y1].
    int Count(const QImage& image, QRgb colour, long double x0, long double x1, long double y0,
              long double y1) const {
        int n = 0;
        for (int px = win->XToScreen(x0); px <= win->XToScreen(x1); ++px)
            for (int py = win->YToScreen(y1); py <= win->YToScreen(y0); ++py)
                n += image.valid(px, py) && image.pixel(px, py) == colour ? 1 : 0;
        return n;
    }

    platform::ScriptedPrompter prompter;
    platform::ScriptedCommonDialogs dialogs;
    QTemporaryDir dir;
    WindowKindRegistry kinds;  // the frame keeps it
    TPlotFrame frame;
    plot2d::TPlot2Win* win = nullptr;
};

TEST_F(RegionsRoadTest, ASolutionCurveShadingsAndACentroidAsAUser) {
    ASSERT_NE(win, nullptr);
    // y' = y, and its trajectory from (0, 1) by Runge-Kutta steps of 0.01.
    NewExample(cmd::kNewExampleOffset + 211, kSlopeEdit, "y");
    ASSERT_TRUE(frame.DispatchCommand(cmd::kIvp11));
    auto& trajectories = dynamic_cast<dynamics::TWindowTrajectoryTools&>(*win->TrajectoryTools());
    dynamics::TIvpDlg& ivp = *trajectories.Dialog(11);
    ivp.SetText(dynamics::ivp::kStartX, resources::ControlKind::Edit, QStringLiteral("0"));
    ivp.SetText(dynamics::ivp::kStartY, resources::ControlKind::Edit, QStringLiteral("1"));
    ivp.SetText(dynamics::ivp::kStep, resources::ControlKind::Edit, QStringLiteral("0.01"));
    ivp.Press(dynamics::ivp::kRungeKutta);
    ivp.Press(dynamics::ivp::kDraw);
    ASSERT_EQ(win->Inventory()[0].trajectories.size(), 1u);
    EXPECT_EQ(win->MouseMode(), cmd::kMouseTrajectories);
    const QRgb path = Colour(win->Inventory()[0].trajectories.front().pen.colour);
    const auto exponential = [](long double x) { return std::pair(x, std::exp(x)); };
    EXPECT_GT(ShareInked(*win, Picture(), path, 0, std::log(4.9L), 100, exponential), 0.97);

    // ... and in an SVG export, drawn as the reader of SVG files sees it.
    dialogs.fileAnswers.push_back(dir.filePath("ivp.svg"));
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& export_) {
            export_.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
            return export_.Press(platform::kIdOk);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kExportSvg));
    }
    QSvgRenderer svg(dir.filePath("ivp.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage drawn(401, 401, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        svg.render(&painter);
    }
    // The renderer smooths the edges of lines: a pixel near the path's colour counts.
    const auto nearPath = [&](long double x) {
        const int px = win->XToScreen(x), py = win->YToScreen(std::exp(x));
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (drawn.valid(px + dx, py + dy) &&
                    ColourDistance(drawn.pixel(px + dx, py + dy), path) < 100)
                    return true;
        return false;
    };
    int near = 0;
    for (int k = 0; k < 100; ++k) near += nearPath(std::log(4.9L) * k / 99) ? 1 : 0;
    EXPECT_GT(near, 90);
    EXPECT_FALSE(nearPath(-0.5L));  // nothing runs left of the start
    EXPECT_NE(quorlin::testing::ReadAll(dir.filePath("ivp.svg")).find(canvas::ColorToHex(path)),
              std::string::npos);

    // y = x^2 shaded above: the shading's colour above the curve, none below it.
    NewExample(cmd::kNewExplicit2D, kExplicitEdit, "x^2");
    win->Roles().SetRole(plot2d::kShadingColourRole, 40);
    ASSERT_TRUE(frame.QueryCommand(cmd::kShadeExplicit).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kShadeExplicit));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools());
    TShadeDlg& shade = *tools.Shade();
    EXPECT_EQ(shade.SelectedExample(), 1);
    shade.Press(TShadeDlg::kShadeButton);
    ASSERT_EQ(win->State2D().shades.size(), 1u);
    const QImage& shaded = Picture();
    const QRgb hatch = Colour(40);
    EXPECT_GT(Count(shaded, hatch, -1.5L, -0.5L, 2.5L, 4.5L), 20);
    EXPECT_GT(Count(shaded, hatch, 0.3L, 0.5L, 1, 4.5L), 5);
    EXPECT_EQ(Count(shaded, hatch, -1.5L, 1.5L, -4.5L, -0.1L), 0);
    EXPECT_EQ(Count(shaded, hatch, 1.95L, 2.05L, -4.5L, 3.7L), 0);  // below (2, 4)

    // The unit disc as "<", its centroid thrown for and shown, the hits drawn.
    NewExample(cmd::kNewExampleOffset + 204, kEquationEdit, "x^2+y^2=1");
    win->Roles().SetRole(plot2d::kRegionColourRole, 45);
    ASSERT_TRUE(frame.QueryCommand(cmd::kShadeImplicit).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kShadeImplicit));
    TCentroidDlg& regions = *tools.Centroid();
    regions.Press(TCentroidDlg::kToLess);
    regions.Press(TCentroidDlg::kCentroid);
    regions.Press(TCentroidDlg::kSeeDarts);
    regions.SetText(TCentroidDlg::kDartsEdit, QStringLiteral("20000"));
    SeedRandom(3);
    regions.Press(TCentroidDlg::kThrow);
    ASSERT_TRUE(regions.Centroid());
    EXPECT_NEAR(static_cast<double>(regions.Centroid()->x), 0, 0.03);
    EXPECT_NEAR(static_cast<double>(regions.Centroid()->y), 0, 0.03);
    EXPECT_TRUE(regions.GetText(TCentroidDlg::kResult).startsWith(QStringLiteral("x = ")));
    const QRgb darts = Colour(win->Inventory()[2].listing);
    const QImage& thrown = Picture();
    EXPECT_GT(Count(thrown, darts, -0.6L, 0.6L, -0.6L, 0.6L), 100);
    EXPECT_EQ(Count(thrown, darts, 2, 4, -4, -2), 0);
    // The one box: the export's word that the file was written.
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_FALSE(prompter.messages[0].error);
}

}  // namespace
}  // namespace quorlin::tools2d
