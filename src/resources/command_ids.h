#pragma once
// Command ids shared by the menus, the accelerator tables and the windows' command handlers.
// Ids below 3000 are the program's own numbering; the frame's commands and the file commands of
// the graphing windows, which have no number of their own there, use the block from 3000 up.
namespace quorlin::resources::cmd {

// Dialog buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 91;
inline constexpr int kHelpButton = 354;

// Main frame.
inline constexpr int kFrameOpen = 3001;
inline constexpr int kFrameExit = 3002;
inline constexpr int kFrameOpenLast = 3003;
inline constexpr int kWindow2D = 3011;
inline constexpr int kWindow3D = 3012;
inline constexpr int kWindowGuess = 3013;
inline constexpr int kWindowMapXY = 3014;
inline constexpr int kWindowMapZ = 3015;
inline constexpr int kWindowLogX = 3016;  // logarithmic modes 1, 2, 3 follow in order
inline constexpr int kWindowLogY = 3017;
inline constexpr int kWindowLogXY = 3018;
inline constexpr int kWindowPlanets = 3019;
inline constexpr int kWindowCascade = 3021;
inline constexpr int kWindowTile = 3022;
inline constexpr int kWindowArrangeIcons = 3023;
inline constexpr int kHelpTips = 3031;
inline constexpr int kHelpAbout = 3032;

// File commands of a graphing window.
inline constexpr int kFileNew = 3041;
inline constexpr int kFileOpen = 3042;
inline constexpr int kFileSave = 3043;
inline constexpr int kFileSaveAs = 3044;
inline constexpr int kClose = 357;
inline constexpr int kUseDefaults = 49;
inline constexpr int kPrint = 303;
inline constexpr int kPrintFormat = 304;
inline constexpr int kSelectPrinter = 93;
inline constexpr int kWithBackColor = 221;
inline constexpr int kHelp = 330;

// Export and clipboard.
inline constexpr int kExportEps = 85;
inline constexpr int kExportSvg = 87;
inline constexpr int kExportPicTeX = 70;
inline constexpr int kImageSize = 90;
inline constexpr int kBitmapToClipboard = 310;
inline constexpr int kCopyToClipboard = 311;
inline constexpr int kMetafile = 370;
inline constexpr int kHighResolution = 371;

// View and grid.
inline constexpr int kRestoreView = 103;
inline constexpr int kViewDialog = 104;
inline constexpr int kDecimalPlaces = 105;
inline constexpr int kZoomOut = 106;
inline constexpr int kZoomIn = 107;
inline constexpr int kZoomFactor = 108;
inline constexpr int kAxes = 109;
inline constexpr int kLastView = 111;
inline constexpr int kDeleteAllText = 113;
inline constexpr int kShowLabels = 116;
inline constexpr int kSquare = 117;
inline constexpr int kArrows = 118;
inline constexpr int kGridDialog = 320;
inline constexpr int kShowHideAllText = 360;

// Fonts: command kFontBase + i chooses window font i.
inline constexpr int kFontBase = 60;
inline constexpr int kFontInventory = 67;
inline constexpr int kFontCoordinates = 68;
inline constexpr int kFontAxisScale = kFontBase + 1;
inline constexpr int kFontAxisLabels = kFontBase + 5;
inline constexpr int kFontTables = kFontBase + 6;

// Mouse modes, 120-129; the mode is the command id.
inline constexpr int kMouseFirst = 120;
inline constexpr int kMouseZoomBox = 121;
inline constexpr int kMouseTrajectories = 122;
inline constexpr int kMouseText = 123;
inline constexpr int kMousePaste = 124;
inline constexpr int kMouseCoordinates = 125;  // the default mode
inline constexpr int kMouseLagrange = 126;
inline constexpr int kMouseDraw = 127;
inline constexpr int kMouseCursor = 128;
inline constexpr int kMouseEvaluatedText = 129;
inline constexpr int kMouseLast = 129;

// Options.
inline constexpr int kLibrary = 505;
inline constexpr int kUserFunctions = 506;
inline constexpr int kSimultaneous = 627;
inline constexpr int kInventorySize = 628;
inline constexpr int kStrobe = 727;
inline constexpr int kStrobeInterval = 728;
inline constexpr int kZeroVectors = 732;
inline constexpr int kLoopClosing = 733;
inline constexpr int kAbruptAngles = 734;
inline constexpr int kDotSize = 737;
inline constexpr int kLineOfSight = 759;
inline constexpr int kPlanarity = 763;
inline constexpr int kInfiniteSlopes = 790;
inline constexpr int kGraphInBlack = 796;
inline constexpr int kFillExplicit = 811;
inline constexpr int kThickenPrint = 814;
inline constexpr int kHomeEquations = 819;
inline constexpr int kShadeOpaque = 891;
inline constexpr int kShadeNotXor = 892;
inline constexpr int kShadeXor = 893;

// Inventory and lists.
inline constexpr int kEraseDrawing = 52;
inline constexpr int kInventory = 504;
inline constexpr int kPlotList = 507;
inline constexpr int kManyPoints = 508;
inline constexpr int kPasteScript = 510;
inline constexpr int kTables = 757;
inline constexpr int kInventoryListing = 762;
inline constexpr int kShowPoints = 820;
inline constexpr int kShowEquations = 821;
inline constexpr int kInspect = 866;
inline constexpr int kSketchThickness = 883;

// Animation parameters: kParamFirst + k opens the slider of letter k (0 '@', 1-23 'A'-'W').
inline constexpr int kParamFirst = 600;
inline constexpr int kParamLast = 623;
inline constexpr int kAllParameters = 624;
inline constexpr int kEvaluateParameters = 831;
inline constexpr int kScrollbarUnits = 1169;

// Linked windows: time windows 630-633, phase windows 634-636.
inline constexpr int kTimeWindowFirst = 630;
inline constexpr int kPhaseWindowFirst = 634;
inline constexpr int kPhaseWindowLast = 636;

// Tools shared by 2D and 3D windows.
inline constexpr int kTraceSlider = 708;
inline constexpr int kArcLength = 723;
inline constexpr int kCombinations = 750;
inline constexpr int kIvp10 = 780;
inline constexpr int kIvp11 = 781;
inline constexpr int kIvp12 = 782;
inline constexpr int kIvp20 = 799;
inline constexpr int kLineIntegral = 832;
inline constexpr int kDistance = 875;
inline constexpr int kTrajectorySlider = 882;

// 2D tools.
inline constexpr int kReflect = 704;
inline constexpr int kRotate = 705;
inline constexpr int kTranslate = 706;
inline constexpr int kZeros = 707;
inline constexpr int kExtremes = 709;
inline constexpr int kIntersections = 710;  // "Curve-surface ..." in 3D windows
inline constexpr int kShadeExplicit = 713;
inline constexpr int kSectorArea = 716;
inline constexpr int kIntegrate = 721;
inline constexpr int kIntegrateTwo = 722;
inline constexpr int kMouseData = 735;
inline constexpr int kVolumeOfRevolution = 746;
inline constexpr int kSurfaceOfRevolution = 747;
inline constexpr int kShadeImplicit = 769;
inline constexpr int kAreaOfRevolution = 784;
inline constexpr int kSections = 786;
inline constexpr int kRoulettes = 789;
inline constexpr int kEvolutes = 792;
inline constexpr int kVolumeTwo = 812;

// New examples: an example of kind k comes from command k + kNewExampleOffset (901 explicit
// curve, 1001 explicit surface) and is edited on template EQUA<k>; points given in other
// coordinates are edited on the point template EQUA309.
inline constexpr int kNewExampleOffset = 700;
inline constexpr int kNewExplicit2D = 901;
inline constexpr int kNew3DExplicit = 1001;
inline constexpr int kNew3DCylindrical = 1002;
inline constexpr int kNew3DParametric = 1003;
inline constexpr int kNew3DCurve = 1004;
inline constexpr int kNew3DImplicit = 1005;
inline constexpr int kNew3DTube = 1006;
inline constexpr int kNew3DSegment = 1008;
inline constexpr int kNew3DPointCartesian = 1009;
inline constexpr int kNew3DDifferential = 1010;
inline constexpr int kNew3DRecursive = 1012;
inline constexpr int kNew3DPointCylindrical = 1013;
inline constexpr int kNew3DPointSpherical = 1014;
inline constexpr int kNew3DPlane = 1015;
inline constexpr int kNew3DSpherical = 1016;
inline constexpr int kNew3DIntrinsic = 1025;
inline constexpr int kMeridian = 795;

// 3D view.
inline constexpr int kCube = 700;
inline constexpr int kMakeTour = 725;
inline constexpr int kNumberOfSlides = 748;
inline constexpr int kFitWindow = 764;
inline constexpr int kSlicer = 766;
inline constexpr int kBox = 773;
inline constexpr int kIntegrateXY = 774;
inline constexpr int kCoords = 775;
inline constexpr int kHideSegments = 776;
inline constexpr int kIntegratePolar = 777;
inline constexpr int kStereograms = 783;
inline constexpr int kSurfaceSurface = 787;
inline constexpr int kParametricsObscure = 788;
inline constexpr int kDottedBox = 794;
inline constexpr int kArrowLength = 800;
inline constexpr int kBoxScreenThickness = 807;
inline constexpr int kBoxPrintedThickness = 808;
inline constexpr int kFastDrawAll = 826;
inline constexpr int kSlowDrawAll = 827;
inline constexpr int kLockLengths = 830;
inline constexpr int kSurfaceIntegral = 833;
inline constexpr int kSurfaceArea = 836;
inline constexpr int kLinkedWindow = 874;
inline constexpr int kObserverCoordinates = 981;
inline constexpr int kObserverIn = 982;
inline constexpr int kObserverOut = 983;
inline constexpr int kTurn = 984;
inline constexpr int kTurnBack = 985;
inline constexpr int kFarOut = 986;
inline constexpr int kTiltUp = 987;
inline constexpr int kTiltDown = 988;
inline constexpr int kObserverAngle = 989;
inline constexpr int kIsometric = 990;

// Colours: command kColorRoleBase + k opens the palette for the window's colour role k.
inline constexpr int kColorRoleBase = 200;
inline constexpr int kColorBackground = kColorRoleBase + 0;
inline constexpr int kColorCursor = kColorRoleBase + 1;
inline constexpr int kColorGradient = kColorRoleBase + 4;   // tangent demo in a 3D window
inline constexpr int kColorDirection = kColorRoleBase + 5;  // secant demo in a 3D window
inline constexpr int kColorFrenet = kColorRoleBase + 6;     // edits role 9, see ChooseColor
inline constexpr int kColorAxes = kColorRoleBase + 3;
inline constexpr int kColorGridLines = kColorRoleBase + 10;
inline constexpr int kColorCoordinates = kColorRoleBase + 14;

// Level-curve window.
inline constexpr int kGradient = 834;
inline constexpr int kDirectionalDerivative = 835;
// Items of the level-curve window's menu that nothing handles yet, so they show disabled: the
// further Axes items, the view shifts (the arrow keys are not bound to them), the further Gridlines
// items and two Fonts items.
inline constexpr int kLevelAxesItems[] = {100, 101, 102, 220, 110};
inline constexpr int kLevelShiftItems[] = {323, 322, 325, 324, 321};
inline constexpr int kLevelGridLinesItems[] = {150, 151};
inline constexpr int kLevelFontsItems[] = {92, 73};

}  // namespace quorlin::resources::cmd
