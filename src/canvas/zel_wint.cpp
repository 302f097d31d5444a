#include "canvas/zel_wint.h"

#include <QPen>
#include <QPolygon>

#include <algorithm>

#include "canvas/text_dialog.h"
#include "core/errors.h"
#include "core/text_helpers.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::canvas {

namespace cmd = resources::cmd;

TZELWint::TZELWint(int kind, QString fileName, QString iniName, QWidget* parent)
    : TGridWin(kind, std::move(fileName), std::move(iniName), parent) {
    ResetFrameTextReference();
    HandleCommand(cmd::kDeleteAllText, [this] { CmDeleteAllText(); });
    HandleCommand(cmd::kShowHideAllText, [this] { CmShowHideAllText(); });
    const auto textPress = [this](const platform::MouseEvent& e) { return TextModePress(e); };
    HandleMouseMode(cmd::kMouseText, PressHandler(textPress));
    HandleMouseMode(cmd::kMouseEvaluatedText, PressHandler(textPress));
    // The paste mode is the picture level's; its left button drags here as in the text modes.
    AddMouseModeHandler(cmd::kMousePaste, PressHandler([this](const platform::MouseEvent& e) {
                            return DragOnLeftButton(e);
                        }));
}

TZELWint::~TZELWint() = default;

// ------------------------------------------------------------------------------ slots

void TZELWint::FillTieList(platform::Dialog&, int, int) {}

bool TZELWint::SetupTieList(platform::Dialog& dlg, int listId, int switchId, int anchor) {
    if (tieTargets_.offered) {
        FillTieList(dlg, listId, anchor);
        return true;
    }
    dlg.ShowControl(listId, false);
    dlg.ShowControl(switchId, false);
    return false;
}

std::optional<int> TZELWint::ChosenTieTarget(const platform::Dialog& dlg, int listId) const {
    const int entries = dlg.ItemCount(listId);
    if (entries == 0) return std::nullopt;
    const int position = entries == 1 ? 0 : dlg.SelectedIndex(listId);
    if (position < 0 || position >= static_cast<int>(tieTargets_.table.size())) return std::nullopt;
    return tieTargets_.table[static_cast<std::size_t>(position)];
}

void TZELWint::RescaleFrameTexts(long double newHalfWidth, long double newHalfHeight,
                                 long double oldHalfWidth, long double oldHalfHeight) {
    // Both lists live on this level, so both keep their place; the plot levels add the
    // equation labels.
    for (TextList* list : {&plain_, &evaluated_})
        canvas::RescaleFrameTexts(*list, newHalfWidth, newHalfHeight, oldHalfWidth, oldHalfHeight);
}

WorldPoint TZELWint::AnchorPoint(int) const {
    return {};
}

bool TZELWint::IsAnchorShown(int) const {
    return true;
}

std::string TZELWint::GetTextString(const TEquationLabel& text, bool) const {
    return text.text;
}

bool TZELWint::GetEvalText(TEvalText& out, int evalIndex) const {
    const TEvalText* e = evalTable_.Find(evalIndex);
    if (!e) return false;
    out = *e;
    return true;
}

int TZELWint::ParseEvalText(const TEvalText& text, std::uint16_t& evalIndex, bool checkOnly) {
    if (checkOnly) {
        const bool showsSomething =
            std::any_of(text.flags.begin(), text.flags.begin() + 4, [](auto f) { return f != 0; });
        return showsSomething ? 0 : -1;
    }
    int index = evalIndex;
    if (!evalTable_.Find(index)) {
        const auto free = evalTable_.FreeIndex();
        if (!free) return kErrNoMoreRoom;
        index = *free;
    }
    evalTable_.Store(index, text);
    evalIndex = static_cast<std::uint16_t>(index);
    return 0;
}

// ------------------------------------------------------------------------------ texts

WorldPoint TZELWint::AnchorOriginOf(int anchor) const {
    return AnchorOrigin(anchor, View(), [this](int k) { return AnchorPoint(k); });
}

AnchorLookup TZELWint::AnchorPoints() const {
    return [this](int k) { return AnchorPoint(k); };
}

std::optional<TextHit> TZELWint::TextAtPoint(QPoint point, const TextList& list) const {
    return canvas::TextAtPoint(list, point, View(), AnchorPoints());
}

void TZELWint::NewTextAt(QPoint point) {
    const bool evaluated = MouseMode() == cmd::kMouseEvaluatedText;
    TextList& list = evaluated ? evaluated_ : plain_;

    TEquationLabel record;
    record.font = Fonts().Font(kFontTextOverlay);
    record.sizeAndHide = static_cast<std::uint16_t>(Fonts().PointSize(kFontTextOverlay) % 100);
    record.left = record.right = ScreenToX(point.x());
    record.top = record.bottom = ScreenToY(point.y());
    TEvalText eval;

    const auto hit = TextAtPoint(point, list);
    if (hit) {
        const TEquationLabel& old = list[hit->index];
        record = TextToAbsolute(old, AnchorOriginOf(old.anchor));
        if (evaluated) GetEvalText(eval, old.evalIndex);
    } else {
        // A new evaluated text needs a free entry; say so before the dialog opens.
        if (evaluated && !evalTable_.HasRoom()) {
            platform::ErrorMsg(this, kErrNoMoreRoom);
            return;
        }
        if (!list.empty()) {
            // A new text takes the style of the previous one.
            const TEquationLabel& last = list.back();
            record.transparent = last.transparent;
            record.text = evaluated ? std::string() : last.text;
            record.colour = last.colour;
            record.font = last.font;
            record.sizeAndHide = last.sizeAndHide;
            record.anchor = last.anchor;
        }
        record.number = static_cast<std::uint16_t>(list.size());
    }

    const std::optional<TEquationLabel> edited =
        hit ? std::optional<TEquationLabel>(list[hit->index]) : std::nullopt;
    TTextDlg dlg(*this, evaluated ? "NEWTEXT1" : "NEWTEXT", record, evaluated ? &eval : nullptr);
    if (dlg.Execute() != platform::kIdOk) return;
    // A diagram read into the window while the dialog ran has replaced the edited text. (The
    // far corner is left out of the comparison: drawing rewrites it.)
    const auto stillThere = [&] {
        if (hit->index >= list.size()) return false;
        const TEquationLabel& now = list[hit->index];
        return now.text == edited->text && now.anchor == edited->anchor &&
               now.left == edited->left && now.top == edited->top &&
               now.evalIndex == edited->evalIndex;
    };
    if (hit && !stillThere()) return;

    const std::optional<std::size_t> hitIndex =
        hit ? std::optional<std::size_t>(hit->index) : std::nullopt;
    if (record.text.empty()) {
        if (!hitIndex) return;
        if (evaluated) evalTable_.Release(list[*hitIndex].evalIndex);
        DeleteText(list, list[*hitIndex].number);
    } else if (!StoreEditedText(list, hitIndex, std::move(record), evaluated ? &eval : nullptr)) {
        return;
    }
    MarkModified();
    PictureChanged();
}

bool TZELWint::StoreEditedText(TextList& list, std::optional<std::size_t> hit,
                               TEquationLabel record, const TEvalText* eval) {
    if (eval) {
        // The entry is taken before the text joins its list, so no text lacks its index.
        if (const int err = ParseEvalText(*eval, record.evalIndex, false)) {
            platform::ErrorMsg(this, err);
            return false;
        }
    }
    record = TextToRelative(std::move(record), AnchorOriginOf(record.anchor));
    if (hit) {
        record.number = list[*hit].number;
        list[*hit] = std::move(record);
    } else {
        list.push_back(std::move(record));
        RenumberTexts(list);
    }
    return true;
}

void TZELWint::DrawTexts(platform::DeviceContext& dc, TextList& list, bool evaluated,
                         int backgroundRole) {
    if (list.empty()) return;
    const platform::TextAlign align = dc.SetTextAlign({});
    const QColor background = dc.BackgroundColor();
    const platform::BackgroundMode mode = dc.GetBackgroundMode();
    const QColor textColour = dc.TextColor();
    if (WithBackColor() || !Output().highResolution)
        dc.SetBackgroundColor(RoleColour(backgroundRole));
    {
        platform::SelectionGuard<platform::Pen> pen(dc, platform::Pen::Null());
        for (TEquationLabel& t : list) DrawText(dc, t, evaluated);
    }
    dc.SetTextAlign(align);
    dc.SetBackgroundColor(background);
    dc.SetBackgroundMode(mode);
    dc.SetTextColor(textColour);
}

void TZELWint::DrawText(platform::DeviceContext& dc, TEquationLabel& text, bool evaluated) {
    const std::string s = GetTextString(text, evaluated);
    const QString shown = FromWindows1252(s);
    const bool printing = Printing().printing;
    const bool highRes = Output().highResolution;
    const QColor colour =
        Printing().BlackAndWhite() ? QColor(Qt::black) : FromColorRef(text.colour);
    const bool opaque = text.transparent == 0 && (!highRes || WithBackColor());
    const int points = text.TextPointSize();

    platform::FontSpec font = ToFontSpec(text.font);
    // Heights follow the device the way the window's own fonts do (ScaleFontsBy).
    if (printing || highRes) font.height = platform::FontHeightForPoints(points, OutputFontDpi());
    platform::SelectionGuard<platform::FontSpec> fontGuard(dc, font);
    dc.SetTextColor(colour);
    dc.SetBackgroundMode(opaque ? platform::BackgroundMode::Opaque
                                : platform::BackgroundMode::Transparent);

    const TEquationLabel a = TextToAbsolute(text, AnchorOriginOf(text.anchor));
    const QSize extent = dc.TextExtent(shown);
    QPoint p(XToScreen(a.left), YToScreen(a.top));
    if (printing) {
        // A printer font of another size stays centred on the same place.
        p = QPoint(XToScreen((a.left + a.right) / 2), YToScreen((a.bottom + a.top) / 2)) -
            QPoint(extent.width() / 2, extent.height() / 2);
    }
    if (p.x() >= 0 && p.y() >= 0 && !IsHidden(text)) {
        if (opaque && text.font.escapement == 0)
            dc.FillSolidRect({p.x(), p.y(), p.x() + extent.width(), p.y() + extent.height()},
                             dc.BackgroundColor());
        const ExportFont exportFont{text.font.faceName, text.font.weight, text.font.italic != 0,
                                    text.font.escapement, points};
        // PiCTeX centres the text on its box, an evaluated one in display-style math.
        const TexPlacement tex{{},
                               WorldPoint{(a.left + a.right) / 2, (a.bottom + a.top) / 2},
                               evaluated ? TexMath::Display : TexMath::None};
        Primitives(dc).Text(p, shown, exportFont, 1, -1, tex);
    }
    // The stored box follows the screen: printing and the EPS and PiCTeX exports leave it.
    const TExportState& exports = Exports();
    if (!printing && !exports.Running(ExportKind::Eps) && !exports.Running(ExportKind::PicTeX)) {
        text.right = ScreenToX(p.x() + extent.width());
        text.bottom = ScreenToY(p.y() + extent.height());
    }
}

bool TZELWint::IsHidden(const TEquationLabel& text) const {
    return text.shown != 1 || (text.HidesWithAnchor() && !IsAnchorShown(text.anchor));
}

void TZELWint::FreeTexts() {
    CancelDrag();
    plain_.clear();
    evaluated_.clear();
    evalTable_.Clear();
}

void TZELWint::InstallTexts(TextList plain, TextList evaluated, EvalTextTable table) {
    CancelDrag();
    plain_ = std::move(plain);
    evaluated_ = std::move(evaluated);
    evalTable_ = std::move(table);
    ResetFrameTextReference();
    PictureChanged();
}

void TZELWint::CmDeleteAllText() {
    const int answer =
        platform::MsgBox(this, platform::ResourceString(kStrCareful),
                         platform::ResourceString(kStrDeleteAllText), platform::kMsgYesNo);
    if (answer != platform::kIdYes) return;
    FreeTexts();
    MarkModified();
    PictureChanged();
}

void TZELWint::CmShowHideAllText() {
    for (TextList* list : {&plain_, &evaluated_}) {
        if (list->empty()) continue;
        const std::uint8_t shown = list->front().shown ? 0 : 1;
        for (TEquationLabel& t : *list) t.shown = shown;
    }
    PictureChanged();
}

void TZELWint::ResetFrameTextReference() {
    frameHalfWidth_ = View().halfWidth;
    frameHalfHeight_ = View().halfHeight;
}

// ------------------------------------------------------------------------------ dragging

bool TZELWint::StartDragAt(QPoint point) {
    return StartTextDrag(point, plain_) || StartTextDrag(point, evaluated_);
}

bool TZELWint::StartTextDrag(QPoint point, TextList& list) {
    const auto hit = TextAtPoint(point, list);
    if (!hit) return false;
    const std::size_t index = hit->index;
    StartDrag(point, hit->offset, hit->size, hit->escapement, [this, &list, index](QPoint c) {
        if (index >= list.size()) return;
        TEquationLabel& t = list[index];
        TEquationLabel a = TextToAbsolute(t, AnchorOriginOf(t.anchor));
        const long double dx = ScreenToX(c.x()) - a.left, dy = ScreenToY(c.y()) - a.top;
        a.left += dx;
        a.right += dx;
        a.top += dy;
        a.bottom += dy;
        t = TextToRelative(std::move(a), AnchorOriginOf(t.anchor));
    });
    return true;
}

void TZELWint::StartDrag(QPoint mouse, QPoint offset, QSize size, int escapement,
                         std::function<void(QPoint corner)> drop) {
    drag_ = DragBox{mouse - offset, offset, size, escapement, mouse, std::move(drop)};
}

void TZELWint::CancelDrag() {
    if (!drag_) return;
    drag_.reset();
    Invalidate();  // the outline goes
}

void TZELWint::PictureChanged() {
    InvalidateImage(ImageLayer::Picture);
    Invalidate();
}

bool TZELWint::DragOnLeftButton(const platform::MouseEvent& event) {
    if (event.button != platform::MouseButton::Left) return false;
    StartDragAt(event.point);
    return true;
}

bool TZELWint::TextModePress(const platform::MouseEvent& event) {
    if (DragOnLeftButton(event)) return true;
    if (event.button != platform::MouseButton::Right) return false;
    NewTextAt(event.point);
    return true;
}

void TZELWint::MouseMove(const platform::MouseEvent& event) {
    if (!drag_) return TGridWin::MouseMove(event);
    drag_->mouse = event.point;
    Invalidate();
}

void TZELWint::MouseUp(const platform::MouseEvent& event) {
    if (!drag_) return TGridWin::MouseUp(event);
    if (event.button != platform::MouseButton::Left) return;
    DragBox box = std::move(*drag_);
    drag_.reset();
    const QPoint corner = event.point - box.offset;
    // Dropped outside the client area, the box stays where it was.
    const bool inside = corner.x() >= 0 && corner.y() >= 0 && corner.x() <= ClientWidth() &&
                        corner.y() <= ClientHeight();
    if (inside && corner != box.startCorner) {
        box.drop(corner);
        MarkModified();
    }
    PictureChanged();
}

void TZELWint::Paint(QPainter& painter, const QRect& dirty) {
    TGridWin::Paint(painter, dirty);
    if (!drag_) return;
    const QPoint c = drag_->mouse - drag_->offset;
    const auto [u, v] = BoxEdges(drag_->size, drag_->escapement);
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygon({c, c + u, c + u + v, c + v}));
    painter.restore();
}

// ------------------------------------------------------------------------------ window

void TZELWint::RecomputeView() {
    TGridWin::RecomputeView();
    const TViewFrame& v = View();
    if (v.halfWidth != frameHalfWidth_ || v.halfHeight != frameHalfHeight_)
        RescaleFrameTexts(v.halfWidth, v.halfHeight, frameHalfWidth_, frameHalfHeight_);
    ResetFrameTextReference();
}

int TZELWint::DrawPicture(platform::DeviceContext& dc) {
    if (const int stop = TGridWin::DrawPicture(dc)) return stop;
    DrawTexts(dc, plain_, false, 0);
    DrawTexts(dc, evaluated_, true, 0);
    return 0;
}

void TZELWint::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kDeleteAllText || state.id == cmd::kShowHideAllText)
        state.enabled = !plain_.empty() || !evaluated_.empty();
    TGridWin::EnableCommand(state);
}

void TZELWint::CleanupWindow() {
    drag_.reset();
    TGridWin::CleanupWindow();
}

}  // namespace quorlin::canvas
