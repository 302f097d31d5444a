#include "tools2d/solids/solid_tools.h"

#include <functional>
#include <span>
#include <string>

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "formula/slot_guard.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "tools2d/dialog_text.h"
#include "tools2d/entry_tags.h"
#include "tools2d/points/point_dialogs.h"

namespace quorlin::tools2d {

namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;

constexpr int kStrSectionsWindow = 179;  // "sections.qz3"
constexpr int kStrSurfacesWindow = 271;  // "surfrev.qz3"
// Their places: the surfaces' window a cascade step from the sections'.
constexpr int kSectionsPlace = 0;
constexpr int kSurfacesPlace = 1;
constexpr int kStrSectionEntry = 178;  // "(low,high,volume,subint)"
constexpr std::size_t kMaxLabelChars = 28;
constexpr int kArcSteps = 200;
constexpr int kArcWidening = 2;  // the marked arc is drawn this much wider than the curve
constexpr auto kParabolic = static_cast<std::size_t>(examples::SumRule::Simpson);

// The letter of a range end takes its value, between the range's ends, in the 3D window.
void SetLinkedParameter(FormulaContext& space, int letter, long double value, long double low,
                        long double high) {
    if (letter < 1 || letter > slot::kLastParameter) return;
    space.SetVar(letter, value);
    space.params.left[static_cast<std::size_t>(letter)] = low;
    space.params.right[static_cast<std::size_t>(letter)] = high;
}

// The trees of the texts that are not empty: 0, or the parse error of the first that does not
// parse.
int ParseTexts(FormulaContext& formulas, std::span<const std::string> texts,
               std::vector<NodePtr>& trees) {
    for (const std::string& text : texts) {
        if (text.empty()) continue;
        if (const int error = formulas.Parse(text)) return error;
        trees.push_back(formulas.TakeParseResult());
    }
    return kNoError;
}

// The parameter letters the texts use, each once: 0, or the parse error of a text. A user
// function's body is inlined where it is called, so the letters of its body count too.
int LettersOfTexts(FormulaContext& formulas, std::span<const std::string> texts,
                   std::vector<int>& letters) {
    std::vector<NodePtr> trees;
    if (const int error = ParseTexts(formulas, texts, trees)) return error;
    std::vector<const TExprNode*> roots;
    for (const NodePtr& tree : trees) roots.push_back(tree.get());
    letters = ParameterLettersOf(roots);
    return kNoError;
}

// Whether the solid's texts read in its 3D window: 0, or the parse error of one.
using ReadCheck = std::function<int(FormulaContext& space)>;

// The functions a solid carries join those of its 3D window, and stay there only when the
// solid's texts then read there; its examples are compiled again when they do, since a text of
// an earlier one may call one by that name. 0, or the error of AddTo or of the check, the
// window then as it was.
int AddCarried(const TCarriedFunctions& carried, examples::TPlot11Win& space,
               const ReadCheck& reads) {
    if (const int error = carried.AddTo(space.Formulas())) return error;
    if (const int error = reads(space.Formulas())) {
        carried.RemoveFrom(space.Formulas());
        return error;
    }
    if (carried.AddsAny()) space.UserFunctionsChanged();
    return kNoError;
}

// Whether every text of the surfaces reads in their 3D window, the carried functions there (a
// JOIN's argument must be a variable, which the x of tied ends is not): 0, or the parse error
// of the first that does not.
int SurfacesRead(FormulaContext& space, const std::vector<examples::TSectionSurface>& surfaces) {
    for (const examples::TSectionSurface& surface : surfaces)
        for (const std::string* text : {&surface.x, &surface.y, &surface.z})
            if (const int error = space.Parse(*text)) return error;
    return kNoError;
}

// The 3D window of the surfaces takes the current values of the letters the curve uses. Its
// surfaces read none of them but the letters they follow: their texts carry the rest
// (solid_texts.h).
void ShareLetters(examples::TPlot11Win& plane, examples::TPlot11Win& space,
                  const std::vector<int>& letters) {
    for (const int letter : letters) space.Formulas().SetVar(letter, plane.Formulas().Var(letter));
}

// The arc and angle ranges of the tools, with the letters of their ends.
TRevolutionRanges ToolRanges(const examples::TToolSettings& tools) {
    TRevolutionRanges ranges{tools.revolutionTLow,
                             tools.revolutionTHigh,
                             tools.revolutionULow,
                             tools.revolutionUHigh,
                             {}};
    for (std::size_t e = 0; e < 4; ++e) ranges.letters[e] = tools.revolutionLetters[e];
    return ranges;
}

}  // namespace

TSolidTools::TSolidTools(examples::TPlot11Win& window) : window_(window) {}

TSolidTools::~TSolidTools() {
    Close();
}

std::vector<int> TSolidTools::Commands(int dimension) {
    if (dimension >= 3) return {};
    return {cmd::kSections, cmd::kSurfaceOfRevolution};
}

bool TSolidTools::RunCommand(int id) {
    if (id == cmd::kSections) {
        OpenToolDialog(window_, sections_, {k::kExplicit}, *this);
        return true;
    }
    if (id == cmd::kSurfaceOfRevolution) {
        OpenToolDialog(window_, surfaces_,
                       {kRevolvedProfileKinds.begin(), kRevolvedProfileKinds.end()}, *this);
        return true;
    }
    return false;
}

std::vector<platform::Dialog*> TSolidTools::Dialogs() const {
    std::vector<platform::Dialog*> dialogs;
    if (sections_) dialogs.push_back(sections_);
    if (surfaces_) dialogs.push_back(surfaces_);
    return dialogs;
}

// The selected curve between the ends of the arc, a little wider than the curve itself.
int TSolidTools::DrawOverlays(platform::DeviceContext& dc) {
    if (!surfaces_ || !surfaces_->ArcShown()) return 0;
    const int i = surfaces_->SelectedExample();
    if (!window_.Inventory().IsIndex(i)) return 0;
    const examples::TExample& curve = window_.Inventory()[i];
    if (curve.kind == k::kImplicit || curve.kind == k::kSegment || !curve.Tree(2)) return 0;
    const bool explicitCurve = curve.kind == k::kExplicit;
    if (!explicitCurve && !curve.Tree(1)) return 0;
    // The curve as x(t), y(t): an explicit one runs in x.
    const NodePtr x =
        explicitCurve ? TExprNode::NewOp(op::kVarT) : TExprNode::CopyTree(curve.Tree(1));
    const NodePtr y = TExprNode::CopyTree(curve.Tree(2));
    if (explicitCurve) TExprNode::RenameXToT(y.get());
    examples::TPenSpec pen = curve.pen;
    pen.width = static_cast<std::uint16_t>(std::max<int>(pen.width, 1) + kArcWidening);
    const examples::TToolSettings& tools = window_.Tools();
    const TSlotGuard guard(window_.Formulas(), {slot::kT});
    window_.DrawPlaneCurve(dc, x.get(), y.get(), tools.revolutionTLow, tools.revolutionTHigh,
                           kArcSteps, pen);
    return 0;
}

void TSolidTools::Hide() {
    for (auto* w : {sectionWindow_.get(), surfaceWindow_.get()})
        if (w && w->Exists()) w->Hide();
}

void TSolidTools::Close() {
    delete sections_.data();
    delete surfaces_.data();
    for (auto* slot : {&sectionWindow_, &surfaceWindow_}) {
        if (*slot) (*slot)->Close();
        slot->reset();
    }
}

examples::TSolidWindow* TSolidTools::OpenWindow(std::unique_ptr<examples::TSolidWindow>& slot,
                                                int titleId, int place) {
    if (slot && !slot->Exists()) slot.reset();
    if (!slot) {
        const examples::SolidWindowMaker& make = examples::GetSolidWindowMaker();
        if (!make) return nullptr;
        slot = make(window_, resources::LoadString(titleId), place);
        if (!slot) return nullptr;
    }
    slot->Show();
    return slot.get();
}

int TSolidTools::SectionVolume(int f, int g, const TSectionRequest& request) {
    examples::TInventory& inventory = window_.Inventory();
    if (!inventory.IsIndex(f) || !inventory.IsIndex(g)) return kErrMakeSelection;
    examples::TToolSettings& tools = window_.Tools();
    const examples::TIntegrationAxis axis{slot::kX, tools.low, tools.high, tools.subintervals};
    window_.setFocus();
    window_.ShowKeyHint(kKeyHintQuit);
    long double volume = 0;
    const int result = tools2d::SectionVolume(
        window_.Formulas(), request,
        [this, &axis](TExprNode& integrand, long double& sum) {
            return window_.SimpsonIntegral(integrand, axis, sum);
        },
        volume);
    window_.UpdateCaption();
    if (result != kNoError) return result;
    tools.sums[kParabolic] = volume;
    tools.sumTexts[kParabolic] = window_.Format().FormatNum(volume);
    const std::string label = EntryLabel(kStrSectionEntry, kMaxLabelChars);
    const std::array<long double, 4> values{tools.low, tools.high, volume,
                                            static_cast<long double>(tools.subintervals)};
    for (const int curve : {f, g})
        static_cast<examples::TPlotWin&>(window_).AddMarkedPoint(curve, entry_tag::kSection, values,
                                                                 4, label);
    return kNoError;
}

int TSolidTools::SectionSolid(const TSectionRequest& request, const TSectionRange& range,
                              const TSectionCounts& counts) {
    const bool height = ShapeRow(request.shape).usesHeight;
    const std::string texts[] = {request.f, request.g, height ? request.height : std::string()};
    std::vector<NodePtr> trees;
    if (const int error = ParseTexts(window_.Formulas(), texts, trees)) return error;
    std::vector<examples::TSectionSurface> surfaces;
    TCarriedFunctions carried;
    if (const int error = SectionSurfaces(window_.Formulas(), request, range, counts.xSections,
                                          counts.zSections, surfaces, carried))
        return error;
    examples::TSolidWindow* solid = OpenWindow(sectionWindow_, kStrSectionsWindow, kSectionsPlace);
    if (!solid) return kErrNoMoreRoom;
    const examples::TInventory& space = solid->Levels().Inventory();
    if (space.LastIndex() + static_cast<int>(surfaces.size()) > space.Capacity())
        return kErrNoMoreRoom;
    FormulaContext& formulas = solid->Levels().Formulas();
    if (const int error = SettleSurfaces(carried, formulas, surfaces)) return error;
    if (const int error = AddCarried(carried, solid->Levels(), [&surfaces](FormulaContext& f) {
            return SurfacesRead(f, surfaces);
        }))
        return error;
    // The ends' own letters run between the ends, whatever value they have here.
    SetLinkedParameter(formulas, range.lowLetter, range.low, range.low, range.high);
    SetLinkedParameter(formulas, range.highLetter, range.high, range.low, range.high);
    for (const examples::TSectionSurface& surface : surfaces) solid->AddSectionSurface(surface);
    solid->FitView();
    return kNoError;
}

int TSolidTools::RevolveSurface(int i) {
    examples::TInventory& inventory = window_.Inventory();
    if (!inventory.IsIndex(i)) return kErrMakeSelection;
    if (window_.Compiler().UsesJoin(i)) return kErrFormulaNotUsable;
    examples::TSolidWindow* solid = OpenWindow(surfaceWindow_, kStrSurfacesWindow, kSurfacesPlace);
    if (!solid) return kErrNoMoreRoom;
    examples::TPlot11Win& space = solid->Levels();
    if (!space.CanAddExample(false)) return kErrNoMoreRoom;
    const examples::TExample& curve = inventory[i];
    const std::string texts[] = {curve.Text(1), curve.Text(2), curve.Text(3)};
    std::vector<int> letters;
    if (LettersOfTexts(window_.Formulas(), texts, letters) != kNoError) return kErrCannotUnderstand;
    const TRevolutionRanges ranges = ToolRanges(window_.Tools());
    examples::TExample profile;
    TCarriedFunctions carried;
    if (const int error = StandAloneProfile(window_.Formulas(), curve, ranges, profile, carried))
        return error;
    if (const int error = SettleProfile(carried, space.Formulas(), profile)) return error;
    // The profile's texts are the plane window's, which read there, with their calls named as
    // settled; the surface reads them its own way (an equation's '=' among them).
    if (const int error = AddCarried(carried, space, [](FormulaContext&) { return kNoError; }))
        return error;
    ShareLetters(window_, space, letters);

    const examples::TToolSettings& tools = window_.Tools();
    const TAxisLine axis{tools.revolutionAxis[0], tools.revolutionAxis[1], tools.revolutionAxis[2]};
    const canvas::TViewFrame& view = window_.View();
    examples::TExample& surface = space.AddExample(k::kRevolution, 0, 1);
    FillRevolutionRecord(surface, profile, ranges, axis,
                         {view.left, view.right, view.down, view.up},
                         examples::DescribeExampleShort(profile, window_.TextSettings()));
    const int added = space.Inventory().LastIndex();
    space.CompileExample(added);
    space.Compiler().SetParamsFromExample(added);
    const bool implicitProfile = profile.kind == k::kImplicit;
    if (implicitProfile) space.EditExampleBox(added, true);
    space.RefreshExample(added, true);
    space.InventoryChanged(1);
    if (implicitProfile) space.OpenLevelsDialog(added);
    solid->FitView();
    return kNoError;
}

}  // namespace quorlin::tools2d
