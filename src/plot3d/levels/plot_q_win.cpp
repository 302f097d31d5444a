#include "plot3d/levels/plot_q_win.h"

#include <numbers>

#include "plot3d/intersections/intersection_trees.h"
#include "resources/command_ids.h"
#include "shell/ini_file.h"

namespace quorlin::plot3d {

namespace {

constexpr int kProjectedPair = 7;

}  // namespace

TPlotQWin::TPlotQWin(QString fileName, QString iniName, std::string_view menu, QWidget* parent)
    : TPlot111Win(kPlot3DFileKind, std::move(fileName), std::move(iniName), 3, parent) {
    SetMenuName(menu);
    SetAcceleratorName("PLOT3MENU");
    // The title until the first caption update names the program's 3D window and version.
    SetCaption(QStringLiteral("quorlin3 v.") + QString::number(Version()));
    PointMapping().plottedPair = kProjectedPair;
    Observer().eye = kDefaultEye;
    Observer().savedEye = kDefaultEye;
    Observer().boxEye = kDefaultEye;
    // The "Colors" items: command 200 + k edits colour role k.
    HandleCommands(resources::cmd::kColorRoleBase,
                   resources::cmd::kColorRoleBase + ColorRoles::kRoles - 1,
                   [this](int id) { ChooseColor(id - resources::cmd::kColorRoleBase); });
}

void TPlotQWin::Paint(QPainter& painter, const QRect& dirty) {
    TPlot111Win::Paint(painter, dirty);
    if (!IsKeyHintShown() && Caption() != NormalCaption()) UpdateCaption();
}

void TPlotQWin::CollectIniSettings() {
    TIni3DSettings& s = ini_;
    std::array<int, 4> colours{};
    if (examples::TTrajectoryTools* tools = TrajectoryTools()) {
        for (int k = 0; k < 4; ++k)
            colours[static_cast<std::size_t>(k)] = tools->TimeWindowBackground(k);
    }
    s.timeWindowColours = PackTimeWindowColours(colours);
    s.mouseMode = MouseMode();
    s.dotSize = Options().dotSize;
    s.decimalPlaces = Format().places;
    s.fieldWidth = Format().width;
    s.solidArrowheads = Figure().solidArrowheads;
    s.metafileOption = HighResolution();
    s.axisLabels = Scene().axisLabels;
    s.arrows = Scene().arrows;
    s.parametricsObscure = Scene().parametricsObscure;
    s.sightSamples = Scene().checksPerPoint;
    s.slides = Scene().count3D;
    s.stereoDensity = Stereogram().density;
    s.stereoStrips = Stereogram().strips;
    s.stereoDotSize = Stereogram().dotSize;
    s.stereoDepth = Stereogram().depth;
    s.arrowLength = scene3d_.arrowLength;
    s.watchDelay = Tracer().watchDelay > 0 ? Tracer().watchDelay : s.watchDelay;
    s.abruptAngles = Tracer().abruptAngles;
    s.axesShown = Axes().axesShown || scene3d_.pendingAxes;
    s.eye = Observer().eye;
    s.angleStep = Observer().angleStep;
    s.scrollSteps = static_cast<int>(SliderSteps().steps[0]);
    s.scrollPage = static_cast<int>(SliderSteps().pageSteps[0]);
}

void TPlotQWin::ApplyIniSettings() {
    if (!iniRead_ || !IniWasRead()) return;
    ini_ = iniRead_->settings;
    const TIni3DSettings& s = ini_;
    SetMouseMode(StartMouseMode(s.mouseMode));
    Options().dotSize = static_cast<std::int16_t>(s.dotSize);
    Format().places = s.decimalPlaces;
    Format().width = s.fieldWidth;
    Figure().solidArrowheads = s.solidArrowheads;
    SetHighResolution(s.metafileOption);
    Scene().axisLabels = s.axisLabels;
    Scene().arrows = s.arrows;
    Scene().parametricsObscure = s.parametricsObscure;
    if (s.sightSamples > 0) {
        Scene().checksPerPoint = static_cast<std::int16_t>(s.sightSamples);
        Scene().checksReciprocal = 1.0L / s.sightSamples;
    }
    Scene().count3D = static_cast<std::int16_t>(s.slides);
    Stereogram() = {static_cast<std::int16_t>(s.stereoDensity),
                    static_cast<std::int16_t>(s.stereoStrips),
                    static_cast<std::int16_t>(s.stereoDotSize), s.stereoDepth};
    scene3d_.arrowLength = s.arrowLength;
    Tracer().watchDelay = s.watchDelay;
    Tracer().abruptAngles = s.abruptAngles;
    scene3d_.pendingAxes = iniRead_->pendingAxes;
    Observer().eye = s.eye;
    MoveEyeOffVertical(Observer(), SceneBox());
    if (s.angleStep > 0) Observer().angleStep = s.angleStep;
    for (std::size_t k = 0; k < SliderSteps().steps.size(); ++k) {
        SliderSteps().steps[k] = static_cast<std::uint32_t>(s.scrollSteps);
        SliderSteps().pageSteps[k] = static_cast<std::uint32_t>(s.scrollPage);
    }
}

void TPlotQWin::StoreIni(IniRecord& record) const {
    TPlot111Win::StoreIni(record);
    StoreIni3D(ini_, record.ints, record.numbers);
}

void TPlotQWin::LoadIni(const IniRecord& record) {
    TPlot111Win::LoadIni(record);
    iniRead_ = LoadIni3D(record.ints, record.numbers, ini_);
}

void TPlotQWin::ShowPendingAxes() {
    if (!scene3d_.pendingAxes) return;
    scene3d_.pendingAxes = false;
    Axes().axesShown = true;
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    UpdateMenuChecks(false);
}

void TPlotQWin::ResetWindow() {
    TPlot111Win::ResetWindow();
    FreePictures();
    SetView(0, 0, 5, 5, false);
    RecomputeView();
    Formulas().SetVar(slot::kE, std::numbers::e_v<long double>);
    UpdateMenuChecks(true);
}

std::optional<Vec3> TPlotQWin::TracedPointInSpace(int i, Vec3 traced) {
    if (!Inventory().IsIndex(i) || Inventory()[i].kind != examples::kind::kSurfaceIntersection)
        return traced;
    return IntersectionPointInSpace(Formulas(), Inventory()[i], traced);
}

}  // namespace quorlin::plot3d
