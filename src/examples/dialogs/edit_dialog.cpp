#include "examples/dialogs/edit_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::examples {

namespace {

using platform::ControlKind;

constexpr int kMaxEditChars = 255;

// Colour roles of the editing dialog: col 1, col 2, the example, its field.
constexpr int kFirstRole = 6;
constexpr int kRoles = 4;

// Buttons of the editing dialog.
constexpr int kColour1 = 206;
constexpr int kColour2 = 207;
constexpr int kColour = 208;
constexpr int kFieldColour = 209;
constexpr int kGridColour = 210;
constexpr int kHelp = 354;

// The controls whose state the form keeps: radio buttons and check boxes.
constexpr int kFirstRadio = 251;
constexpr int kLastRadio = 262;
constexpr int kFirstCheck = 271;
constexpr int kLastCheck = 282;

constexpr int kStrSegment = 244;
constexpr int kStrGridline = 112;
constexpr int kStrFamily = 134;
constexpr int kStrWeb = 150;
constexpr int kStrOverlayColour = 151;

// Buttons of the family and web dialogs.
constexpr int kDefine = 91;
constexpr int kUndefine = 52;
constexpr int kWebColour = 212;

QString Ui(std::string_view text) {
    return FromWindows1252(text);
}

// A typed text as the record keeps it; characters without an 8-bit form become '?', which no
// formula accepts, so such a text is refused by the reading rather than stored mangled.
std::string FromUi(const QString& text) {
    if (auto bytes = ToWindows1252(text)) return *bytes;
    QString plain = text;
    for (QChar& c : plain)
        if (!ToWindows1252(QString(c))) c = QLatin1Char('?');
    return ToWindows1252(plain).value_or(std::string());
}

int EditingKind(const TExample& e) {
    return e.IsLagrangeExplicit() ? kind::kLagrange : e.kind;
}

}  // namespace

// --- TEditExmpDlg ----------------------------------------------------------------------------

TEditExmpDlg::TEditExmpDlg(TExampleHost& host, QWidget* parent, int index, std::uint32_t* mask)
    : platform::Dialog(parent, EditorTemplateName(host.Inventory()[index])),
      host_(host),
      index_(index),
      mask_(mask),
      editor_(host.Inventory()[index], index, host.EditorEnv(), host.Formulas()) {
    // The palette window stays usable while the dialog runs.
    setWindowModality(Qt::WindowModal);
}

void TEditExmpDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    const QFont font = host_.DialogFont();
    for (const int id : TExampleEditor::EditIds(EditingKind(host_.Inventory()[index_]))) {
        SetMaxLength(id, kMaxEditChars);
        SetControlFont(id, font);
    }
    form_ = editor_.Load();
    for (int i = 0; i < kRoles; ++i) host_.SetColourRole(kFirstRole + i, form_.colours[i]);
    gridColour_ = form_.gridColour;
    if (host_.IsPaletteShown())
        host_.ChooseColour(kFirstRole + 2, EditorColourCaption(editor_.Kind()));
    ShowForm();
}

void TEditExmpDlg::ShowForm() {
    for (const auto& [id, text] : form_.edits) SetText(id, ControlKind::Edit, Ui(text));
    for (int id = kFirstRadio; id <= kLastRadio; ++id)
        if (Control(id, ControlKind::Radio)) SetChecked(id, form_.IsChecked(id));
    for (int id = kFirstCheck; id <= kLastCheck; ++id)
        if (Control(id, ControlKind::CheckBox)) SetChecked(id, form_.IsChecked(id));
    for (const auto& [id, text] : form_.labels) SetText(id, ControlKind::Static, Ui(text));
    // Controls the form hides; those it shows again (the end marks of a locked interval).
    for (int id : shownHidden_)
        if (form_.IsShown(id)) ShowControl(id, true);
    for (int id : form_.hidden) ShowControl(id, false);
    for (int id : form_.disabled) EnableControl(id, false);
    shownHidden_ = form_.hidden;
    if (!form_.caption.empty()) setWindowTitle(Ui(form_.caption));
}

void TEditExmpDlg::showEvent(QShowEvent* event) {
    platform::Dialog::showEvent(event);
    keyboardTakenBack_ = false;
    // After the click or double click that opened the dialog has been handled in full.
    QTimer::singleShot(0, this, &TEditExmpDlg::TakeKeyboard);
}

void TEditExmpDlg::changeEvent(QEvent* event) {
    platform::Dialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible() || isActiveWindow()) return;
    // Opened from the inventory, which is made busy meanwhile, the dialog sees the window system
    // hand the activation on to the window it edits for, a window its modal run blocks: typing
    // and Return would go nowhere. It takes the keyboard back, once, so that no window fights
    // with it; any other window (the help, the palette) keeps what the user gave it.
    const QWidget* active = QApplication::activeWindow();
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (keyboardTakenBack_ || !active || active != owner) return;
    keyboardTakenBack_ = true;
    QTimer::singleShot(0, this, &TEditExmpDlg::TakeKeyboard);
}

void TEditExmpDlg::TakeKeyboard() {
    if (!isVisible()) return;
    raise();
    activateWindow();
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!edit || !edit->isVisibleTo(this) || !edit->isEnabled()) continue;
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        return;
    }
}

TEditorForm TEditExmpDlg::ReadForm() const {
    TEditorForm form = form_;
    for (auto& [id, text] : form.edits) {
        if (Control(id, ControlKind::Edit))
            text = FromUi(GetText(id, ControlKind::Edit).left(kMaxEditChars));
    }
    for (int id = kFirstRadio; id <= kLastRadio; ++id)
        if (Control(id, ControlKind::Radio)) form.SetChecked(id, IsChecked(id));
    for (int id = kFirstCheck; id <= kLastCheck; ++id)
        if (Control(id, ControlKind::CheckBox)) form.SetChecked(id, IsChecked(id));
    for (int i = 0; i < kRoles; ++i) form.colours[i] = host_.ColourRole(kFirstRole + i);
    form.gridColour = gridColour_;
    return form;
}

void TEditExmpDlg::OnControl(int id) {
    const int kind = editor_.Kind();
    switch (id) {
        case 271:
        case 272:
            if (kind == kind::kExplicit || kind == kind::kIntegral) {
                form_ = ReadForm();
                editor_.IntervalSwitched(form_, id);
                ShowForm();
            }
            return;
        case 276:
            if (kind == kind::kParametric) {
                form_ = ReadForm();
                editor_.PolarSwitched(form_);
                ShowForm();
            }
            return;
        case kColour1:
            paletteUsed_ = true;
            host_.ShadingColourChosen();
            host_.ChooseColour(kFirstRole, 0);
            return;
        case kColour2:
            paletteUsed_ = true;
            host_.ChooseColour(kFirstRole + 1, 0);
            return;
        case kColour:
            paletteUsed_ = true;
            host_.ChooseColour(kFirstRole + 2, EditorColourCaption(kind));
            return;
        case kFieldColour:
            paletteUsed_ = true;
            host_.ChooseColour(kFirstRole + 3, kind == kind::kSystem || kind == kind::kSpaceSystem
                                                   ? kStrSegment
                                                   : 0);
            return;
        case kGridColour:
            paletteUsed_ = true;
            host_.PickColour(kStrGridline, gridColour_,
                             [this](int index) { gridColour_ = static_cast<std::int16_t>(index); });
            return;
        case kHelp: {
            const int editing = EditingKind(host_.Inventory()[index_]);
            host_.ShowEditorHelp(editing, EditorHelpTopic(editing));
            return;
        }
        case platform::kIdCancel:
            if (paletteUsed_) host_.HidePalette();
            CloseWindow(platform::kIdCancel);
            return;
        default:
            platform::Dialog::OnControl(id);
    }
}

bool TEditExmpDlg::CanClose() {
    const TEditorOutcome outcome = editor_.Read(ReadForm());
    if (outcome.error != kNoError) {
        platform::ErrorMsg(this, outcome.error);
        return false;
    }
    FormulaContext& formulas = host_.Formulas();
    for (const TParameterBinding& b : outcome.bindings) formulas.SetVar(b.letter, b.value);
    if (outcome.defaultPenWidth > 0) host_.SetNewExamplePenWidth(outcome.defaultPenWidth);
    TExample& record = host_.Inventory()[index_];
    StoreEditedRecord(record, outcome.record);
    if (mask_) *mask_ = outcome.mask;
    if (record.kind == kind::kRevolution && outcome.mask != 0) {
        record.EndsBound() = 1;
        host_.SetParamsFromExample(index_);
    }
    if (paletteUsed_) host_.HidePalette();
    return true;
}

// --- TFamDlg ---------------------------------------------------------------------------------

TFamDlg::TFamDlg(TExampleHost& host, QWidget* parent, int index)
    : platform::Dialog(parent, "FAM"), host_(host), index_(index) {
    setWindowModality(Qt::WindowModal);
}

void TFamDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    const TExample& e = host_.Inventory()[index_];
    setWindowTitle(platform::ResourceString(kStrFamily) + QStringLiteral(" [") +
                   Ui(host_.ShortText(e)) + QStringLiteral("]"));
    const TFamilyFields f = LoadFamilyFields(e, host_.Format());
    SetText(214, Ui(f.letter));
    SetText(211, Ui(f.low));
    SetText(212, Ui(f.high));
    SetText(213, Ui(f.steps));
    SetText(215, Ui(f.delay));
    SetChecked(271, f.watch);
}

void TFamDlg::OnControl(int id) {
    switch (id) {
        case kDefine: {
            TFamilyFields f;
            f.letter = FromUi(GetText(214));
            f.low = FromUi(GetText(211));
            f.high = FromUi(GetText(212));
            f.steps = FromUi(GetText(213));
            f.delay = FromUi(GetText(215));
            f.watch = IsChecked(271);
            const int error = ReadFamilyFields(f, host_.Formulas(), host_.Inventory()[index_]);
            if (error != kNoError) {
                platform::ErrorMsg(this, error);
                return;
            }
            CloseWindow(platform::kIdOk);
            return;
        }
        case kUndefine:
            host_.Inventory()[index_].familyOn = 0;
            CloseWindow(platform::kIdOk);
            return;
        case platform::kIdOk:
            return;  // Enter defines nothing
        default:
            platform::Dialog::OnControl(id);
    }
}

// --- TWebDlg ---------------------------------------------------------------------------------

TWebDlg::TWebDlg(TExampleHost& host, QWidget* parent, int index)
    : platform::Dialog(parent, "WEB"), host_(host), index_(index) {
    setWindowModality(Qt::WindowModal);
}

void TWebDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    const TExample& e = host_.Inventory()[index_];
    setWindowTitle(platform::ResourceString(kStrWeb) + QStringLiteral(" [") + Ui(e.Text(2)) +
                   QStringLiteral("]"));
    const TWebFields f = LoadWebFields(e, host_.Format());
    SetText(211, Ui(f.seed));
    SetChecked(251, !f.parameter);
    SetChecked(252, f.parameter);
    SetText(212, Ui(f.steps));
    SetText(213, Ui(f.arrowSize));
    SetChecked(271, f.arrows);
    SetChecked(272, f.initialSegment);
    ClearList(295);
    for (int i = 0; i < kWebLetters; ++i) AddString(295, QString(QLatin1Char('A' + i)));
    SetSelectedIndex(295, f.letter);
    if (host_.IsPaletteShown()) OnControl(kWebColour);
}

void TWebDlg::OnControl(int id) {
    switch (id) {
        case kWebColour: {
            paletteUsed_ = true;
            TExampleHost& host = host_;
            const int index = index_;
            host_.PickColour(kStrOverlayColour, host_.Inventory()[index_].extraColour[1],
                             [&host, index](int colour) {
                                 if (host.Inventory().IsIndex(index))
                                     host.Inventory()[index].extraColour[1] =
                                         static_cast<std::int16_t>(colour);
                             });
            return;
        }
        case kDefine: {
            TWebFields f;
            f.parameter = IsChecked(252);
            f.seed = FromUi(GetText(211));
            f.letter = std::max(0, SelectedIndex(295));
            f.steps = FromUi(GetText(212));
            f.arrowSize = FromUi(GetText(213));
            f.arrows = IsChecked(271);
            f.initialSegment = IsChecked(272);
            const int error = ReadWebFields(f, host_.Formulas(), host_.Inventory()[index_]);
            if (error != kNoError) {
                platform::ErrorMsg(this, error);
                return;
            }
            if (paletteUsed_) host_.HidePalette();
            CloseWindow(platform::kIdOk);
            return;
        }
        case kUndefine:
            host_.Inventory()[index_].WebOn() = 0;
            CloseWindow(platform::kIdOk);
            return;
        case platform::kIdOk:
            return;
        default:
            platform::Dialog::OnControl(id);
    }
}

}  // namespace quorlin::examples
