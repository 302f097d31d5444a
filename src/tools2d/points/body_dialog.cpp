#include "tools2d/points/body_dialog.h"

#include <QPointer>

#include <algorithm>

#include "core/numbers.h"
#include "examples/levels/plot11_win.h"
#include "platform/boxes.h"
#include "platform/drawing_tools.h"
#include "platform/text_codec.h"
#include "plot2d/orbital_editor.h"
#include "shell/col_win.h"
#include "shell/fonts.h"
#include "tools2d/dialog_text.h"

namespace quorlin::tools2d {

namespace {

constexpr int kListFont = 7;  // the window's inventory font
constexpr std::size_t kNumberChars = 40;
constexpr std::size_t kNameChars = 255;

QString Number(long double value) {
    return QString::fromStdString(FormatShortest(value));
}

QString Count(long double value) {
    return QString::number(RoundLD(value));
}

}  // namespace

TBodyDlg::TBodyDlg(examples::TPlot11Win& window, int example)
    : Dialog(&window, "EQUA219"), window_(window), example_(example) {}

TBodyDlg::~TBodyDlg() {
    // The palette the colour choice opened goes with the dialog.
    if (colourChosen_ && window_.PaletteWindow()) window_.PaletteWindow()->HideWindow();
}

TOrbitalEditor TBodyDlg::Editor() const {
    return TOrbitalEditor(window_.Inventory()[example_], window_.Dimension() >= 3);
}

void TBodyDlg::SetupWindow() {
    Dialog::SetupWindow();
    SetControlFont(kBodies, platform::ToQFont(ToFontSpec(window_.Fonts().Font(kListFont))));
    SetChecked(kInitial, true);
    SetChecked(kCurrent, false);
    FillList();
    SelectBody(0);
    if (window_.IsPaletteShown()) TargetPalette(false);
    const bool space = window_.Dimension() >= 3;
    for (const int id : {kPosition[2], kVelocity[2], kZLabel, kZVelocityLabel})
        ShowControl(id, space);
    ShowSystem();
    ShowBodyAll();
}

void TBodyDlg::ShowSystem() {
    const plot2d::orbital::TOrbitalSettings s = Editor().Settings();
    SetText(kGravity, Number(s.gravity));
    SetText(kInterval, Number(s.interval));
    SetText(kPositions, Count(s.positions));
    SetText(kCalculations, Count(s.calculations));
    SetText(kBulletSize, QString::number(std::clamp(s.bulletSize, 1, kMaxBulletSize)));
    SetChecked(kWatch, s.watch);
    SetChecked(kFrameBoundary, s.frameBoundary);
    SetChecked(kBullets, s.bullets);
}

void TBodyDlg::FillList() {
    ClearList(kBodies);
    for (const std::string& entry : Editor().ListEntries())
        AddString(kBodies, FromWindows1252(entry));
}

void TBodyDlg::SelectBody(int i) {
    current_ = std::clamp(i, 0, std::max(Editor().BodyCount() - 1, 0));
    SetSelectedIndex(kBodies, current_);
    UpdateButtons();
}

void TBodyDlg::UpdateButtons() {
    const TOrbitalEditor editor = Editor();
    EnableControl(kNew, editor.CanAddBody());
    EnableControl(kDelete, editor.CanDeleteBody(current_));
}

void TBodyDlg::ShowBody() {
    const TBodyView body = Editor().Body(current_, Initial());
    for (int c = 0; c < 3; ++c) {
        const long double p[3] = {body.position.x, body.position.y, body.position.z};
        const long double v[3] = {body.velocity.x, body.velocity.y, body.velocity.z};
        SetText(kPosition[c], Number(p[c]));
        SetText(kVelocity[c], Number(v[c]));
    }
    SetText(kMass, Number(body.mass));
}

void TBodyDlg::ShowBodyAll() {
    ShowBody();
    const TBodyView body = Editor().Body(current_, true);
    SetText(kPenWidth, QString::number(body.penWidth));
    SetText(kName, FromWindows1252(body.name));
}

bool TBodyDlg::StoreBody() {
    TBodyTexts typed;
    for (int c = 0; c < 3; ++c) {
        typed.position[static_cast<std::size_t>(c)] = EditText(*this, kPosition[c], kNumberChars);
        typed.velocity[static_cast<std::size_t>(c)] = EditText(*this, kVelocity[c], kNumberChars);
    }
    typed.mass = EditText(*this, kMass, kNumberChars);
    typed.name = EditText(*this, kName, kNameChars);
    typed.penWidth = EditText(*this, kPenWidth, kNumberChars);
    if (const int error = CheckBodyTexts(typed)) {
        platform::ErrorMsg(this, error);
        FocusControl(kMass, true);
        return false;
    }
    Editor().StoreBody(current_, typed, Initial());
    return true;
}

void TBodyDlg::BodyChanged() {
    const int position = SelectedIndex(kBodies);
    if (position < 0 || position == current_) return;
    if (!StoreBody()) {  // the body stays chosen until its fields read
        SetSelectedIndex(kBodies, current_);
        return;
    }
    FillList();
    SelectBody(position);
    ShowBodyAll();
    if (window_.IsPaletteShown()) TargetPalette(false);
}

void TBodyDlg::TargetPalette(bool open) {
    if (!open && !window_.IsPaletteShown()) return;
    examples::TExample& system = window_.Inventory()[example_];
    if (current_ >= static_cast<int>(system.trajectories.size())) return;
    const QPointer<TBodyDlg> self(this);
    const int body = current_;
    const auto chosen = [this, self, body](int index) {
        if (!self) return;
        examples::TExample& e = window_.Inventory()[example_];
        if (body < static_cast<int>(e.trajectories.size()))
            e.trajectories[static_cast<std::size_t>(body)].pen.colour =
                static_cast<std::int16_t>(index);
    };
    window_.OpenColorPicker(
        0, chosen, system.trajectories[static_cast<std::size_t>(body)].pen.colour, GetText(kName));
}

bool TBodyDlg::CanClose() {
    if (!StoreBody()) return false;
    TSystemTexts typed;
    const int ids[] = {kGravity, kInterval, kPositions, kCalculations, kBulletSize};
    for (std::size_t f = 0; f < typed.fields.size(); ++f)
        typed.fields[f] = EditText(*this, ids[f], kNumberChars);
    typed.watch = IsChecked(kWatch);
    typed.frameBoundary = IsChecked(kFrameBoundary);
    typed.bullets = IsChecked(kBullets);
    const TSystemCheck check = Editor().StoreSystem(typed);
    if (check.error == 0) return true;
    platform::ErrorMsg(this, check.error);
    FocusControl(ids[check.field], true);
    return false;
}

void TBodyDlg::OnControl(int id) {
    TOrbitalEditor editor = Editor();
    switch (id) {
        case kInitial:
        case kCurrent:
            ShowBody();
            return;
        case kColor:
            TargetPalette(true);
            colourChosen_ = true;
            return;
        case kMany:
            SetText(kPositions, QString::fromLatin1(kManyPositions.data(),
                                                    static_cast<int>(kManyPositions.size())));
            return;
        case kNew:
            if (editor.CanAddBody() && StoreBody()) {
                const int added = editor.AddBody();
                FillList();
                SelectBody(added);
                ShowBodyAll();
            }
            return;
        case kDelete:
            if (editor.DeleteBody(current_)) {
                FillList();
                SelectBody(0);
                ShowBodyAll();
            }
            return;
        case kClear:
            // The picture starts again; "draw" stores the fields as they stand.
            editor.ClearPositions();
            window_.InvalidateGraph();
            return;
        case kSetOrigin:
        case kAbsolute:
            if (id == kSetOrigin)
                editor.SetOrigin(current_);
            else
                editor.ClearOrigin();
            FillList();
            SelectBody(current_);
            return;
        case kHelp:
            window_.ShowHelp({}, {});
            return;
        default:
            Dialog::OnControl(id);
    }
}

void TBodyDlg::OnNotify(int id, platform::Notification what) {
    if (id == kBodies && what == platform::Notification::SelectionChanged) BodyChanged();
    Dialog::OnNotify(id, what);
}

void InstallOrbitalEditor() {
    plot2d::SetOrbitalEditor([](examples::TPlot11Win& window, int index) {
        TBodyDlg dialog(window, index);
        return dialog.Execute();
    });
}

}  // namespace quorlin::tools2d
