#include "tools2d/solids/solid_dialogs.h"

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "tools2d/dialog_text.h"
#include "tools2d/solids/solid_tools.h"

namespace quorlin::tools2d {

namespace {

namespace k = examples::kind;

constexpr int kExplicitOnly[] = {k::kExplicit};
// Read long so that a text beyond its field's length is refused rather than cut.
constexpr std::size_t kReadChars = 1000;
constexpr int kFirstHeightShape = 4;
constexpr int kRangeEdits[] = {TSurfDlg::kArcStart, TSurfDlg::kArcStop, TSurfDlg::kAngleStart,
                               TSurfDlg::kAngleStop};

QString Number(const examples::TPlot11Win& window, long double value) {
    return FromWindows1252(window.Format().FormatNum(value));
}

}  // namespace

// ------------------------------------------------------------------------------ sections

TSectionDlg::TSectionDlg(examples::TPlot11Win& window, TSolidTools& tools)
    : T2ComboDlg(window, "SECTION", kExplicitOnly, kExplicitOnly), owner_(window), tools_(tools) {}

void TSectionDlg::SetupWindow() {
    T2ComboDlg::SetupWindow();
    for (int shape = 1; shape <= kSectionShapeCount; ++shape)
        SetChecked(kFirstShape + shape - 1, shape == 1);
    SetText(kHeight, QStringLiteral("2.0"));
    SetText(kLow, Number(owner_, owner_.View().left));
    SetText(kHigh, Number(owner_, owner_.View().right));
    SetText(kXSections, QStringLiteral("40"));
    SetText(kZSections, QStringLiteral("1"));
    SetText(kSubintervals, QString::number(owner_.Tools().subintervals));
    ClearResult();
}

int TSectionDlg::CheckedShape() const {
    for (int shape = 1; shape <= kSectionShapeCount; ++shape)
        if (IsChecked(kFirstShape + shape - 1)) return shape;
    return 1;
}

void TSectionDlg::ClearResult() {
    if (IsCreated()) SetText(kResult, QString());
}

bool TSectionDlg::ReadFields(TSectionRequest& request, TSectionRange& range,
                             TSectionCounts& counts) {
    const TSectionFields fields{
        EditText(*this, kLow, kReadChars),          EditText(*this, kHigh, kReadChars),
        EditText(*this, kXSections, kReadChars),    EditText(*this, kZSections, kReadChars),
        EditText(*this, kSubintervals, kReadChars), EditText(*this, kHeight, kReadChars)};
    examples::TInventory& inventory = owner_.Inventory();
    const int f = SelectedExample();
    const int g = SelectedExample2();
    const bool listed = inventory.IsIndex(f) && inventory.IsIndex(g);
    const TSectionChoice choice{
        listed ? f : -1, listed ? g : -1,
        listed && (owner_.Compiler().UsesJoin(f) || owner_.Compiler().UsesJoin(g))};
    if (const int error = ReadSectionFields(owner_.Formulas(), fields, choice, range, counts)) {
        platform::ErrorMsg(this, error);
        return false;
    }
    request = {inventory[f].Text(2), inventory[g].Text(2), CheckedShape(), fields.height,
               IsChecked(kDouble)};
    examples::TToolSettings& tools = owner_.Tools();
    tools.sectionLow = range.low;
    tools.sectionHigh = range.high;
    tools.sectionLowLetter = static_cast<std::int16_t>(range.lowLetter);
    tools.sectionHighLetter = static_cast<std::int16_t>(range.highLetter);
    return true;
}

void TSectionDlg::OnControl(int id) {
    if (id >= kFirstShape && id < kFirstShape + kSectionShapeCount) {
        ClearResult();
        if (id - kFirstShape + 1 >= kFirstHeightShape) FocusControl(kHeight, true);
        return;
    }
    switch (id) {
        case kDouble:
            ClearResult();
            return;
        case kVolume:
            ComputeVolume();
            return;
        case kSeeSolid:
            SeeSolid();
            return;
        default:
            T2ComboDlg::OnControl(id);
    }
}

void TSectionDlg::ComputeVolume() {
    ClearResult();
    TSectionRequest request;
    TSectionRange range;
    TSectionCounts counts;
    if (!ReadFields(request, range, counts)) return;
    examples::TToolSettings& tools = owner_.Tools();
    tools.subintervals = counts.subintervals;
    tools.low = range.low;
    tools.high = range.high;
    const int result = tools_.SectionVolume(SelectedExample(), SelectedExample2(), request);
    if (result == kKeyStop) return;
    if (result != kNoError) {
        platform::ErrorMsg(this, result);
        return;
    }
    constexpr auto parabolic = static_cast<std::size_t>(examples::SumRule::Simpson);
    SetText(kResult, FromWindows1252(tools.sumTexts[parabolic]));
}

void TSectionDlg::SeeSolid() {
    TSectionRequest request;
    TSectionRange range;
    TSectionCounts counts;
    if (!ReadFields(request, range, counts)) return;
    if (const int error = tools_.SectionSolid(request, range, counts))
        platform::ErrorMsg(this, error);
}

// ------------------------------------------------------------------------------ revolution

TSurfDlg::TSurfDlg(examples::TPlot11Win& window, TSolidTools& tools)
    : TComboDlg(window, "SURFREV", kRevolvedProfileKinds), owner_(window), tools_(tools) {}

void TSurfDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    const examples::TToolSettings& tools = owner_.Tools();
    const long double ends[4] = {tools.revolutionTLow, tools.revolutionTHigh, tools.revolutionULow,
                                 tools.revolutionUHigh};
    for (int k = 0; k < 4; ++k) SetText(kRangeEdits[k], Number(owner_, ends[k]));
    ShowAxis({tools.revolutionAxis[0], tools.revolutionAxis[1], tools.revolutionAxis[2]});
}

void TSurfDlg::ShowAxis(const TAxisLine& axis) {
    SetText(kA, Number(owner_, axis.a));
    SetText(kB, Number(owner_, axis.b));
    SetText(kC, Number(owner_, axis.c));
}

int TSurfDlg::ReadRanges() {
    TRevolutionRangeTexts texts;
    for (int k = 0; k < 4; ++k)
        texts[static_cast<std::size_t>(k)] = EditText(*this, kRangeEdits[k], kReadChars);
    TRevolutionRanges ranges;
    if (const int error = ReadRevolutionRanges(owner_.Formulas(), texts, ranges)) return error;
    examples::TToolSettings& tools = owner_.Tools();
    tools.revolutionTLow = ranges.arcLow;
    tools.revolutionTHigh = ranges.arcHigh;
    tools.revolutionULow = ranges.angleLow;
    tools.revolutionUHigh = ranges.angleHigh;
    for (std::size_t k = 0; k < 4; ++k)
        tools.revolutionLetters[k] = static_cast<std::int16_t>(ranges.letters[k]);
    return kNoError;
}

int TSurfDlg::ReadAxis(TAxisLine& axis) {
    FormulaContext& f = owner_.Formulas();
    TAxisLine read;
    int letter = 0;
    if (const int e = f.ReadNumberAt(EditText(*this, kA, kReadChars), read.a, letter)) return e;
    if (const int e = f.ReadNumberAt(EditText(*this, kB, kReadChars), read.b, letter)) return e;
    if (const int e = CheckAxis(read)) return e;
    if (const int e = f.ReadNumberAt(EditText(*this, kC, kReadChars), read.c, letter)) return e;
    axis = read;
    return kNoError;
}

bool TSurfDlg::Validate(TAxisLine& axis) {
    int error = ReadRanges();
    if (!error) error = ReadAxis(axis);
    if (error) platform::ErrorMsg(this, error);
    return error == kNoError;
}

void TSurfDlg::OnControl(int id) {
    switch (id) {
        case kXAxis:
            ShowAxis(tools2d::kXAxis);
            return;
        case kYAxis:
            ShowAxis(tools2d::kYAxis);
            return;
        case kSeeArc:
            // The picture marks the arc of the ranges read now.
            if (const int error = ReadRanges()) {
                platform::ErrorMsg(this, error);
                return;
            }
            ShowArc(true);
            return;
        case kSeeSurface: {
            TAxisLine axis;
            if (!Validate(axis)) return;
            owner_.Tools().revolutionAxis = {axis.a, axis.b, axis.c};
            if (const int error = tools_.RevolveSurface(SelectedExample()))
                platform::ErrorMsg(this, error);
            return;
        }
        default:
            TComboDlg::OnControl(id);
    }
}

void TSurfDlg::ShowArc(bool shown) {
    const bool was = ArcShown();
    arcShown_ = shown;
    if (!was && !shown) return;
    owner_.InvalidateImage(ImageLayer::Picture);
    owner_.Invalidate();
}

void TSurfDlg::SelectionChanged() {
    const bool arc = SelectedKind() != k::kImplicit && SelectedKind() != k::kSegment;
    for (const int id : kRangeEdits) ShowControl(id, arc);
    for (int label = 0; label < 4; ++label) ShowControl(kFirstRangeLabel + label, arc);
    ShowControl(kSeeArc, arc);
    ShowArc(false);
}

void TSurfDlg::SelectionLost() {
    ShowArc(false);
}

void TSurfDlg::FieldEdited(int id) {
    if (id == kArcStart || id == kArcStop) ShowArc(false);
}

void TSurfDlg::CmCancel() {
    ShowArc(false);
    TComboDlg::CmCancel();
}

}  // namespace quorlin::tools2d
