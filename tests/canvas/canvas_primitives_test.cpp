// The one drawing path: what the canvas primitives hand to the running outputs.
#include "canvas/canvas_primitives.h"
#include "fake_export_host.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>

namespace quorlin::canvas {
namespace {

using namespace testing;

// Primitives on a 401 x 401 picture showing [-5, 5] x [-5, 5], as the fixture's export view.
class PrimitivesTest : public ::testing::Test, public ExportFixture {
protected:
    PrimitivesTest() : image(401, 401, QImage::Format_RGB32) { image.fill(Qt::white); }

    // What `draw` writes to the output of this kind.
    template <class Draw>
    std::string Written(ExportKind kind, Draw draw) {
        state.StartOutput(kind);
        const std::string out = Capture([&] {
            platform::DeviceContext dc(image);
            TCanvasPrimitives prim(dc, frame, &state);
            draw(prim);
        });
        state.StopOutput(kind);
        return out;
    }

    TViewFrame frame;
    QImage image;
};

const std::string kBlackPath = R"( fill="none" stroke="#000000" stroke-width="1px" />)";

TEST_F(PrimitivesTest, ACurveGoesOnInJoinedPiecesAfterAFullBufferOrAPenChange) {
    const std::string svg = Written(ExportKind::Svg, [](TCanvasPrimitives& prim) {
        prim.SetPen(Qt::black, 1, kStyleSolid);
        prim.BeginCurve(3);
        prim.CurvePoint({-5, 5});
        prim.CurvePoint({0, 5});
        prim.CurvePoint({5, 5});
        prim.CurvePoint({5, 0});  // full: the first three go out, the piece goes on
        prim.BreakCurve();
        prim.CurvePoint({0, 0});  // a lone point is no line
        prim.EndCurve();
    });
    EXPECT_EQ(svg, CrLf({R"(<path d="M 0 0 L 200 0 400 0")" + kBlackPath,
                         R"(<path d="M 400 0 L 400 200")" + kBlackPath}));
    // The device drew the same pieces.
    EXPECT_EQ(image.pixelColor(100, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(400, 100), QColor(Qt::black));

    // A pen change in a curve goes on from its last point.
    const std::string changed = Written(ExportKind::Svg, [](TCanvasPrimitives& prim) {
        prim.SetPen(Qt::black, 1, kStyleSolid);
        prim.BeginCurve();
        prim.CurvePoint({-5, 5});
        prim.CurvePoint({0, 5});
        prim.SetPen(Qt::red, 2, kStyleSolid);
        prim.CurvePoint({5, 5});
        prim.CurvePoint({5, 0});
    });  // the primitives end the curve they leave open
    EXPECT_EQ(changed, CrLf({R"(<path d="M 0 0 L 200 0")" + kBlackPath,
                             R"(<path d="M 200 0 L 400 0 400 200" fill="none" stroke="#ff0000" )"
                             R"(stroke-width="2px" />)"}));
    EXPECT_EQ(image.pixelColor(100, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 0), QColor(Qt::red));
}

TEST_F(PrimitivesTest, PictexWritesOnePlotPerPieceOfACurve) {
    const std::string tex = Written(ExportKind::PicTeX, [](TCanvasPrimitives& prim) {
        prim.BeginCurve();
        prim.CurvePoint({0, 0});
        prim.CurvePoint({1, 1});
        prim.BreakCurve();
        prim.CurvePoint({2, 0});  // one point: no plot
        prim.BreakCurve();
        prim.Polyline(std::array<WorldPoint, 2>{{{3, 0}, {4, 1}}});
    });
    EXPECT_EQ(tex, CrLf({R"(\plot )", "0.00 0.00", "1.00 1.00", "/", R"(\plot )", "3.00 0.00",
                         "4.00 1.00", "/"}));
}

TEST_F(PrimitivesTest, AreasBackgroundAndCommentsReachTheOutputsThatTakeThem) {
    state.view.frameImage = true;
    const std::array<WorldPoint, 3> triangle{{{0, 0}, {2, 0}, {1, 1}}};
    auto draw = [&](TCanvasPrimitives& prim) {
        prim.SetPen(Qt::black, 1, kStyleSolid);
        state.ExportBackground();
        prim.Comment("draw axis");
        prim.Polygon(triangle, QColor(0, 255, 0));
        prim.FilledBox({10, 20, 50, 30}, Qt::white);
    };
    EXPECT_EQ(Written(ExportKind::Svg, draw),
              CrLf({R"(<rect x="0" y="0" width="401" height="401" fill="#ffffff" )"
                    R"(stroke="#000000" stroke-width="1px" />)",
                    R"(<polygon fill="#00ff00" stroke="#000000" stroke-width="1px" )"
                    R"(points="200,200 280,200 240,160" />)",
                    R"(<rect x="10" y="20" width="40" height="10" fill="#ffffff" )"
                    R"(stroke="#ffffff" stroke-width="1px" />)"}));
    EXPECT_EQ(Written(ExportKind::PicTeX, draw),
              CrLf({"% draw axis", R"(\setshadegrid span <0.2pt>)", R"(\vshade)",
                    "0.000000 0.000000 0.000000", "1.000000 0.000000 1.000000",
                    "2.000000 0.000000 0.000000 /"}));
    EXPECT_EQ(image.pixelColor(240, 190), QColor(0, 255, 0));
}

}  // namespace
}  // namespace quorlin::canvas
