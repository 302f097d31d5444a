#include "canvas/text_dialog.h"

#include "canvas/axes_settings.h"
#include "canvas/zel_wint.h"
#include "core/errors.h"
#include "core/random.h"
#include "core/text_helpers.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/text_codec.h"

namespace quorlin::canvas {

using resources::ControlKind;
namespace id = textdlg;

namespace {

constexpr int kMaxTextChars = 59;
constexpr int kMaxExpressionChars = 254;

// The leading integer of a field as the C library's atoi reads it.
int LeadingInt(const QString& text) {
    return canvas::LeadingInt(text.toStdString());
}

// The text as the file's 8-bit bytes, characters it cannot hold as "?", cut to maxChars.
std::string ToFileText(const QString& text, int maxChars) {
    std::string out;
    for (const QChar c : text.left(maxChars)) out += ToWindows1252(QString(c)).value_or("?");
    return out;
}

}  // namespace

TTextDlg::TTextDlg(TZELWint& window, std::string_view templateName, TEquationLabel& record,
                   TEvalText* eval)
    : platform::Dialog(&window, templateName), window_(window), record_(record), eval_(eval) {}

void TTextDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    SetText(id::kText, ControlKind::Edit, FromWindows1252(record_.text));
    SetText(id::kDashCode, ControlKind::Edit, QStringLiteral("150"));
    SetText(id::kAngle, ControlKind::Edit,
            QString::number(static_cast<int>(std::lround(record_.font.escapement * 0.1))));
    SetChecked(id::kHyphens, false);
    SetChecked(id::kOpaque, record_.transparent == 0);
    const int radio =
        record_.anchor >= 0 ? id::kOther : (record_.anchor < -1 ? id::kFrame : id::kFigure);
    SetChecked(radio, true);
    window_.SetupTieList(*this, id::kTieList, id::kOther, record_.anchor);
    if (eval_) {
        const int edits[4] = {id::kText, id::kExpression2, id::kExpression3, id::kLabel};
        for (int i = 0; i < 4; ++i)
            SetText(edits[i], ControlKind::Edit, FromWindows1252(eval_->texts[i]));
        for (int i = 0; i < 3; ++i)
            SetText(id::kPlaces1 + i, ControlKind::Edit, QString::number(eval_->places[i]));
        for (int i = 0; i < 5; ++i) SetChecked(id::kFlag1 + i, eval_->flags[i] != 0);
    }
    ShowControl(id::kHideWithPoint, window_.TieTargets().hideWithAnchor);
    if (window_.TieTargets().hideWithAnchor)
        SetChecked(id::kHideWithPoint, record_.HidesWithAnchor());
    move(TZELWin::DialogColumn(), TZELWin::DialogRow() + 10 * (RandomInt() % 6));
}

std::optional<int> TTextDlg::ChosenAnchor() const {
    if (IsChecked(id::kFigure)) return kAnchorFigure;
    if (IsChecked(id::kFrame)) return kAnchorFrame;
    return window_.ChosenTieTarget(*this, id::kTieList);
}

int TTextDlg::ReadEvalFields(int dashCode) {
    if (dashCode > 0) eval_->dash = static_cast<std::uint32_t>(dashCode);
    const int edits[4] = {id::kText, id::kExpression2, id::kExpression3, id::kLabel};
    for (int i = 0; i < 4; ++i)
        eval_->texts[i] = ToFileText(GetText(edits[i], ControlKind::Edit), kMaxExpressionChars);
    for (int i = 0; i < 5; ++i) eval_->flags[i] = IsChecked(id::kFlag1 + i) ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        if (!eval_->flags[i]) continue;
        bool ok = false;
        const int places = GetText(id::kPlaces1 + i, ControlKind::Edit).trimmed().toInt(&ok);
        if (!ok || places < 0 || places > TEvalText::kMaxPlaces) return kErrOutOfBounds;
        eval_->places[i] = places;
    }
    eval_->CopySettingsFrom(*eval_);  // recounts the active expressions
    return 0;
}

bool TTextDlg::CanClose() {
    TEquationLabel r = record_;
    r.text = ToFileText(GetText(id::kText, ControlKind::Edit), kMaxTextChars);
    r.transparent = IsChecked(id::kOpaque) ? 0 : 1;
    const auto anchor = ChosenAnchor();
    if (!anchor) return false;
    r.anchor = static_cast<std::int16_t>(*anchor);
    int dashCode = 0;
    if (IsChecked(id::kHyphens)) {
        dashCode = LeadingInt(GetText(id::kDashCode, ControlKind::Edit));
        r.text = ReplaceHyphens(r.text, dashCode);
    }
    if (window_.TieTargets().hideWithAnchor) r.SetHidesWithAnchor(IsChecked(id::kHideWithPoint));
    if (eval_) {
        if (dashCode < 1 || dashCode > 255) dashCode = 0;
        if (const int err = ReadEvalFields(dashCode)) {
            platform::ErrorMsg(this, err);
            return false;
        }
        std::uint16_t index = r.evalIndex;
        const int result = window_.ParseEvalText(*eval_, index, true);
        if (result > 0) {
            platform::ErrorMsg(this, result);
            return false;
        }
        // Nothing to show: the text goes (or is never made).
        r.text = result < 0 ? std::string() : std::string("X");
    }
    r.shown = 1;
    r.font.escapement = EscapementOfDegrees(LeadingInt(GetText(id::kAngle, ControlKind::Edit)));
    record_ = std::move(r);
    return true;
}

void TTextDlg::OnControl(int controlId) {
    switch (controlId) {
        case id::kFont:
            CmFont();
            return;
        case id::kDelete:
            CmDelete();
            return;
        default:
            platform::Dialog::OnControl(controlId);
    }
}

void TTextDlg::CmFont() {
    platform::FontChoice initial;
    initial.font = ToFontSpec(record_.font);
    initial.pointSizeTenths = record_.TextPointSize() * 10;
    initial.color = FromColorRef(record_.colour);
    // The text's font has no name of its own: the chooser names it by face and size.
    const auto choice = platform::CurrentCommonDialogs().ChooseFont(this, QString(), initial);
    if (!choice) return;
    if (auto font = FontRecordFromSpec(choice->font, record_.font)) record_.font = *font;
    record_.SetTextPointSize(choice->pointSizeTenths);
    record_.colour = ToColorRef(choice->color);
    if (window_.FontChangeMarksModified()) window_.MarkModified();
}

void TTextDlg::CmDelete() {
    SetChecked(id::kOther, false);
    if (!IsChecked(id::kFrame)) SetChecked(id::kFigure, true);
    SetText(id::kText, ControlKind::Edit, QString());
    if (eval_)
        for (int i = 0; i < 5; ++i) SetChecked(id::kFlag1 + i, false);
    platform::Dialog::OnControl(platform::kIdOk);
}

}  // namespace quorlin::canvas
