// Menu bars and accelerator tables of the main frame and of the graphing windows.
//
// A menu item shows its shortcut after a tab; the accelerator table of the same name binds it,
// and the tests hold the two together. Blocks that several windows share are written once and
// joined into each menu bar at compile time.
#include <array>

#include "resources/command_ids.h"
#include "resources/join.h"
#include "resources/menu_tables.h"

namespace quorlin::resources::detail {
namespace {

using resources::AcceleratorTable;
using resources::AcceleratorTemplate;
using resources::MenuItemTemplate;
using resources::MenuTemplate;
using Kind = MenuItemTemplate::Kind;

constexpr MenuItemTemplate Popup(std::string_view text) {
    return {Kind::Popup, text, 0};
}
constexpr MenuItemTemplate End() {
    return {Kind::EndPopup, {}, 0};
}
constexpr MenuItemTemplate Sep() {
    return {Kind::Separator, {}, 0};
}
constexpr MenuItemTemplate Item(std::string_view text, int id) {
    return {Kind::Command, text, id};
}
constexpr int NewExample(int kind) {
    return kind + cmd::kNewExampleOffset;
}

using build::Join;

// ---- Main frame, before any graphing window is open.

constexpr auto kFrameFile = std::to_array<MenuItemTemplate>({
    Popup("&File"),
    Item("&Open ...\tCtrl+O", cmd::kFrameOpen),
    Item("Open &last", cmd::kFrameOpenLast),
    Item("&Use defaults for child windows", cmd::kUseDefaults),
    Sep(),
    Item("E&xit", cmd::kFrameExit),
    End(),
});

// The frame's Window menu; the graphing windows carry it too, so a new window can be opened and
// the windows arranged while one of them is active.
constexpr auto kWindowMenu = std::to_array<MenuItemTemplate>({
    Popup("&Window"),
    Item("&2-dim", cmd::kWindow2D),
    Item("&3-dim", cmd::kWindow3D),
    Item("&Guess", cmd::kWindowGuess),
    Popup("&Mapping"),
    Item("&xy-plane", cmd::kWindowMapXY),
    Item("&z-plane", cmd::kWindowMapZ),
    End(),
    Popup("&Logarithmic"),
    Item("log &x", cmd::kWindowLogX),
    Item("log &y", cmd::kWindowLogY),
    Item("log x, log y", cmd::kWindowLogXY),
    End(),
    Item("&Planets", cmd::kWindowPlanets),
    Sep(),
    Item("&Cascade", cmd::kWindowCascade),
    Item("&Tile", cmd::kWindowTile),
    Item("&Arrange icons", cmd::kWindowArrangeIcons),
    End(),
});

constexpr auto kFrameHelp = std::to_array<MenuItemTemplate>({
    Popup("&Help"),
    Item("&Help ...", cmd::kHelp),
    Item("&Tips ...", cmd::kHelpTips),
    Item("&About ...", cmd::kHelpAbout),
    End(),
});

constexpr auto kFrameMenu = Join(kFrameFile, kWindowMenu, kFrameHelp);

// ---- Blocks shared by the graphing windows.

constexpr auto kFileHead = std::to_array<MenuItemTemplate>({
    Popup("&File"),
    Item("&New", cmd::kFileNew),
    Item("&Open ...\tCtrl+O", cmd::kFileOpen),
    Item("&Save\tCtrl+S", cmd::kFileSave),
    Item("Save &as ...", cmd::kFileSaveAs),
    Sep(),
});

// Printing, clipboard and export items of every graphing window's File menu.
constexpr auto kPrintAndExport = std::to_array<MenuItemTemplate>({
    Item("&Print ...\tCtrl+P", cmd::kPrint),
    Item("&Format ...\tCtrl+Shift+P", cmd::kPrintFormat),
    Item("S&elect printer ...", cmd::kSelectPrinter),
    Sep(),
    Item("&Copy to clipboard\tCtrl+C", cmd::kCopyToClipboard),
    Item("&With back color", cmd::kWithBackColor),
    Item("High &resolution", cmd::kHighResolution),
    Popup("Export &graphics"),
    Item("&EPS ...", cmd::kExportEps),
    Item("&SVG ...", cmd::kExportSvg),
    Item("&PiCTeX ...", cmd::kExportPicTeX),
    Item("&Metafile ...", cmd::kMetafile),
    Item("&Image size ...", cmd::kImageSize),
    Item("&Bitmap to clipboard", cmd::kBitmapToClipboard),
    End(),
});

constexpr auto kEquaShared = std::to_array<MenuItemTemplate>({
    Item("Paste script", cmd::kPasteScript),
    Item("Inventory ...", cmd::kInventory),
    Item("Li&brary ...", cmd::kLibrary),
    Item("&User functions ...", cmd::kUserFunctions),
    Item("Si&ze of inventory ...", cmd::kInventorySize),
    Item("&Evaluate parameters", cmd::kEvaluateParameters),
    Sep(),
    Item("Points", cmd::kShowPoints),
    Item("Equations", cmd::kShowEquations),
    Item("&Home equations\tShift+Home", cmd::kHomeEquations),
    End(),
});

constexpr auto kZoom = std::to_array<MenuItemTemplate>({
    Popup("&Zoom"),
    Item("&In\tPgUp", cmd::kZoomIn),
    Item("&Out\tPgDown", cmd::kZoomOut),
    Item("&Factor ...", cmd::kZoomFactor),
    End(),
});

// The parameters and their sliders.
constexpr auto kAnimMenu = std::to_array<MenuItemTemplate>({
    Popup("&Anim"),
    Item("&Parameters A-W ...", cmd::kAllParameters),
    Popup("&Individual"),
    Item("&@ ...", cmd::kParamFirst),
    Item("&A ...", 601),
    Item("&B ...", 602),
    Item("&C ...", 603),
    Item("&D ...", 604),
    Item("&E ...", 605),
    Item("&F ...", 606),
    Item("&G ...", 607),
    Item("&H ...", 608),
    Item("&I ...", 609),
    Item("&J ...", 610),
    Item("&K ...", 611),
    Item("&L ...", 612),
    Item("&M ...", 613),
    Item("&N ...", 614),
    Item("&O ...", 615),
    Item("&P ...", 616),
    Item("&Q ...", 617),
    Item("&R ...", 618),
    Item("&S ...", 619),
    Item("&T ...", 620),
    Item("&U ...", 621),
    Item("&V ...", 622),
    Item("&W ...", 623),
    End(),
    Item("&Scrollbar units ...", cmd::kScrollbarUnits),
    End(),
});

constexpr auto kTolerances = std::to_array<MenuItemTemplate>({
    Item("Str&obe", cmd::kStrobe),
    Item("&Interval ...", cmd::kStrobeInterval),
    Item("&Zero vectors ...", cmd::kZeroVectors),
    Item("&Loop closing ...", cmd::kLoopClosing),
    Item("&Abrupt angles", cmd::kAbruptAngles),
    Item("&Dot size ...", cmd::kDotSize),
    Sep(),
    Item("Graph in blac&k", cmd::kGraphInBlack),
    Item("Thic&ken print ...", cmd::kThickenPrint),
    Popup("&Fonts"),
    Item("&Inventory ...", cmd::kFontInventory),
    Item("&Coordinates ...", cmd::kFontCoordinates),
    End(),
});

constexpr auto kHelpMenu = std::to_array<MenuItemTemplate>({
    Popup("&Help"),
    Item("&Help ...", cmd::kHelp),
    End(),
});

// The plane curves every 2D window offers in its Equa menu.
constexpr auto kCurves2 = std::to_array<MenuItemTemplate>({
    Item("1. Explicit ...\tF1", cmd::kNewExplicit2D),
    Item("Polar ...", NewExample(202)),
    Item("Parametric ...", NewExample(203)),
    Item("Implicit ...", NewExample(204)),
    Item("Segment ...", NewExample(205)),
    Item("Line ax + by = c ...", NewExample(208)),
    Item("Point ...", NewExample(209)),
});

// The view and text items of every 2D window's View menu.
constexpr auto kView2Items = std::to_array<MenuItemTemplate>({
    Item("&Square\tCtrl+Q", cmd::kSquare),
    Item("&Last window\tCtrl+L", cmd::kLastView),
    Item("&Restore\tHome", cmd::kRestoreView),
    Item("&View ...\tCtrl+V", cmd::kViewDialog),
    Item("&Grid ...\tCtrl+G", cmd::kGridDialog),
    Sep(),
    Item("&Delete all text", cmd::kDeleteAllText),
    Item("&Show/hide all text", cmd::kShowHideAllText),
});

constexpr auto kViewPopup = std::to_array<MenuItemTemplate>({
    Popup("&View"),
});

constexpr auto kSeparator = std::to_array<MenuItemTemplate>({
    Sep(),
});

constexpr auto kEndPopup = std::to_array<MenuItemTemplate>({
    End(),
});

// ---- 2D graphing window.

constexpr auto kPlot2File = std::to_array<MenuItemTemplate>({
    Item("Si&multaneous ...", cmd::kSimultaneous),
    Sep(),
    Item("Use defaults for child windows", cmd::kUseDefaults),
    Item("&Close", cmd::kClose),
    Item("E&xit", cmd::kFrameExit),
    End(),
    Popup("&Equa"),
});

constexpr auto kPlot2Curves = std::to_array<MenuItemTemplate>({
    Item("Lagrange polynomial ...", NewExample(213)),
    Item("Series ...", NewExample(218)),
    Item("Intrinsic ...", NewExample(225)),
    Popup("&Differential"),
    Item("dy/dx ...", NewExample(211)),
    Item("dx/dt , dy/dt ...", NewExample(210)),
    Item("derx(n,y) ...", NewExample(220)),
    Item("Recursive ...", NewExample(212)),
    End(),
    Sep(),
});

constexpr auto kPlot2Body = std::to_array<MenuItemTemplate>({
    Item("Erase drawing", cmd::kEraseDrawing),
    Item("Thickness ...", cmd::kSketchThickness),
    End(),
    Popup("&Btns"),
    Item("&Drag box LB\tZoom recenter RB", cmd::kMouseZoomBox),
    Item("T&rajectories LB\tBackground RB", cmd::kMouseTrajectories),
    Item("&Text", cmd::kMouseText),
    Item("&Evaluated text", cmd::kMouseEvaluatedText),
    Item("&Paste from clipboard", cmd::kMousePaste),
    Item("&XY coords LB\tRecenter RB", cmd::kMouseCoordinates),
    Item("Dra&w LB       \tRemove RB", cmd::kMouseDraw),
    End(),
    Popup("&One"),
    Item("&Zeros ...", cmd::kZeros),
    Item("&Extremes ...", cmd::kExtremes),
    Item("Integrate f(x) dx ...", cmd::kIntegrate),
    Item("Arc length ...", cmd::kArcLength),
    Item("Area of sector ...", cmd::kSectorArea),
    Item("Volume of revolution ...", cmd::kVolumeOfRevolution),
    Item("Surface area of revolution ...", cmd::kAreaOfRevolution),
    Item("Revolve surface ...", cmd::kSurfaceOfRevolution),
    Item("Sections ...", cmd::kSections),
    Item("Roulettes ...", cmd::kRoulettes),
    Item("Evolutes ...", cmd::kEvolutes),
    Item("Reflect ...", cmd::kReflect),
    Item("Rotate ...", cmd::kRotate),
    Item("Translate ...", cmd::kTranslate),
    Item("Slider ...", cmd::kTraceSlider),
    Item("Shade e&xplicit inequalities ...", cmd::kShadeExplicit),
    Item("Shade i&mplicit inequalities ...", cmd::kShadeImplicit),
    Item("&Mouse ...", cmd::kMouseData),
    End(),
    Popup("&Two"),
    Item("I&ntersections ...", cmd::kIntersections),
    Item("Integrate (f(x)-g(x)) dx ...", cmd::kIntegrateTwo),
    Item("Volume of revolution ...", cmd::kVolumeTwo),
    Item("&Combinations ...", cmd::kCombinations),
    Item("&Distance ...", cmd::kDistance),
    Item("&Line integral ...", cmd::kLineIntegral),
    Sep(),
    Item("1. dy/dx trajectory ...", cmd::kIvp11),
    Item("2. dx/dt trajectory ...", cmd::kIvp10),
    Item("3. derx(n,y) trajectory ...", cmd::kIvp20),
    Item("4. Sequence ...", cmd::kIvp12),
    Item("Slider ...", cmd::kTrajectorySlider),
    Item("x(t)-window ...", cmd::kTimeWindowFirst),
    Item("y(t)-window ...", cmd::kTimeWindowFirst + 1),
    Item("xy(t)-window ...", cmd::kTimeWindowFirst + 2),
    Item("xy-window ...", cmd::kPhaseWindowFirst),
    End(),
});

constexpr auto kPlot2Misc = std::to_array<MenuItemTemplate>({
    Popup("&Misc"),
    Item("&Infinite slopes", cmd::kInfiniteSlopes),
    Item("Fill e&xplicit inequalities", cmd::kFillExplicit),
    Popup("&Shading"),
    Item("&Opaque", cmd::kShadeOpaque),
    Item("&Not XOR", cmd::kShadeNotXor),
    Item("&XOR", cmd::kShadeXor),
    End(),
    Item("Inspect ...", cmd::kInspect),
    Sep(),
});

// Closes the Misc menu.
constexpr auto kListsTail = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("Tables ...", cmd::kTables),
    Item("Inventory ...", cmd::kInventoryListing),
    Item("&Plot a list ...", cmd::kPlotList),
    Item("&List ...", cmd::kManyPoints),
    End(),
});

constexpr auto kPlot2Menu = Join(kFileHead, kPrintAndExport, kPlot2File, kCurves2, kPlot2Curves,
                                 kEquaShared, kViewPopup, kZoom, kView2Items, kPlot2Body, kAnimMenu,
                                 kPlot2Misc, kTolerances, kListsTail, kWindowMenu, kHelpMenu);

// ---- The other 2D windows: the map pair, logarithmic axes and the planets. They share the 2D
// blocks and name only the examples they draw.

constexpr auto kClose2 = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("&Close", cmd::kClose),
    Item("E&xit", cmd::kFrameExit),
    End(),
});

constexpr auto kViewSimple = Join(kViewPopup, kView2Items, kEndPopup);

constexpr auto kButtonsSimple = std::to_array<MenuItemTemplate>({
    Popup("&Btns"),
    Item("&Drag box LB\tZoom recenter RB", cmd::kMouseZoomBox),
    Item("&Text", cmd::kMouseText),
    Item("&Evaluated text", cmd::kMouseEvaluatedText),
    Item("&Paste from clipboard", cmd::kMousePaste),
    Item("&XY coords LB\tRecenter RB", cmd::kMouseCoordinates),
    End(),
});

// The domain window of a map pair: the map, the curves it carries, the sketch.
constexpr auto kMapEqua = std::to_array<MenuItemTemplate>({
    Popup("&Equa"),
    Item("z ==> F(z) ...", NewExample(401)),
    Item("(x,y) ==> (U,V) ...", NewExample(402)),
    Sep(),
});

constexpr auto kMapButtons = std::to_array<MenuItemTemplate>({
    Popup("&Btns"),
    Item("&Drag box LB\tZoom recenter RB", cmd::kMouseZoomBox),
    Item("&Text", cmd::kMouseText),
    Item("&XY coords LB\tRecenter RB", cmd::kMouseCoordinates),
    Item("Dra&w LB       \tRemove RB", cmd::kMouseDraw),
    Item("Cursor LB      \tJacobian RB", cmd::kMouseCursor),
    Item("Erase drawing", cmd::kEraseDrawing),
    End(),
});

constexpr auto kMapMenu =
    Join(kFileHead, kPrintAndExport, kClose2, kMapEqua, kCurves2, kSeparator, kEquaShared,
         kViewSimple, kZoom, kMapButtons, kAnimMenu, kWindowMenu, kHelpMenu);

// The range window shows what its domain window draws.
constexpr auto kRangeMenu = Join(kFileHead, kPrintAndExport, kClose2, kViewSimple, kZoom,
                                 kButtonsSimple, kWindowMenu, kHelpMenu);

constexpr auto kLogEqua = std::to_array<MenuItemTemplate>({
    Popup("&Equa"),
});

constexpr auto kLogMenu =
    Join(kFileHead, kPrintAndExport, kClose2, kLogEqua, kCurves2, kSeparator, kEquaShared,
         kViewSimple, kZoom, kButtonsSimple, kAnimMenu, kWindowMenu, kHelpMenu);

constexpr auto kPlanetsEqua = std::to_array<MenuItemTemplate>({
    Popup("&Equa"),
    Item("Orbital system ...", NewExample(219)),
    Sep(),
});

constexpr auto kPlanetsMenu =
    Join(kFileHead, kPrintAndExport, kClose2, kPlanetsEqua, kEquaShared, kViewSimple, kZoom,
         kButtonsSimple, kAnimMenu, kWindowMenu, kHelpMenu);

// ---- 3D graphing window; its linked windows add "&Close" when they are set up.

constexpr auto kPlot3File = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("Use defaults for child windows", cmd::kUseDefaults),
    Item("&Linked window ...", cmd::kLinkedWindow),
    Item("E&xit", cmd::kFrameExit),
    End(),
    Popup("&Equa"),
    Item("1. Explicit ...\tF1", cmd::kNew3DExplicit),
    Item("2. Parametric ...\tF2", cmd::kNew3DParametric),
    Item("3. Implicit ...\tF3", cmd::kNew3DImplicit),
    Item("4. Cylindrical ...\tF4", cmd::kNew3DCylindrical),
    Item("5. Spherical ...\tF5", cmd::kNew3DSpherical),
    Sep(),
    Item("Curve ...", cmd::kNew3DCurve),
    Item("I&ntrinsic ...", cmd::kNew3DIntrinsic),
    Item("Tube ...", cmd::kNew3DTube),
    Item("Meridian ...", cmd::kMeridian),
    Item("Segment ...", cmd::kNew3DSegment),
    Popup("Point"),
    Item("Cartesian ...", cmd::kNew3DPointCartesian),
    Item("Cylindrical ...", cmd::kNew3DPointCylindrical),
    Item("Spherical ...", cmd::kNew3DPointSpherical),
    End(),
    Item("Plane ...", cmd::kNew3DPlane),
    Item("Differential ...", cmd::kNew3DDifferential),
    Item("Recursive ...", cmd::kNew3DRecursive),
    Sep(),
});

constexpr auto kPlot3View = std::to_array<MenuItemTemplate>({
    Popup("&View"),
    Popup("&Axes"),
    Item("&Axes\tCtrl+A", cmd::kAxes),
    Item("&Lock lengths ...", cmd::kLockLengths),
    Item("Arro&ws", cmd::kArrows),
    Item("&Show labels", cmd::kShowLabels),
    Item("Lengt&h ...", cmd::kArrowLength),
    End(),
    Popup("&Box"),
    Item("&Box\tCtrl+B", cmd::kBox),
    Item("&Coords\tCtrl+Shift+C", cmd::kCoords),
    Item("C&ube", cmd::kCube),
    Item("&Screen thickness ...", cmd::kBoxScreenThickness),
    Item("&Printed thickness ...", cmd::kBoxPrintedThickness),
    Item("&Dotted", cmd::kDottedBox),
    Item("Hi&de segments", cmd::kHideSegments),
    End(),
    Popup("&Observer"),
    Item("&Up\tUp", cmd::kTiltUp),
    Item("&Down\tDown", cmd::kTiltDown),
    Item("&Turn\tRight", cmd::kTurn),
    Item("&Back\tLeft", cmd::kTurnBack),
    Item("&Angle ...", cmd::kObserverAngle),
    Sep(),
    Item("&In\tIns", cmd::kObserverIn),
    Item("&Out\tDel", cmd::kObserverOut),
    Item("&Far out\tCtrl+Del", cmd::kFarOut),
    Item("Iso&metric", cmd::kIsometric),
    Item("&Coordinates ...", cmd::kObserverCoordinates),
    End(),
    Popup("&Tour"),
    Item("&Make tour ...\tCtrl+T", cmd::kMakeTour),
    Item("&Number of slides ...", cmd::kNumberOfSlides),
    End(),
});

constexpr auto kPlot3Body = std::to_array<MenuItemTemplate>({
    Item("&Last window", cmd::kLastView),
    Item("Fit &window\tCtrl+F", cmd::kFitWindow),
    Item("&Fast draw all", cmd::kFastDrawAll),
    Item("&Slow draw all", cmd::kSlowDrawAll),
    Sep(),
    Item("&Delete all text", cmd::kDeleteAllText),
    Item("&Show/hide all text", cmd::kShowHideAllText),
    End(),
    Popup("&Btns"),
    Item("Tr&ajectories (LB = watch)", cmd::kMouseTrajectories),
    Item("&Text", cmd::kMouseText),
    Item("&Evaluated text", cmd::kMouseEvaluatedText),
    Item("&Paste from clipboard", cmd::kMousePaste),
    Item("&Recenter RB", cmd::kMouseCoordinates),
    End(),
    Popup("&One"),
    Item("&Integrate f(x,y) dx dy ...", cmd::kIntegrateXY),
    Item("&Integrate f(r,t) r dr dt ...", cmd::kIntegratePolar),
    Item("&Surface area ...", cmd::kSurfaceArea),
    Item("Sli&cer ...", cmd::kSlicer),
    Item("Sli&der ...", cmd::kTraceSlider),
    Item("Arc length ...", cmd::kArcLength),
    Item("&Random-dot stereograms ...", cmd::kStereograms),
    End(),
    Popup("&Two"),
    Popup("&Intersections"),
    Item("&Curve-surface ...", cmd::kIntersections),
    Item("&Surface-surface ...", cmd::kSurfaceSurface),
    End(),
    Item("&Surface integral ...", cmd::kSurfaceIntegral),
    Item("&Line integral ...", cmd::kLineIntegral),
    Item("&Combinations ...", cmd::kCombinations),
    Item("&Distance ...", cmd::kDistance),
    Sep(),
    Item("DEq &trajectory ...", cmd::kIvp10),
    Item("Seque&nces ...", cmd::kIvp12),
    Item("Slider ...", cmd::kTrajectorySlider),
    Item("x(t)-window ...", cmd::kTimeWindowFirst),
    Item("y(t)-window ...", cmd::kTimeWindowFirst + 1),
    Item("z(t)-window ...", cmd::kTimeWindowFirst + 2),
    Item("xyz(t)-window ...", cmd::kTimeWindowFirst + 3),
    Item("xy-window ...", cmd::kPhaseWindowFirst),
    Item("zx-window ...", cmd::kPhaseWindowFirst + 1),
    Item("yz-window ...", cmd::kPhaseWindowFirst + 2),
    End(),
});

constexpr auto kPlot3Misc = std::to_array<MenuItemTemplate>({
    Popup("&Misc"),
    Item("P&arametrics obscure", cmd::kParametricsObscure),
    Item("&Line-of-sight ...", cmd::kLineOfSight),
    Item("&Planarity ...", cmd::kPlanarity),
    Popup("&Colors"),
    Item("&Background ...", cmd::kColorBackground),
    Item("&Tangent demo ...", cmd::kColorGradient),
    Item("&Secant demo ...", cmd::kColorDirection),
    Item("&Frenet demo ...", cmd::kColorFrenet),
    End(),
    Item("Inspect data ...", cmd::kInspect),
    Sep(),
});

constexpr auto kPlot3Menu =
    Join(kFileHead, kPrintAndExport, kPlot3File, kEquaShared, kPlot3View, kZoom, kPlot3Body,
         kAnimMenu, kPlot3Misc, kTolerances, kListsTail, kWindowMenu, kHelpMenu);
// A 3D window owned by another window closes (hides) through "&Close"; the linked window of a
// 3D window has no "&Anim": its parameters follow its parent's.
constexpr auto kPlot3Close = std::to_array<MenuItemTemplate>({
    Item("&Close", cmd::kClose),
});
constexpr auto kPlot3SMenu =
    Join(kFileHead, kPrintAndExport, kPlot3File, kEquaShared, kPlot3View, kZoom, kPlot3Body,
         kAnimMenu, kPlot3Misc, kTolerances, kListsTail, kPlot3Close, kWindowMenu, kHelpMenu);
constexpr auto kPlot3LinkMenu =
    Join(kFileHead, kPrintAndExport, kPlot3File, kEquaShared, kPlot3View, kZoom, kPlot3Body,
         kPlot3Misc, kTolerances, kListsTail, kPlot3Close, kWindowMenu, kHelpMenu);

// ---- Level-curve window.

constexpr auto kLevelFile = std::to_array<MenuItemTemplate>({
    Popup("&File"),
});

constexpr auto kLevelBody = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("E&xit", cmd::kFrameExit),
    End(),
    Popup("&View"),
    // Items the window does not handle yet show disabled under their numbers.
    Popup("&Axes"),
    Item("&Axes\tCtrl+A", cmd::kAxes),
    Item("&Color ...", cmd::kColorAxes),
    Item("Item 100", cmd::kLevelAxesItems[0]),
    Item("Item 101", cmd::kLevelAxesItems[1]),
    Item("Item 102", cmd::kLevelAxesItems[2]),
    Item("&Label font ...", cmd::kFontAxisLabels),
    Item("Item 220", cmd::kLevelAxesItems[3]),
    Item("Item 110", cmd::kLevelAxesItems[4]),
    End(),
    Popup("S&hift"),
    Item("Item 323", cmd::kLevelShiftItems[0]),
    Item("Item 322", cmd::kLevelShiftItems[1]),
    Item("Item 325", cmd::kLevelShiftItems[2]),
    Item("Item 324", cmd::kLevelShiftItems[3]),
    Item("Item 321", cmd::kLevelShiftItems[4]),
    End(),
});

constexpr auto kLevelRest = std::to_array<MenuItemTemplate>({
    Popup("G&ridlines"),
    Item("&Color ...", cmd::kColorGridLines),
    Item("Item 150", cmd::kLevelGridLinesItems[0]),
    Item("Item 151", cmd::kLevelGridLinesItems[1]),
    End(),
    Item("&Grid ...\tCtrl+G", cmd::kGridDialog),
    Item("Last &window", cmd::kLastView),
    End(),
    Popup("&Btns"),
    Item("&Cursor", cmd::kMouseCursor),
    Item("&Gradient", cmd::kGradient),
    Item("&Directional derivative", cmd::kDirectionalDerivative),
    Item("&Text", cmd::kMouseText),
    Item("&XY coords LB\tRecenter RB", cmd::kMouseCoordinates),
    Item("&Paste from clipboard", cmd::kMousePaste),
    End(),
    Popup("&Misc"),
    Popup("&Fonts"),
    Item("&Coordinates ...", cmd::kFontCoordinates),
    Item("&Axis scale ...", cmd::kFontAxisScale),
    Item("Item 92", cmd::kLevelFontsItems[0]),
    Item("Item 73", cmd::kLevelFontsItems[1]),
    Item("&Tables ...", cmd::kFontTables),
    End(),
    Popup("&Colors"),
    Item("&Background ...", cmd::kColorBackground),
    Item("&Coordinates ...", cmd::kColorCoordinates),
    Item("C&ursor ...", cmd::kColorCursor),
    Item("&Gradient ...", cmd::kColorGradient),
    Item("&Direction ...", cmd::kColorDirection),
    End(),
    Popup("&Tolerances"),
    Item("&Zero vectors ...", cmd::kZeroVectors),
    Item("&Loop closing ...", cmd::kLoopClosing),
    Item("&Critical angle", cmd::kAbruptAngles),
    End(),
    Item("&Decimal places ...", cmd::kDecimalPlaces),
    Item("Delete te&xt ...", cmd::kDeleteAllText),
    Item("Thic&ken print ...", cmd::kThickenPrint),
    End(),
    Item("&Close", cmd::kClose),
});

constexpr auto kLevelMenu = Join(kLevelFile, kPrintAndExport, kLevelBody, kZoom, kLevelRest);

// ---- Random-dot stereogram window.

constexpr auto kRdsFile = std::to_array<MenuItemTemplate>({
    Popup("&File"),
});

constexpr auto kRdsBody = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("&Help ...", cmd::kHelp),
    Sep(),
    Item("E&xit", cmd::kFrameExit),
    End(),
});

constexpr auto kRdsTail = std::to_array<MenuItemTemplate>({
    Popup("&Misc"),
    Item("&Background color ...", cmd::kColorBackground),
    End(),
    Item("&Close", cmd::kClose),
});

constexpr auto kRdsMenu = Join(kRdsFile, kPrintAndExport, kRdsBody, kAnimMenu, kRdsTail);

// ---- Time and phase windows of trajectories.

constexpr auto kLinkedFile = std::to_array<MenuItemTemplate>({
    Popup("&File"),
});

constexpr auto kLinkedBody = std::to_array<MenuItemTemplate>({
    Sep(),
    Item("E&xit", cmd::kFrameExit),
    End(),
    Popup("&View"),
    Item("&Axes\tCtrl+A", cmd::kAxes),
    Item("&Square\tCtrl+Q", cmd::kSquare),
    Item("&Last window\tCtrl+L", cmd::kLastView),
    Item("&View ...\tCtrl+V", cmd::kViewDialog),
    Item("&Grid ...\tCtrl+G", cmd::kGridDialog),
});

constexpr auto kLinkedRest = std::to_array<MenuItemTemplate>({
    End(),
    Popup("&Btns"),
    Item("&Text", cmd::kMouseText),
    Item("&XY coords LB\tRecenter RB", cmd::kMouseCoordinates),
    Item("&Paste from clipboard", cmd::kMousePaste),
    End(),
    Popup("&Misc"),
    Popup("&Colors"),
    Item("&Background ...", cmd::kColorBackground),
    Item("&Coordinates ...", cmd::kColorCoordinates),
    End(),
    Item("&Loop closing ...", cmd::kLoopClosing),
    Item("Delete te&xt ...", cmd::kDeleteAllText),
    Item("Thic&ken print ...", cmd::kThickenPrint),
    End(),
    Item("&Close", cmd::kClose),
});

constexpr auto kTimeMenu = Join(kLinkedFile, kPrintAndExport, kLinkedBody, kZoom, kLinkedRest);

// ---- Accelerators.

constexpr AcceleratorTemplate kFrameKeys[] = {
    {"Ctrl+O", cmd::kFrameOpen},
};

constexpr AcceleratorTemplate kPlot2Keys[] = {
    {"Ctrl+O", cmd::kFileOpen},
    {"Ctrl+S", cmd::kFileSave},
    {"Ctrl+P", cmd::kPrint},
    {"Ctrl+Shift+P", cmd::kPrintFormat},
    {"Ctrl+C", cmd::kCopyToClipboard},
    {"F1", cmd::kNewExplicit2D},
    {"PgUp", cmd::kZoomIn},
    {"PgDown", cmd::kZoomOut},
    {"Ctrl+Q", cmd::kSquare},
    {"Ctrl+L", cmd::kLastView},
    {"Home", cmd::kRestoreView},
    {"Ctrl+V", cmd::kViewDialog},
    {"Ctrl+G", cmd::kGridDialog},
    {"Shift+Home", cmd::kHomeEquations},
};

constexpr AcceleratorTemplate kPlot3Keys[] = {
    {"Ctrl+O", cmd::kFileOpen},
    {"Ctrl+S", cmd::kFileSave},
    {"Ctrl+P", cmd::kPrint},
    {"Ctrl+Shift+P", cmd::kPrintFormat},
    {"Ctrl+C", cmd::kCopyToClipboard},
    {"Shift+Home", cmd::kHomeEquations},
    {"F1", cmd::kNew3DExplicit},
    {"F2", cmd::kNew3DParametric},
    {"F3", cmd::kNew3DImplicit},
    {"F4", cmd::kNew3DCylindrical},
    {"F5", cmd::kNew3DSpherical},
    {"Ctrl+A", cmd::kAxes},
    {"Ctrl+B", cmd::kBox},
    {"Ctrl+Shift+C", cmd::kCoords},
    {"Up", cmd::kTiltUp},
    {"Down", cmd::kTiltDown},
    {"Right", cmd::kTurn},
    {"Left", cmd::kTurnBack},
    {"Ctrl+T", cmd::kMakeTour},
    {"Ins", cmd::kObserverIn},
    {"Del", cmd::kObserverOut},
    {"Ctrl+Del", cmd::kFarOut},
    {"Ctrl+F", cmd::kFitWindow},
    {"PgUp", cmd::kZoomIn},
    {"PgDown", cmd::kZoomOut},
};

constexpr AcceleratorTemplate kLevelKeys[] = {
    {"Ctrl+A", cmd::kAxes},
    {"PgDown", cmd::kZoomOut},
    {"PgUp", cmd::kZoomIn},
    {"Ctrl+P", cmd::kPrint},
    {"Ctrl+Shift+P", cmd::kPrintFormat},
    {"Ctrl+G", cmd::kGridDialog},
    {"Ctrl+C", cmd::kCopyToClipboard},
};

constexpr AcceleratorTemplate kTimeKeys[] = {
    {"Ctrl+A", cmd::kAxes},
    {"Ctrl+Q", cmd::kSquare},
    {"Ctrl+L", cmd::kLastView},
    {"Ctrl+V", cmd::kViewDialog},
    {"Ctrl+G", cmd::kGridDialog},
    {"PgUp", cmd::kZoomIn},
    {"PgDown", cmd::kZoomOut},
    {"Ctrl+P", cmd::kPrint},
    {"Ctrl+Shift+P", cmd::kPrintFormat},
    {"Ctrl+C", cmd::kCopyToClipboard},
};

constexpr AcceleratorTemplate kRdsKeys[] = {
    {"Ctrl+P", cmd::kPrint},
    {"Ctrl+Shift+P", cmd::kPrintFormat},
    {"Ctrl+C", cmd::kCopyToClipboard},
};

constexpr MenuTemplate kMenus[] = {
    {"FRAMEMENU", kFrameMenu}, {"PLOT2MENU", kPlot2Menu},   {"PLOT3MENU", kPlot3Menu},
    {"LEVELMENU", kLevelMenu}, {"RDSMENU", kRdsMenu},       {"MAPMENU", kMapMenu},
    {"RANGEMENU", kRangeMenu}, {"LOGMENU", kLogMenu},       {"PLANETSMENU", kPlanetsMenu},
    {"TIMEMENU", kTimeMenu},   {"PLOT3SMENU", kPlot3SMenu}, {"PLOT3LINKMENU", kPlot3LinkMenu},
};

constexpr AcceleratorTable kAccelerators[] = {
    {"FRAMEMENU", kFrameKeys}, {"PLOT2MENU", kPlot2Keys},  {"PLOT3MENU", kPlot3Keys},
    {"LEVELMENU", kLevelKeys}, {"RDSMENU", kRdsKeys},      {"MAPMENU", kPlot2Keys},
    {"RANGEMENU", kPlot2Keys}, {"LOGMENU", kPlot2Keys},    {"PLANETSMENU", kPlot2Keys},
    {"TIMEMENU", kTimeKeys},   {"PLOT3SMENU", kPlot3Keys}, {"PLOT3LINKMENU", kPlot3Keys},
};

}  // namespace

std::span<const MenuTemplate> Menus() {
    return kMenus;
}
std::span<const AcceleratorTable> AcceleratorTables() {
    return kAccelerators;
}

}  // namespace quorlin::resources::detail
