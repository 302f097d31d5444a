#include "canvas/text_overlay.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "shell/palette.h"

namespace quorlin::canvas {

std::uint32_t ToColorRef(const QColor& colour) {
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())}
        .ToColorRef();
}

QColor FromColorRef(std::uint32_t ref) {
    return Rgb::FromColorRef(ref).ToQColor();
}

// ------------------------------------------------------------------------------ the record

void TEquationLabel::SetTextPointSize(int tenths) {
    const int points = std::clamp(tenths / 10, 0, 99);
    sizeAndHide = static_cast<std::uint16_t>(sizeAndHide / 100 * 100 + points);
}

void TEquationLabel::SetHidesWithAnchor(bool on) {
    sizeAndHide = static_cast<std::uint16_t>(sizeAndHide % 100 + (on ? 100 : 0));
}

std::optional<int> TEquationLabel::EvalSlot() const {
    const int slot = evalIndex - kFirstEvalIndex;
    if (slot < 0 || slot >= kEvalTextSlots) return std::nullopt;
    return slot;
}

void TEquationLabel::Write(ByteWriter& out) const {
    out.U16(number);
    out.U8(transparent);
    out.FixedText(text, kTextBytes);
    out.U32(colour);
    for (long double v : {left, right, bottom, top}) out.LongDouble(v);
    font.Write(out);
    out.U16(sizeAndHide);
    out.U32(0);  // the in-memory link
    out.I16(anchor);
    out.U8(shown);
    out.U16(evalIndex);
}

bool TEquationLabel::Read(ByteReader& in) {
    if (!in.CanRead(1, kByteSize)) {
        in.Fail();
        return false;
    }
    TEquationLabel t;
    in.U16(t.number);
    in.U8(t.transparent);
    in.FixedText(t.text, kTextBytes);
    if (t.text.size() > kMaxText) t.text.resize(kMaxText);
    in.U32(t.colour);
    for (long double* v : {&t.left, &t.right, &t.bottom, &t.top}) in.LongDouble(*v);
    t.font.Read(in);
    if (t.font.faceName.size() >= FontRecord::kFaceBytes)
        t.font.faceName.resize(FontRecord::kFaceBytes - 1);
    in.U16(t.sizeAndHide);
    in.Skip(4);
    in.I16(t.anchor);
    in.U8(t.shown);
    in.U16(t.evalIndex);
    // Positions are drawn, hit-tested and dragged: a non-finite one has no place anywhere.
    const bool finite = std::isfinite(t.left) && std::isfinite(t.right) &&
                        std::isfinite(t.bottom) && std::isfinite(t.top);
    if (in.Failed() || t.anchor < kAnchorFrame || !finite) {
        in.Fail();
        return false;
    }
    *this = std::move(t);
    return true;
}

// ------------------------------------------------------------------------------ geometry

TEquationLabel TextToAbsolute(TEquationLabel text, WorldPoint origin) {
    if (text.anchor != kAnchorFigure) {
        text.left += origin.x;
        text.top += origin.y;
    }
    return text;
}

TEquationLabel TextToRelative(TEquationLabel text, WorldPoint origin) {
    if (text.anchor != kAnchorFigure) {
        text.left -= origin.x;
        text.top -= origin.y;
    }
    return text;
}

WorldPoint AnchorOrigin(int anchor, const TViewFrame& view, const AnchorLookup& pointOf) {
    if (anchor == kAnchorFrame) return {view.centreX, view.centreY};
    if (anchor >= 0 && pointOf) return pointOf(anchor);
    return {};
}

void RescaleFrameTexts(TextList& list, long double newHalfWidth, long double newHalfHeight,
                       long double oldHalfWidth, long double oldHalfHeight) {
    if (oldHalfWidth == 0 || oldHalfHeight == 0) return;
    for (TEquationLabel& t : list) {
        if (t.anchor != kAnchorFrame) continue;
        t.left *= newHalfWidth / oldHalfWidth;
        t.top *= newHalfHeight / oldHalfHeight;
    }
}

std::pair<QPoint, QPoint> BoxEdges(QSize size, int escapement) {
    const long double a = escapement * 0.00174533L;
    const long double w = size.width(), h = size.height();
    const auto r = [](long double v) { return static_cast<int>(std::lround(v)); };
    return {QPoint(r(w * std::cos(a)), -r(w * std::sin(a))),
            QPoint(r(h * std::sin(a)), r(h * std::cos(a)))};
}

namespace {

// A text's box as the hit test measures it: in long double, because corners read from a file
// may lie anywhere in its range and their distance in pixels fits no integer.
struct PixelBox {
    long double width;
    long double height;
};

bool BoxContains(long double ox, long double oy, PixelBox box, int escapement) {
    if (escapement == 0) return ox > 0 && ox < box.width && oy > 0 && oy < box.height;
    const long double a = escapement * 0.00174533L;
    const long double ux = std::round(box.width * std::cos(a));
    const long double uy = -std::round(box.width * std::sin(a));
    const long double vx = std::round(box.height * std::sin(a));
    const long double vy = std::round(box.height * std::cos(a));
    const long double p = ox * ux + oy * uy, q = ox * vx + oy * vy;
    return p > 0 && p < ux * ux + uy * uy && q > 0 && q < vx * vx + vy * vy;
}

// The drag outline needs whole pixels: a box no mouse can get across is cut to this size.
constexpr long double kLargestDragPixels = 1 << 24;

int DragPixels(long double pixels) {
    if (std::isnan(pixels)) return 0;
    return static_cast<int>(std::clamp(pixels, -kLargestDragPixels, kLargestDragPixels));
}

}  // namespace

std::optional<TextHit> TextAtPoint(std::span<const TEquationLabel> list, QPoint point,
                                   const TViewFrame& view, const AnchorLookup& pointOf) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].shown != 1) continue;
        const TEquationLabel t =
            TextToAbsolute(list[i], AnchorOrigin(list[i].anchor, view, pointOf));
        // The corner pixel is clamped to the area's edges, so the offset is a small integer.
        const QPoint offset = point - QPoint(view.XToScreen(t.left), view.YToScreen(t.top));
        const PixelBox box{std::trunc((t.right - t.left) * view.PixelsPerUnitX()),
                           std::trunc((t.top - t.bottom) * view.PixelsPerUnitY())};
        if (BoxContains(offset.x(), offset.y(), box, t.font.escapement))
            return TextHit{i, offset, QSize(DragPixels(box.width), DragPixels(box.height)),
                           t.font.escapement};
    }
    return std::nullopt;
}

void RenumberTexts(TextList& list, std::size_t first) {
    for (std::size_t i = first; i < list.size(); ++i)
        list[i].number = static_cast<std::uint16_t>(i);
}

void DeleteText(TextList& list, int number) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [number](const TEquationLabel& t) { return t.number >= number; });
    if (it == list.end()) return;
    list.erase(it);
    RenumberTexts(list);
}

int EscapementOfDegrees(int degrees) {
    // C's remainder keeps the dividend's sign, which is what the angle field wants.
    return static_cast<int>(static_cast<long long>(degrees) * 10 % 3600);
}

std::string ReplaceHyphens(std::string text, int code) {
    if (code < 1 || code > 255) return text;
    std::replace(text.begin(), text.end(), '-', static_cast<char>(code));
    return text;
}

std::vector<std::string> SplitEvalLabel(std::string_view label) {
    std::vector<std::string> pieces(1);
    for (const char c : label) {
        if (c == '~')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

// ------------------------------------------------------------------------------ evaluated texts

void TEvalText::CopySettingsFrom(const TEvalText& from) {
    places = from.places;
    flags = from.flags;
    dash = from.dash;
    reserved = from.reserved;
    active = static_cast<std::uint32_t>(
        std::count_if(flags.begin(), flags.begin() + 3, [](std::uint8_t f) { return f != 0; }));
}

void TEvalText::WriteRecord(ByteWriter& out) const {
    out.Zeros(16);  // the four string pointers
    for (std::uint8_t f : flags) out.U8(f);
    out.U32(active);
    out.U32(dash);
    for (std::int32_t p : places) out.I32(p);
    for (std::int32_t r : reserved) out.I32(r);
}

bool TEvalText::ReadRecord(ByteReader& in) {
    if (!in.CanRead(1, kByteSize)) {
        in.Fail();
        return false;
    }
    TEvalText e = *this;
    in.Skip(16);
    for (std::uint8_t& f : e.flags) in.U8(f);
    in.U32(e.active);
    in.U32(e.dash);
    for (std::int32_t& p : e.places) in.I32(p);
    for (std::int32_t& r : e.reserved) in.I32(r);
    const bool placesOk = std::all_of(e.places.begin(), e.places.end(),
                                      [](std::int32_t p) { return p >= 0 && p <= kMaxPlaces; });
    if (in.Failed() || !placesOk) {
        in.Fail();
        return false;
    }
    *this = std::move(e);
    return true;
}

void TEvalText::WriteStrings(ByteWriter& out) const {
    for (const std::string& s : texts) out.FixedText(s, kStringBytes);
}

bool TEvalText::ReadStrings(ByteReader& in) {
    std::array<std::string, 4> read;
    for (std::string& s : read) {
        if (!in.FixedText(s, kStringBytes)) return false;
        if (s.size() >= kStringBytes) s.resize(kStringBytes - 1);
    }
    texts = std::move(read);
    return true;
}

std::optional<std::size_t> EvalTextTable::SlotOf(int evalIndex) {
    const int slot = evalIndex - kFirstEvalIndex;
    if (slot < 0 || slot >= kEvalTextSlots) return std::nullopt;
    return static_cast<std::size_t>(slot);
}

std::optional<int> EvalTextTable::FreeIndex() const {
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (!slots_[i]) return kFirstEvalIndex + static_cast<int>(i);
    return std::nullopt;
}

const TEvalText* EvalTextTable::Find(int evalIndex) const {
    const auto slot = SlotOf(evalIndex);
    if (!slot || !slots_[*slot]) return nullptr;
    return &*slots_[*slot];
}

bool EvalTextTable::Store(int evalIndex, TEvalText text) {
    const auto slot = SlotOf(evalIndex);
    if (!slot) return false;
    slots_[*slot] = std::move(text);
    return true;
}

void EvalTextTable::Release(int evalIndex) {
    if (const auto slot = SlotOf(evalIndex)) slots_[*slot].reset();
}

void EvalTextTable::Clear() {
    for (auto& s : slots_) s.reset();
}

int EvalTextTable::InUse() const {
    return static_cast<int>(
        std::count_if(slots_.begin(), slots_.end(), [](const auto& s) { return s.has_value(); }));
}

// ------------------------------------------------------------------------------ file blocks

void WriteTexts(ByteWriter& out, std::span<const TEquationLabel> list) {
    out.I16(static_cast<std::int16_t>(list.size()));
    for (const TEquationLabel& t : list) t.Write(out);
}

int ReadTexts(ByteReader& in, bool keepShown, TextList& list) {
    std::int16_t count = 0;
    if (!in.I16(count)) return kErrCannotOpenFile;
    TextList read;
    if (count > 0) {
        if (!in.CanRead(static_cast<std::size_t>(count), TEquationLabel::kByteSize))
            return kErrCannotOpenFile;
        read.resize(static_cast<std::size_t>(count));
        for (TEquationLabel& t : read) {
            if (!t.Read(in)) return kErrCannotOpenFile;
            if (!keepShown) t.shown = 1;
        }
    }
    RenumberTexts(read);
    list = std::move(read);
    return 0;
}

void WriteEvalTexts(ByteWriter& out, std::span<const TEquationLabel> list,
                    const EvalTextTable& table) {
    out.I16(static_cast<std::int16_t>(list.size()));
    const TEvalText fallback;
    for (const TEquationLabel& t : list) {
        t.Write(out);
        const TEvalText* e = table.Find(t.evalIndex);
        (e ? *e : fallback).WriteRecord(out);
        (e ? *e : fallback).WriteStrings(out);
    }
}

int ReadEvalTexts(ByteReader& in, TextList& list, EvalTextTable& table) {
    constexpr std::size_t kEntryBytes =
        TEquationLabel::kByteSize + TEvalText::kByteSize + 4 * TEvalText::kStringBytes;
    std::int16_t count = 0;
    if (!in.I16(count) || count > kEvalTextSlots) return kErrCannotOpenFile;
    TextList read;
    EvalTextTable texts;
    if (count > 0) {
        if (!in.CanRead(static_cast<std::size_t>(count), kEntryBytes)) return kErrCannotOpenFile;
        read.resize(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < read.size(); ++i) {
            TEquationLabel& t = read[i];
            TEvalText e;
            if (!t.Read(in) || !t.EvalSlot()) return kErrCannotOpenFile;
            TEvalText settings;
            if (!settings.ReadRecord(in) || !e.ReadStrings(in)) return kErrCannotOpenFile;
            e.CopySettingsFrom(settings);
            t.evalIndex = static_cast<std::uint16_t>(kFirstEvalIndex + static_cast<int>(i));
            texts.Store(t.evalIndex, std::move(e));
        }
    }
    RenumberTexts(read);
    list = std::move(read);
    table = std::move(texts);
    return 0;
}

}  // namespace quorlin::canvas
