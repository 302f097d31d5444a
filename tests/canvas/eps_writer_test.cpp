// The EPS writer: the header and its page, frame files and their names, each drawing hook to
// the byte, dotted fills that stop at the view, and texts Ghostscript shows as typed.
#include "fake_export_host.h"

#include <gtest/gtest.h>

#include <array>

namespace quorlin::canvas {
namespace {

using namespace testing;

// Dots of the dotted fills, one "arc" line each besides the shape's own outline.
std::size_t Arcs(const std::string& text) {
    return testing::Occurrences(text, " arc\r\n");
}

const QRgb kRed = qRgb(255, 0, 0), kBlack = qRgb(0, 0, 0);

// An 801 x 601 client showing [0, 800] x [0, 600]: a 600 x 450 point page, 0.75 points a unit.
class EpsTest : public ::testing::Test, public testing::ExportFixture {
protected:
    EpsTest() {
        eps.SetDateSource([] { return QStringLiteral("Sunday, 6 December 2026"); });
        state.view = ExportView::FromCorners(0, 800, 0, 600, 801, 601);
        state.view.fileName = "/home/u/graphs/sine.qz2";
        host.saveName = Path("pic.eps");
    }
    EpsWriter& eps = state.eps;
};

TEST_F(EpsTest, HeaderWithBoundingBoxOfWholePointsDashesAndTheDate) {
    ASSERT_TRUE(eps.PrepareEpsExport(0, 0));
    EXPECT_EQ(eps.Header(), CrLf({"%!PS-Adobe-3.0 EPSF-3.0", "%%BoundingBox: 0 0 600 450",
                                  "%%Creator: (Tolvex 2D plotter)", "%%Title: (sine.qz2)",
                                  "%%CreationDate:(Sunday, 6 December 2026)", "%%Pages: 1",
                                  "%%Page: 1 1", "0.16 setlinewidth"}));
    state.StartOutput(ExportKind::Eps);
    ASSERT_TRUE(eps.WriteEpsFrame(0));
    EXPECT_EQ(ReadAll(Path("pic.eps")), eps.Header() + "%%EOF\r\n");
    EXPECT_EQ(ReportEpsSaved(state).text, "EPS file saved");
    const char* dashes[] = {"[] 0 setdash", "[3 3] 0 setdash", "[15 5] 0 setdash",
                            "[2 4 6 4] 0 setdash", "[2 2 6 2 2 2] 0 setdash"};  // at 96 dpi
    for (int style = 0; style < 5; ++style) EXPECT_EQ(eps.DashPattern(style), dashes[style]);

    state.view.clientWidth = 802;  // 600.75 points round up
    ASSERT_TRUE(eps.PreparePage() && eps.PageWidth() == 601);
    state.view.clientWidth = 1;  // a tiny drawing area is refused with a message
    QFile::remove(Path("pic.eps"));
    EXPECT_FALSE(eps.PrepareEpsExport(0, 0));
    EXPECT_TRUE(host.errors.size() == 1 && !QFile::exists(Path("pic.eps")));
}

TEST_F(EpsTest, FrameFilesTheirNamesAndTheirSharedBox) {
    host.saveName = Path("run.v1.EPS");
    host.frameAnswer = 1000;
    host.parameterAnswer = "A";
    ASSERT_TRUE(eps.PrepareEpsExport(1, 0));
    EXPECT_EQ(eps.FramePath(0), Path("run.v10000.eps"));
    EXPECT_EQ(eps.FramePath(999), Path("run.v10999.eps"));
    EXPECT_EQ(host.markedTexts, std::vector<std::string>{"A"});
    host.frameAnswer.reset();  // cancelled count
    EXPECT_FALSE(eps.PrepareEpsExport(1, 0));
    host.frameAnswer = 3;
    host.markMode = 0;  // no parameter in use
    EXPECT_FALSE(eps.PrepareEpsExport(1, 0));

    // The frames of an animation share a box the view's size about its centre (20, 5), so they
    // keep the single picture's scale: 600 x 300 points for 20 x 10 units, 30 points each.
    state.view = ExportView::FromCorners(10, 30, 0, 10, 801, 401);
    host.frameAnswer = 2;
    host.markMode = 1;
    ASSERT_TRUE(eps.PrepareEpsExport(1, 0));
    EXPECT_EQ(std::tuple(state.boxHalfWidth, state.boxHalfHeight), std::tuple(10.0L, 5.0L));
    state.StartOutput(ExportKind::Eps);
    EXPECT_EQ(Capture([&] {
                  eps.EpsPath(std::array<WorldPoint, 2>{{{20, 5}, {25, 7.5L}}}, false);
              }),
              CrLf({"newpath", "300.000 150.000 moveto", "450.000 225.000 lineto"}));
}

TEST_F(EpsTest, EachHookToTheByte) {
    ASSERT_TRUE(eps.PreparePage());
    const std::array<WorldPoint, 4> pts{{{0, 0}, {100, 0}, {200, 100}, {300, 0}}};
    const std::array<std::uint8_t, 4> marks{1, 1, 0, 0};
    const std::array<WorldPoint, 3> tri{{{0, 0}, {100, 0}, {0, 100}}};
    const std::string arcAt75 = "75.000 75.000 7.500 0 360 arc";
    const struct {
        std::function<void()> draw;
        std::string out;
    } cases[] = {
        {[&] {
             eps.EpsSegment({0, 0}, {800, 600}, {qRgb(255, 0, 128), 2, kStyleDash});
             eps.EpsSegment({0, 0}, {1, 1}, {kBlack, 1, kStyleNull});
             eps.EpsSegment({0, 0}, {1, 1}, {kBlack, 1, 5});
             eps.EpsStrokePolyline(std::span(pts).first(1), kBlack, 1);
             eps.EpsPolylineByParity(pts, marks, {kBlack, 1, kStyleDot}, 1);
         },
         CrLf({"1.000 0.000 0.502 setrgbcolor", "0.32 setlinewidth", "[15 5] 0 setdash", "newpath",
               "0.000 0.000 moveto", "600.000 450.000 lineto", "stroke", "newpath",
               "0.000 0.000 moveto", "75.000 0.000 lineto", "150.000 75.000 moveto",
               "225.000 0.000 lineto", "0.16 setlinewidth", "[3 3] 0 setdash",
               "0.000 0.000 0.000 setrgbcolor", "stroke"})},
        {[&] {
             eps.EpsCircle({100, 100}, 10, 1, std::nullopt, kRed, 0);
         },
         CrLf({"newpath", arcAt75, "0.16 setlinewidth", "[] 0 setdash",
               "1.000 0.000 0.000 setrgbcolor", "stroke"})},
        {[&] {
             eps.EpsCircle({100, 100}, 10, 1, kRed, std::nullopt, 0);
         },
         CrLf({"newpath", arcAt75, "1.000 0.000 0.000 setrgbcolor", "fill"})},
        {[&] {
             eps.EpsCircle({1, 1}, 1, 1, std::nullopt, std::nullopt, 0);
         },
         ""},
        {[&] { eps.EpsFill(tri, false, kRed, -1, kBlack, false); },
         CrLf({"newpath", "0.000 0.000 moveto", "75.000 0.000 lineto", "0.000 75.000 lineto",
               "0.000 0.000 lineto", "gsave", "1.000 0.000 0.000 setrgbcolor", "fill",
               "grestore"})},
        {[&] { eps.EpsFill(tri, true, kRed, -1, kBlack, false); }, ""},
        {[&] {
             eps.EpsRoundRect({0, 100}, {200, 0}, false, kRed, 0, kBlack, 0, 0);
         },
         CrLf({"newpath", "150.000 75.000 moveto", "0.000 75.000 lineto", "0.000 0.000 lineto",
               "150.000 0.000 lineto", "150.000 75.000 lineto", "gsave",
               "1.000 0.000 0.000 setrgbcolor", "fill", "grestore", "[] 0 setdash",
               "0.000 0.000 0.000 setrgbcolor", "0.16 setlinewidth", "stroke"})},
        // The square marker is closed.
        {[&] {
             eps.EpsMarker({100, 100}, 7, 4, kBlack);
         },
         CrLf({"newpath", "75.000 72.000 moveto", "75.000 78.000 lineto", "72.000 75.000 moveto",
               "78.000 75.000 lineto", "72.000 72.000 moveto", "78.000 72.000 lineto",
               "78.000 78.000 lineto", "72.000 78.000 lineto", "72.000 72.000 lineto",
               "0.000 0.000 0.000 setrgbcolor", "0.32 setlinewidth", "[] 0 setdash", "stroke"})},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Capture(cases[i].draw), cases[i].out) << "case " << i;
    const std::string rounded = Capture([&] {
        eps.EpsRoundRect({0, 100}, {200, 0}, false, kRed, -1, kBlack, 20, -1);
    });
    EXPECT_EQ(Arcs(rounded), 4u);
    EXPECT_NE(rounded.find("135.000 60.000 15.000 0 90 arc"), std::string::npos);
    EXPECT_EQ(rounded.find("stroke"), std::string::npos);
}

// A view of 40 x 600 units on the same client: 15 points a unit across, 0.75 up. Each axis
// keeps its own scale in lines, polylines and marks.
TEST_F(EpsTest, UnequalScalesMapEachAxisByItsOwn) {
    state.view = ExportView::FromCorners(0, 40, 0, 600, 801, 601);
    ASSERT_TRUE(eps.PreparePage());
    const std::string segment = Capture([&] {
        eps.EpsSegment({10, 150}, {30, 450}, {kBlack, 1, kStyleDash});
    });
    EXPECT_NE(segment.find("150.000 112.500 moveto\r\n450.000 337.500 lineto"), std::string::npos)
        << segment;
    const std::array<WorldPoint, 3> pts{{{2, 500}, {4, 100}, {38, 20}}};
    const std::string polyline = Capture([&] { eps.EpsStrokePolyline(pts, kBlack, 1); });
    EXPECT_NE(polyline.find("30.000 375.000 moveto\r\n60.000 75.000 lineto\r\n"
                            "570.000 15.000 lineto"),
              std::string::npos)
        << polyline;
    const std::string marker = Capture([&] { eps.EpsMarker({10, 300}, 7, 4, kBlack); });
    EXPECT_NE(marker.find("150.000 222.000 moveto\r\n150.000 228.000 lineto"), std::string::npos)
        << marker;
}

TEST_F(EpsTest, DottedFillsStopAtTheView) {
    ASSERT_TRUE(eps.PreparePage());
    // A dotted disc wholly inside the view keeps every dot: 4 per grid point inside the disc.
    EXPECT_EQ(Arcs(Capture([&] {
                  eps.EpsCircle({400, 300}, 10, 1, kRed, std::nullopt, 1);
              })),
              4u * 11 + 1);
    // Far outside, only the path of the shape is written.
    EXPECT_EQ(Arcs(Capture([&] {
                  eps.EpsCircle({5000, 300}, 300, 1, kRed, std::nullopt, 1);
              })),
              1u);
    EXPECT_EQ(Arcs(Capture([&] {
                  eps.EpsRoundRect({2000, 3000}, {3000, 2000}, false, kRed, -1, kRed, 0, 1);
              })),
              0u);
    // A disc around the view dots the view and no more: 800 / 2.6 columns by 600 / 2.6 rows.
    const std::size_t around = Arcs(Capture([&] {
        eps.EpsCircle({400, 300}, 1e7L, 1, kRed, std::nullopt, 1);
    }));
    EXPECT_GT(around, 300u * 220);
    EXPECT_LT(around, 312u * 234);
}

TEST_F(EpsTest, TextsAreEscapedAndRotated) {
    ASSERT_TRUE(eps.PreparePage());
    host.extent = {40, 18};
    const ExportFont font{"Times New Roman", 400, true, 450, 12};
    const std::string out = Capture([&] {
        eps.EpsText({100, 500}, "f(x) \\ 90\xb0", kBlack, font, 1, -1);
    });
    // The 8-bit text re-encodes the font (what each byte shows Ghostscript checks below).
    const std::size_t firstEnd = out.find("\r\n");
    ASSERT_NE(firstEnd, std::string::npos);
    const std::string findFont = out.substr(0, firstEnd);
    EXPECT_TRUE(findFont.starts_with("/Times-New-Roman-Italic findfont ")) << findFont;
    EXPECT_TRUE(findFont.ends_with(" /Times-New-Roman-Italic-Latin1 exch definefont")) << findFont;
    EXPECT_EQ(out.substr(firstEnd + 2), CrLf({"12 scalefont setfont", "82.500 67.500 moveto",
                                              "45 rotate", "0.000 0.000 0.000 setrgbcolor",
                                              "(f\\(x\\) \\\\ 90\\260) show", "-45 rotate"}));
}

// Ghostscript reads the texts back: each byte must show its Windows-1252 character. The text
// dialog turns hyphens into the dash 150 by default; quotes and the euro share that block of
// Windows-1252, which Latin-1 leaves to accents and control codes.
TEST_F(EpsTest, EpsTextsShowTheirWindowsCharacters) {
    if (!testing::HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    host.paint = [this](int) {
        eps.EpsText({30, 200},
                    "1\x96"
                    "2 \x93q\x94 \xe9",
                    kBlack, state.view.fonts[0], 1, -1);
    };
    host.saveName = Path("text.eps");
    ASSERT_TRUE(state.BeginEpsExport(0, 0));
    ASSERT_TRUE(state.WriteFrame(0));
    ASSERT_TRUE(state.EndExport());
    testing::ExpectAccepted(
        testing::RunReader(dir.path(), "gs",
                           {"-q", "-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=txtwrite",
                            "-sOutputFile=text.txt", "text.eps"}),
        "gs");
    const QString shown = QString::fromStdString(ReadAll(Path("text.txt")));
    EXPECT_TRUE(shown.contains(u"1\u20132 \u201cq\u201d \u00e9")) << shown.toStdString();
}

}  // namespace
}  // namespace quorlin::canvas
