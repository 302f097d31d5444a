// The geometry that keeps texts in place when the view changes, the hit test of their boxes and
// the text dialog's field rules.
#include <gtest/gtest.h>

#include <utility>

#include "canvas/text_overlay.h"

namespace quorlin::canvas {
namespace {

// A 400 x 400 pixel area showing [-5, 5] x [-5, 5]: 40 pixels per unit.
TViewFrame SquareView() {
    TViewFrame v;
    v.SetAreaSize(401, 401);
    v.SetView(0, 0, 5, 5, false);
    v.RecomputeView();
    return v;
}

TEST(OverlayGeometry, EachAnchorKindKeepsItsPlace) {
    TViewFrame view = SquareView();
    WorldPoint pointExample{1, 1};
    const AnchorLookup pointOf = [&](int) { return pointExample; };
    auto place = [&](int anchor) {
        TEquationLabel t;
        t.left = t.top = 2, t.anchor = static_cast<std::int16_t>(anchor);
        return TextToRelative(t, AnchorOrigin(anchor, view, pointOf));
    };
    TextList list{place(kAnchorFigure), place(kAnchorFrame), place(0)};
    auto absolute = [&](const TEquationLabel& t) {
        return TextToAbsolute(t, AnchorOrigin(t.anchor, view, pointOf));
    };
    auto screenOf = [&](const TEquationLabel& t) {
        const TEquationLabel a = absolute(t);
        return QPoint(view.XToScreen(a.left), view.YToScreen(a.top));
    };
    const QPoint frameBefore = screenOf(list[1]);

    // Zoom out by two about a moved centre.
    const long double oldW = view.halfWidth, oldH = view.halfHeight;
    view.SetView(3, -1, 10, 10, false);
    view.RecomputeView();
    RescaleFrameTexts(list, view.halfWidth, view.halfHeight, oldW, oldH);
    // The figure's text keeps its world point, the frame's its place on the screen, and the
    // point's text follows the point.
    EXPECT_EQ(std::pair(absolute(list[0]).left, absolute(list[0]).top), std::pair(2.0L, 2.0L));
    EXPECT_EQ(screenOf(list[1]), frameBefore);
    pointExample = {-4, 3};
    EXPECT_EQ(std::pair(absolute(list[2]).left, absolute(list[2]).top), std::pair(-3.0L, 4.0L));
}

TEST(OverlayGeometry, HitTestOfPlainAndTurnedBoxes) {
    const TViewFrame view = SquareView();
    // From pixel (200, 200), 40 x 20 pixels.
    TextList list(1);
    list[0].left = 0, list[0].right = 1, list[0].bottom = -0.5L, list[0].top = 0;
    EXPECT_TRUE(TextAtPoint(list, {210, 210}, view, {}));
    EXPECT_FALSE(TextAtPoint(list, {200, 210}, view, {}) ||  // the edge is outside
                 TextAtPoint(list, {245, 210}, view, {}));
    list[0].shown = 0;
    EXPECT_FALSE(TextAtPoint(list, {210, 210}, view, {}));
    list[0].shown = 1;
    list[0].font.escapement = 900;  // turned by 90 degrees it runs upwards from its corner
    EXPECT_TRUE(TextAtPoint(list, {210, 170}, view, {}) &&
                !TextAtPoint(list, {210, 210}, view, {}));
    const auto hit = TextAtPoint(list, {215, 195}, view, {});
    ASSERT_TRUE(hit);
    EXPECT_EQ(std::pair(hit->offset, hit->size), std::pair(QPoint(15, -5), QSize(40, 20)));

    // Corners far out in the long double range: boxes millions of times wider than any int,
    // turned or not, are tested without overflow, and the drag outline gets a bounded size.
    constexpr long double kFar = 1e4000L, kMax = std::numeric_limits<long double>::max();
    const struct {
        long double left, right, bottom, top;
        int escapement;
        bool hit;
    } cases[] = {
        {-kFar, kFar, -kFar, kFar, 0, true},      // covers everything
        {-kFar, kFar, -kFar, kFar, 300, true},    // turned by 30 degrees, still over the point
        {-kFar, kFar, -kFar, kFar, 1500, false},  // turned by 150 degrees: away from it
        {0, 1e30L, -1e30L, 0, 1, true},           // wider than 64 bits of pixels
        {-kMax, kMax, -kMax, kMax, 900, false},   // the width overflows to infinity
        {1e300L, 1e301L, -1e301L, 1e300L, 0, false}};
    for (const auto& c : cases) {
        TEquationLabel t;
        t.left = c.left, t.right = c.right, t.bottom = c.bottom, t.top = c.top;
        t.font.escapement = c.escapement;
        const auto far = TextAtPoint(TextList{t}, {210, 210}, view, {});
        EXPECT_EQ(far.has_value(), c.hit) << static_cast<double>(c.right) << " " << c.escapement;
        if (far)
            EXPECT_TRUE(std::abs(far->size.width()) <= 1 << 24 &&
                        std::abs(far->size.height()) <= 1 << 24);
    }
}

TEST(OverlayFields, AnglesInTenthsAndHyphensReplaced) {
    for (const auto& [degrees, escapement] : {std::pair{450, 900}, {-30, -300}, {-400, -400}})
        EXPECT_EQ(EscapementOfDegrees(degrees), escapement) << degrees;
    EXPECT_EQ(ReplaceHyphens("a-b-c", 150),
              "a\x96"
              "b\x96"
              "c");
    EXPECT_EQ(ReplaceHyphens("a-b", 0) + ReplaceHyphens("a-b", 256), "a-ba-b");
}

}  // namespace
}  // namespace quorlin::canvas
