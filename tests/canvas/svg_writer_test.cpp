// The SVG writer: the header and its refusals, and each drawing hook to the byte.
#include "fake_export_host.h"

#include <gtest/gtest.h>

#include <array>

namespace quorlin::canvas {
namespace {

using namespace testing;

class SvgTest : public ::testing::Test, public testing::ExportFixture {};

TEST_F(SvgTest, HeaderCarriesTheChosenSizeAndAnEscapedTitleUnlessRefused) {
    state.view.clientWidth = 401;
    state.view.clientHeight = 301;
    state.svgTitle = "A&B <plot>";
    host.saveName = Path("pic.svg");
    ASSERT_TRUE(state.BeginSvgExport() && state.Running(ExportKind::Svg));
    EXPECT_TRUE(state.EndExport());
    EXPECT_EQ(ReadAll(Path("pic.svg")),
              CrLf({R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>)",
                    R"(<svg version="1.1")", R"(baseProfile="full")", R"(width="401" height="301")",
                    R"(viewBox="0 0 401 301" preserveAspectRatio="defer xMidYMid meet")",
                    R"(xmlns="http://www.w3.org/2000/svg")",
                    R"(xmlns:xlink="http://www.w3.org/1999/xlink")",
                    R"(xmlns:ev="http://www.w3.org/2001/xml-events">)",
                    R"(<title>A&amp;B &lt;plot&gt;</title>)", "</svg>"}));
    EXPECT_TRUE(ReportSvgSaved(state).saved);

    // Cancel or a refused overwrite creates no file.
    host.saveName = Path("new.svg");
    host.svgAccepted = false;
    EXPECT_FALSE(state.svg.BeginSvgExport());
    EXPECT_FALSE(QFile::exists(Path("new.svg")));
    QFile(Path("old.svg")).open(QIODevice::WriteOnly);
    host.saveName = Path("old.svg");
    host.svgAccepted = true;
    host.replace = false;
    EXPECT_FALSE(state.svg.BeginSvgExport());
    EXPECT_EQ(host.overwriteQuestions, 1);
}

TEST_F(SvgTest, LinesPathsAndParityPolylines) {
    const std::string out = Capture([&] {
        state.svg.SvgLine(10, 20, 30, 40, {qRgb(255, 0, 0), 0, kStyleSolid});
        state.svg.SvgLine(0, 0, 1, 1, {qRgb(5, 255, 0), 2, kStyleDashDot});
        state.svg.SvgLine(0, 0, 1, 1, {qRgb(0, 0, 0), 1, kStyleNull});
        const std::array<ScreenPoint, 3> pts{{{0, 0}, {10, 0}, {10, 10}}};
        state.svg.SvgPath(pts, qRgb(0, 0, 0), 0);
        state.svg.SvgPath(std::span(pts).first(1), qRgb(0, 0, 0), 1);
        state.svg.SvgSegment({-5, 5}, {50, -5}, {qRgb(0, 0, 255), 1, kStyleDot});
    });
    EXPECT_EQ(
        out,
        CrLf(
            {R"(<line x1="10" y1="20" x2="30" y2="40" stroke="#ff0000" stroke-width="1px" />)",
             R"(<line x1="0" y1="0" x2="1" y2="1" stroke="#05ff00" stroke-width="2px" stroke-dasharray="2,4,6,4" />)",
             R"(<path d="M 0 0 L 10 0 10 10" fill="none" stroke="#000000" stroke-width="0px" />)",
             R"(<line x1="0" y1="0" x2="402" y2="400" stroke="#0000ff" stroke-width="1px" stroke-dasharray="4,4" />)"}));

    // A polyline by parity is one path of the drawn pieces.
    std::array<WorldPoint, 6> points;
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = {-5 + 0.25L * static_cast<long double>(i), 5};
    const std::array<std::uint8_t, 6> marks{1, 1, 1, 0, 1, 1};
    const PenSpec pen{qRgb(0, 0, 0), 1, kStyleSolid};
    const std::string tail = R"(" fill="none" stroke="#000000" stroke-width="1px" />)";
    EXPECT_EQ(Capture([&] { state.svg.SvgPolylineByParity(points, marks, pen, 2); }),
              CrLf({R"(<path d=" M 0 0 L 10 0 20 0 M 40 0 L 50 0)" + tail}));
    const std::array<std::uint8_t, 6> none{};
    EXPECT_EQ(Capture([&] { state.svg.SvgPolylineByParity(points, none, pen, 2); }),
              CrLf({R"(<path d=")" + tail}));
}

TEST_F(SvgTest, PolygonsRectanglesCirclesAndPatternsUpToTheThousandth) {
    const std::array<ScreenPoint, 3> tri{{{0, 0}, {10, 0}, {5, 8}}};
    const QRgb green = qRgb(0, 255, 0), black = qRgb(0, 0, 0);
    const std::string out = Capture([&] {
        state.svg.SvgPolygon(tri, false, green, -1, black, 0);
        state.svg.SvgPolygon(tri, true, green, -1, black, 0);  // hollow without outline
        state.svg.SvgRect(1, 2, -30, 40, false, green, -2, black, 3, 4, 2);
        state.svg.SvgCircle({5, 6}, 7, std::nullopt, 0, green, 0);
        state.svg.SvgCircle({5, 6}, 7, std::nullopt, 0, std::nullopt, 0);
    });
    EXPECT_EQ(
        out,
        CrLf(
            {R"(<polygon fill="#00ff00" stroke="#00ff00" stroke-width="1px" points="0,0 10,0 5,8" />)",
             "<defs>",
             R"(<pattern id="fpat000" patternUnits="userSpaceOnUse" x="0" y="0" width="8" height="8">)",
             R"(<g style="fill:#00ff00; stroke:#00ff00; stroke-width:1px"> <path d="M0,4 l8,0"/><path d="M4,0 l0,8"/></g>)",
             "</pattern>", "</defs>",
             R"~(<rect x="1" y="2" width="30" height="40" fill="url(#fpat000)" stroke="url(#fpat000)" stroke-width="2px" rx="3" ry="4" />)~",
             R"(<circle cx="5" cy="6" r="7" fill="#00ff00" stroke="none" stroke-width="1px" />)"}));

    // Patterns stop at the thousandth.
    const std::string many = Capture([&] {
        for (int i = 0; i < 1000; ++i) state.svg.SvgPolygon(tri, false, qRgb(1, 2, 3), 1, 0, 4);
    });
    EXPECT_EQ(state.svg.PatternCount(), 999);
    EXPECT_NE(many.find(R"(id="fpat998")"), std::string::npos);
    EXPECT_EQ(many.find(R"(id="fpat999")"), std::string::npos);
    EXPECT_NE(many.rfind(R"(<polygon fill="#010203")"), std::string::npos);
}

TEST_F(SvgTest, MarkerShapes) {
    const std::string style = R"(" fill="none" stroke="#000000" stroke-width="1px" />)";
    const struct {
        int kind;
        std::string svg;
    } cases[] = {
        {6,
         CrLf(
             {R"(<path d="M 50 57 L 50 63 M 47 60 L 53 60)" + style,
              R"(<rect x="47" y="57" width="6" height="6" fill="none" stroke="#000000" stroke-width="1px" />)"})},
        {11, CrLf({R"(<path d="M 50 60 L 50 51 M 50 60 L 53 57 M 50 60 L 47 57)" + style})},
        {13, CrLf({R"(<path d="M 50 0 L 50 401 M 0 60 L 401 60)" + style})},
        {2,
         CrLf(
             {R"(<polygon fill="#000000" stroke="#000000" stroke-width="1px" points="47,63 53,63 50,57" />)"})},
        {14, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Capture([&] {
                      state.svg.SvgMarker({50, 60}, c.kind, 3, qRgb(0, 0, 0));
                  }),
                  c.svg)
            << "kind " << c.kind;
    // Outside the client area nothing is drawn.
    EXPECT_EQ(Capture([&] { state.svg.SvgMarkerAt({6, 0}, 0, 3, qRgb(0, 0, 0)); }), "");
}

TEST_F(SvgTest, TextsAreEncodedAndRotatedAboutTheirStart) {
    ExportFont font{"Times \"New\"", 700, true, 450, 12};
    host.extent = {40, 18};
    const std::string out = Capture([&] {
        state.svg.SvgText({100, 50}, "Caf\xe9 <&>", qRgb(0, 0, 0), font, 1, -1);
        font.escapement = 0;
        font.italic = false;
        state.svg.SvgText({100, 50}, "x", qRgb(0, 0, 0), font, 1, -1);
    });
    EXPECT_EQ(
        out,
        CrLf(
            {R"~(<g transform="translate(110,60) rotate(-45)">)~",
             R"(<text x="0" y="0" font-family="Times &quot;New&quot;" font-size="16" font-weight="700" font-style="italic" fill="#000000" text-anchor="start"> Caf&#233; &lt;&amp;&gt; </text>)",
             "</g>",
             R"(<text x="100" y="64" font-family="Times &quot;New&quot;" font-size="16" font-weight="700" fill="#000000" text-anchor="start"> x </text>)"}));
}

}  // namespace
}  // namespace quorlin::canvas
