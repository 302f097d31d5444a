// The text records: a string placed at a reference point by the text alignment, in the
// selected font at its size on the target, turned by the font's escapement and the world
// transform, drawn as one string where the font's own layout agrees with the record's advances
// and character by character where it does not.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>

#include "platform/emf_geometry.h"
#include "platform/emf_player_parts.h"

namespace quorlin::platform::emf::detail {

namespace {

constexpr std::uint32_t kAlignUpdateCp = 1, kAlignRight = 2, kAlignCentre = 6, kAlignBottom = 8,
                        kAlignBaseline = 24;
constexpr std::uint32_t kTextOpaque = 0x2, kTextClipped = 0x4, kTextGlyphIndex = 0x10,
                        kTextPdy = 0x2000;

QString ReadText(const RecordFields& r, std::uint32_t at, std::uint32_t chars, bool wide) {
    QString text;
    text.reserve(chars);
    for (std::uint32_t i = 0; i < chars; ++i) {
        text.append(wide ? QChar(static_cast<char16_t>(r.I16(at + 2 * std::size_t{i})))
                         : QChar::fromLatin1(static_cast<char>(r.U8(at + i))));
    }
    return text;
}

// Whether the font's own layout puts every character within tolerance of where the record
// does; then the text is drawn as one string (words stay words in SVG and PDF output). Long
// texts are not measured: placing them character by character costs less.
bool FollowsOwnLayout(const QString& text, const std::vector<double>& starts,
                      const QFontMetricsF& metrics, double tolerance) {
    constexpr qsizetype kLongestMeasured = 128;
    if (text.size() > kLongestMeasured) return false;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const double own = metrics.horizontalAdvance(text.left(i));
        if (!(std::abs(own - starts[static_cast<std::size_t>(i)]) <= tolerance)) return false;
    }
    return true;
}

}  // namespace

std::vector<Player::RecordHandler> Player::TextHandlers() {
    const Handler text = [](Player& p, Fields r, Type type) { p.Text(r, type == kExtTextOutW); };
    return {{kExtTextOutW, text}, {kExtTextOutA, text}};
}

// The selected font at its size on the target (em: the em height in target units).
QFont Player::TargetFont(double unitsAcross, double& em) const {
    const FontState& f = state_.font;
    QFont font;
    if (!f.face.isEmpty()) font.setFamily(f.face);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    double logicalEm = f.height == 0 ? 12 : std::abs(static_cast<double>(f.height));
    if (f.height > 0) {  // a cell height: ascent and descent together
        constexpr int kProbe = 100;
        font.setPixelSize(kProbe);
        const double cell = QFontMetricsF(font).height();
        if (cell > 0) logicalEm *= kProbe / cell;
    }
    em = logicalEm * unitsAcross;
    // A point size, unlike a pixel size, may be fractional; points go by the device's dots.
    const int dpi = painter_.device() ? painter_.device()->logicalDpiY() : 0;
    const double emPoints = em * 72 / (dpi > 0 ? dpi : 96);
    font.setPointSizeF(std::isfinite(emPoints) && emPoints > 0 && em <= margin_ ? emPoints : 1);
    return font;
}

void Player::Text(const RecordFields& r, bool wide) {
    const std::uint32_t chars = r.U32(44), stringAt = r.U32(48), options = r.U32(52);
    const std::uint32_t advancesAt = r.U32(72);
    const QTransform t = ToTarget();
    if (!r.Holds(stringAt, chars, wide ? 2 : 1) || !IsUsable(t)) return;
    PrepareClip();
    if (options & kTextOpaque) FillBox(r.Box(56), state_.background);

    const QString text = ReadText(r, stringAt, chars, wide);
    const bool updateCp = (state_.textAlign & kAlignUpdateCp) != 0;
    const QPointF reference = updateCp ? state_.position : r.Point(36);
    const QPointF origin = t.map(reference);
    const double along = QLineF(origin, t.map(reference + QPointF(1, 0))).length();
    const double across = QLineF(origin, t.map(reference + QPointF(0, 1))).length();
    double em = 0;
    const QFont font = TargetFont(across, em);
    // Text too small to read or larger than the picture is not drawn, nor glyph numbers: they
    // name glyphs of a font file this computer need not have.
    if (text.isEmpty() || !(em >= 0.5 && em <= margin_) || !reach_.contains(origin) ||
        (options & kTextGlyphIndex))
        return;
    const QFontMetricsF metrics(font, painter_.device());

    // Where each character starts along the baseline, in target units, when the record says.
    const std::size_t step = (options & kTextPdy) ? 8 : 4;
    const bool spaced = advancesAt != 0 && r.Holds(advancesAt, chars, step);
    std::vector<double> starts(spaced ? chars + 1 : 0, 0.0);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        starts[i + 1] = starts[i] + r.I32(advancesAt + step * i) * along;
    // Seen from the origin, which lies within reach, nothing farther than twice the margin
    // along the baseline can be in the target.
    const double farthest = 2 * margin_;
    const double width =
        std::clamp(spaced ? starts.back() : metrics.horizontalAdvance(text), -farthest, farthest);
    if (updateCp && along > 0) state_.position.rx() += width / along;
    const bool asOneString =
        !spaced || FollowsOwnLayout(text, starts, metrics, std::max(0.75, 0.05 * em));

    const std::uint32_t horizontal = state_.textAlign & kAlignCentre;
    const double x = horizontal == kAlignCentre  ? -width / 2
                     : horizontal == kAlignRight ? -width
                                                 : 0;
    const std::uint32_t vertical = state_.textAlign & kAlignBaseline;
    const double baseline = vertical == kAlignBaseline ? 0
                            : vertical == kAlignBottom ? -metrics.descent()
                                                       : metrics.ascent();
    painter_.save();
    if (options & kTextClipped) {
        QPainterPath box;
        box.addRect(r.Box(56).normalized());
        painter_.setTransform(base_);
        painter_.setClipPath(FillWithin(t.map(box), reach_), Qt::IntersectClip);
    }
    // The escapement turns counter-clockwise on the page; a world transform turns it further.
    const double degrees =
        std::atan2(state_.world.m12(), state_.world.m11()) * 180 / std::numbers::pi -
        (state_.font.escapement % 3600) / 10.0;
    QTransform frame = QTransform::fromTranslate(origin.x(), origin.y());
    frame.rotate(degrees);
    painter_.setTransform(frame * base_);
    if (state_.opaque) {
        painter_.fillRect(
            QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
            state_.background);
    }
    painter_.setFont(font);
    painter_.setPen(state_.textColour);
    if (asOneString) {
        painter_.drawText(QPointF(x, baseline), text);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const double at = x + starts[static_cast<std::size_t>(i)];
            if (std::abs(at) <= farthest) painter_.drawText(QPointF(at, baseline), text.mid(i, n));
            i += n - 1;
        }
    }
    painter_.restore();
}

}  // namespace quorlin::platform::emf::detail
