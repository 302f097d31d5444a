#include "tools2d/derived/transform_dialogs.h"

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "examples/records/derivation.h"
#include "platform/boxes.h"
#include "tools2d/dialog_text.h"
#include "tools2d/derived/transform_builders.h"

namespace quorlin::tools2d {

namespace d = examples::derived;

namespace {

constexpr std::size_t kMostText = 255;

}  // namespace

TDeriveContext DeriveContextOf(examples::TPlot11Win& window) {
    return {window.Inventory(), window.Formulas(), window.Compiler()};
}

int ApplyTransform(examples::TPlot11Win& window, std::span<const int> examples, int code,
                   const TTransformTexts& texts) {
    const bool mirror = code < 0;
    const int positive = mirror ? -code : code;
    TDeriveContext context = DeriveContextOf(window);
    int error = 0;
    int added = 0;
    for (std::size_t k = 0; k < examples.size() && error == 0; ++k) {
        const TAddResult image = AppendTransformed(context, examples[k], positive, texts);
        error = image.error;
        if (!image.Added()) break;
        ++added;
        window.AddEquationLabel();
        if (!mirror || k + 1 != examples.size() || !window.Inventory().HasRoom()) continue;
        if (AppendMirrorLine(context, image.index, positive, texts).Added())
            window.AddEquationLabel();
    }
    if (added > 0) {
        window.InventoryChanged(1);
        window.MarkWindowSymbols();
        window.InvalidateGraph();
    }
    if (error != 0) platform::ErrorMsg(&window, error);
    return error;
}

int AddDerivative(examples::TPlot11Win& window, int i) {
    if (!window.CanAddExample(true)) return kErrNoMoreRoom;
    TDeriveContext context = DeriveContextOf(window);
    const TAddResult added = AppendDerivative(context, i);
    if (!added.Added()) {
        platform::ErrorMsg(&window, added.error);
        return added.error;
    }
    window.InventoryChanged(1);
    window.AddEquationLabel();
    window.MarkWindowSymbols();
    window.DrawExampleNow(added.index);
    return 0;
}

// ------------------------------------------------------------------------------ the base

TTransformDlg::TTransformDlg(examples::TPlot11Win& window, std::string_view templateName,
                             std::span<const int> kinds, TTransformKind kind)
    : TComboDlg(window, templateName, kinds), owner_(window), kind_(kind) {
    allowLagrange = true;
    allowDerived = true;
}

void TTransformDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    for (int id = kFirstEdit; id < kFirstEdit + 3; ++id) SetMaxLength(id, kMostText);
    UpdateUndo();
}

void TTransformDlg::OnControl(int id) {
    if (id == kApplyButton)
        Apply();
    else if (id == kUndoButton)
        Undo();
    else
        TComboDlg::OnControl(id);
}

void TTransformDlg::RefillLists() {
    TComboDlg::RefillLists();
    UpdateUndo();
}

std::vector<int> TTransformDlg::Targets() const {
    const int selected = SelectedExample();
    if (selected < 0) return {};
    const examples::TInventory& inventory = owner_.Inventory();
    if (!inventory.Entry(selected).familyMark) return {selected};
    std::vector<int> marked;
    for (const int i : Listed())
        if (inventory.Entry(i).familyMark) marked.push_back(i);
    return marked;
}

TTransformTexts TTransformDlg::Texts(std::array<std::string, 3>& storage) const {
    for (int k = 0; k < 3; ++k)
        storage[static_cast<std::size_t>(k)] = EditText(*this, kFirstEdit + k, kMostText);
    return {storage[0], storage[1], storage[2]};
}

void TTransformDlg::Apply() {
    const std::vector<int> targets = Targets();
    if (targets.empty()) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    if (!owner_.CanAddExample(true)) return;
    std::array<std::string, 3> storage;
    const TTransformTexts texts = Texts(storage);
    ApplyTransform(owner_, targets, Code(), texts);
    UpdateUndo();
}

void TTransformDlg::Undo() {
    const examples::TInventory& inventory = owner_.Inventory();
    if (inventory.Empty() || !CarriesCode(inventory[inventory.LastIndex()], kind_)) return;
    const int last = inventory.LastIndex();
    owner_.DeleteExamples(std::span<const int>(&last, 1));
    owner_.RedrawAll();
    UpdateUndo();
}

void TTransformDlg::UpdateUndo() {
    const examples::TInventory& inventory = owner_.Inventory();
    EnableControl(kUndoButton,
                  !inventory.Empty() && CarriesCode(inventory[inventory.LastIndex()], kind_));
}

// ------------------------------------------------------------------------------ the three tools

TReflDlg::TReflDlg(examples::TPlot11Win& window)
    : TTransformDlg(window, "REFLECT", ReflectableKinds(), TTransformKind::kReflect) {}

void TReflDlg::SetupWindow() {
    TTransformDlg::SetupWindow();
    SetChecked(kFirstRadio, true);
    SetText(kFirstEdit, QStringLiteral("1.0"));
    SetText(kFirstEdit + 1, QStringLiteral("2.0"));
    SetText(kFirstEdit + 2, QStringLiteral("3.0"));
    SetChecked(kMirrorCheck, false);
}

int TReflDlg::Code() const {
    int code = d::kReflectX;
    for (int k = 0; k < 4; ++k)
        if (IsChecked(kFirstRadio + k)) code = d::kReflectX + k;
    return IsChecked(kMirrorCheck) ? -code : code;
}

TRotaDlg::TRotaDlg(examples::TPlot11Win& window)
    : TTransformDlg(window, "ROTATE", ReflectableKinds(), TTransformKind::kRotate) {}

void TRotaDlg::SetupWindow() {
    TTransformDlg::SetupWindow();
    SetChecked(kHalfTurnRadio, true);
    SetText(kFirstEdit, QStringLiteral("pi/3"));
    SetText(kFirstEdit + 1, QStringLiteral("0.0"));
    SetText(kFirstEdit + 2, QStringLiteral("0.0"));
}

int TRotaDlg::Code() const {
    return IsChecked(kHalfTurnRadio) ? d::kHalfTurn : d::kRotation;
}

TTransformTexts TRotaDlg::Texts(std::array<std::string, 3>& storage) const {
    TTransformTexts texts = TTransformDlg::Texts(storage);
    if (IsChecked(kHalfTurnRadio)) texts[0] = "pi";
    return texts;
}

TTranDlg::TTranDlg(examples::TPlot11Win& window)
    : TTransformDlg(window, "TRANSLATE", TranslatableKinds(), TTransformKind::kTranslate) {}

void TTranDlg::SetupWindow() {
    TTransformDlg::SetupWindow();
    SetText(kFirstEdit, QStringLiteral("1.0"));
    SetText(kFirstEdit + 1, QStringLiteral("2.0"));
    SetText(kFirstEdit + 2, QStringLiteral("3.0"));
    // A plane window moves by two components only.
    ShowControl(kFirstEdit + 2, false);
    ShowControl(kThirdLabel, false);
}

int TTranDlg::Code() const {
    return d::kTranslation;
}

}  // namespace quorlin::tools2d
