// The PiCTeX writer: the headers and trailers of the four kinds, refusals that write nothing,
// animation frames and their master, and each drawing hook to the byte.
#include "canvas/export_format.h"
#include "fake_export_host.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace quorlin::canvas {
namespace {

using namespace testing;

const std::string kPictureStart =
    CrLf({R"(\beginpicture)", R"(\setcoordinatesystem units <0.80cm,0.80cm>)",
          R"(\put {\phantom{.}} at -5.00 -5.00)", R"(\put {\phantom{.}} at -5.00 5.00)",
          R"(\put {\phantom{.}} at 5.00 -5.00)", R"(\put {\phantom{.}} at 5.00 5.00)",
          R"(\setlinear)", R"(\setshadesymbol <z,z,z,z> ({\fiverm .}))"});

class PictexTest : public ::testing::Test, public testing::ExportFixture {
protected:
    // Prepares an export of the given kind and frame count into "<dir>/<name>".
    bool Prepare(int kind, int frames, const QString& name = "pic.TEX") {
        host.saveName = Path(name);
        host.editTeX = [=](TeXDialogValues& v) {
            v.outputKind = kind;
            v.frameCount = frames;
            v.parameterNames = "A";
        };
        return tex.PrepareTeXExport(kFramesWithParameters);
    }
    PictexWriter& tex = state.tex;
};

TEST_F(PictexTest, HeadersAndTrailersOfTheFourKinds) {
    // A single standalone picture is a document that TeX, or LaTeX, compiles as it stands.
    ASSERT_TRUE(Prepare(kTexStandalone, 1));
    EXPECT_EQ(tex.Header(), CrLf({R"(\input pictex)", R"(\nopagenumbers)", R"(\font\fiverm = cmr5)",
                                  R"(\setbox1=\vbox{)"}) +
                                kPictureStart);
    state.StartOutput(ExportKind::PicTeX);
    ASSERT_TRUE(tex.WriteTeXFrame(0));
    EXPECT_EQ(ReadAll(Path("pic.tex")), tex.Header() + CrLf({"\\endpicture}", "\\box1", "\\bye"}));

    ASSERT_TRUE(Prepare(kLatexStandalone, 1));
    EXPECT_EQ(tex.Header(),
              CrLf({R"(\documentclass{article})", R"(\pagestyle{empty})", R"(\font\fiverm = cmr5)",
                    R"(\input prepictex)", R"(\input pictex)", R"(\input postpictex)",
                    R"(\begin{document})"}) +
                  kPictureStart);
    ASSERT_TRUE(tex.WriteTeXFrame(0));
    // No box was opened, so none is closed.
    EXPECT_EQ(ReadAll(Path("pic.tex")), tex.Header() + CrLf({"\\endpicture", "\\end{document}"}));

    // The frames of an animation are pictures the master inputs, whatever their kind.
    ASSERT_TRUE(Prepare(kTexStandalone, 3));
    EXPECT_EQ(tex.Header(), CrLf({R"(\font\fiverm = cmr5)", R"(\setbox1=\vbox{)"}) +
                                tex.Header().substr(tex.Header().find("\\beginpicture")));
    ASSERT_TRUE(tex.WriteTeXFrame(0));
    EXPECT_EQ(ReadAll(Path("pic0.tex")), tex.Header() + "\\endpicture}\r\n");

    ASSERT_TRUE(Prepare(kTexCompilable, 1));
    EXPECT_EQ(tex.Header(), CrLf({R"(\input pictex)"}) + kPictureStart);
    ASSERT_TRUE(Prepare(kTexInsertable, 1));
    EXPECT_EQ(tex.Header(), kPictureStart);

    // Huge corners are printed in full.
    state.view = ExportView::FromCorners(-1e300L, 1e300L, -1, 1, 401, 401);
    ASSERT_TRUE(Prepare(kTexInsertable, 1));
    EXPECT_NE(tex.Header().find("at -" + FormatLf(1e300L, 4, 2) + " -1.00\r\n"), std::string::npos);
}

TEST_F(PictexTest, CancelledUnmarkedOrRefusedExportsWriteNothing) {
    host.saveName.clear();
    EXPECT_FALSE(tex.PrepareTeXExport(kFramesWithParameters));
    host.saveName = Path("a.tex");
    host.texAccepted = false;
    EXPECT_FALSE(tex.PrepareTeXExport(kFramesWithParameters));
    host.texAccepted = true;
    host.markMode = 0;
    EXPECT_FALSE(Prepare(kTexStandalone, 5));
    EXPECT_TRUE(host.markedTexts.size() == 1 && QDir(dir.path()).isEmpty());

    // A refused overwrite stops the frame; so does a folder that does not exist.
    host.markMode = 1;
    ASSERT_TRUE(Prepare(kTexStandalone, 1, "old"));
    EXPECT_EQ(tex.FramePath(0), Path("old.tex"));
    QFile(Path("old.tex")).open(QIODevice::WriteOnly);
    host.replace = false;
    EXPECT_FALSE(tex.WriteTeXFrame(0));
    EXPECT_TRUE(host.overwriteQuestions == 1 && ReadAll(Path("old.tex")).empty());
    ASSERT_TRUE(Prepare(kTexStandalone, 1, "no/such/folder/pic.tex"));
    EXPECT_FALSE(tex.WriteTeXFrame(0));
    EXPECT_FALSE(ReportTeXSaved(state).saved);
}

TEST_F(PictexTest, AnimationFramesTheirSharedBoxAndTheirMaster) {
    ASSERT_TRUE(Prepare(kTexInsertable, 12, "wave.v2.tex"));
    EXPECT_EQ(tex.FramePath(11), Path("wave.v211.tex"));
    // Several frames share the box: half-width 5, half-height from the view's proportions.
    EXPECT_NE(tex.Header().find(R"(\put {\phantom{.}} at 5.00 -5.00)"), std::string::npos);
    QFile(Path("wave.v203.tex")).open(QIODevice::WriteOnly);
    state.StartOutput(ExportKind::PicTeX);
    for (int k = 0; k < 12; ++k) ASSERT_TRUE(tex.WriteTeXFrame(k));
    EXPECT_EQ(host.overwriteQuestions, 0);  // the first frame file opened settles the question
    state.texFrameCount = 3;
    state.frameDigits = 1;
    ASSERT_TRUE(tex.WriteAnimMaster());
    EXPECT_EQ(ReadAll(Path("wave.v2ANIM.tex")),
              CrLf({R"(\begin{animateinline}[poster=first,controls]{1})", R"(\input{wave.v20})",
                    R"(\newframe)", R"(\input{wave.v21})", R"(\newframe)", R"(\input{wave.v22})",
                    R"(\end{animateinline})"}));

    // The image frame of an animation is the shared box about the view centre.
    state.view = ExportView::FromCorners(10, 20, 0, 10, 401, 401);
    state.view.frameImage = true;
    state.texFrameCount = 2;
    EXPECT_EQ(Capture([&] { tex.TexImageFrame(); }),
              CrLf({R"(\putrule from -5.00 5.00 to -5.00 -5.00)",
                    R"(\putrule from -5.00 -5.00 to 5.00 -5.00)",
                    R"(\putrule from 5.00 -5.00 to 5.00 5.00)",
                    R"(\putrule from 5.00 5.00 to -5.00 5.00)"}));
}

TEST_F(PictexTest, RulesSegmentsPointsTextsAndParityRuns) {
    state.StartOutput(ExportKind::PicTeX);
    const std::array<WorldPoint, 5> points{{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}};
    const std::array<std::uint8_t, 5> marks{1, 1, 0, 0, 0};
    EXPECT_EQ(
        Capture([&] {
            tex.TexSegment({-1, 2}, {3, 2}, 0);      // horizontal: a rule
            tex.TexSegment({-1, 2}, {30, 2}, 0);     // leaves the view: nothing
            tex.TexSegment({-1, 2}, {30, 4}, 3);     // slanted: a plot, even outside
            tex.TexSegment({0, 0}, {0.001L, 0}, 0);  // below a fifth of a pixel
            tex.TexPoint({1, 2}, 4, false);
            tex.TexPoint({1, 2}, 0, true);
            tex.TexText("50% & more", "[b]", {1, 2}, TexMath::Inline);
            tex.TexLineStyle(kStyleDashDot, false);
            tex.TexLineStyle(kStyleSolid, false);
            tex.TexArrow({0.5L, 0}, {5, 0}, 0.5L, false);
            tex.TexPolylineByParity(points, marks, 1);  // one plot per drawn run
        }),
        CrLf({R"(\putrule from -1.00 2.00 to 3.00 2.00)", R"(\setdots <3pt>)",
              R"(\plot -1.00 2.00 30.00 4.00 /)", R"(\setsolid)",
              R"(\put {$\scriptstyle\bullet$} at 1.00 2.00)", R"(\put {\fiverm .} at 1.00 2.00)",
              R"(\put {$50\% \& more$} [b] at 1.00 2.00)", R"(\setdashpattern<3pt,2pt,10pt,2pt>)",
              R"(\arrow <0.400cm> [0.100,0.100] from 4.50000 0.00000 to 5.00000 0.00000)",
              R"(\plot )", "0.00 0.00", "1.00 0.00", "/", R"(\plot )", "2.00 0.00", "3.00 0.00",
              "/"}));

    // Long curves are written in pieces, one-point curves not at all.
    const std::string out = Capture([&] {
        tex.TexCurveBegin();
        tex.TexCurvePoint({1, 1});
        tex.TexCurveEnd();
        tex.TexCurveBegin();
        for (int i = 0; i < 10000; ++i) tex.TexCurvePoint({i * 1e-3L, 0});
        tex.TexCurveEnd();
    });
    ASSERT_EQ(out.substr(0, 19), "\\plot \r\n0.00 0.00\r\n");
    EXPECT_EQ(out.substr(out.size() - 15), "10.00 0.00\r\n/\r\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 10002);
}

TEST_F(PictexTest, ShadingOfMonotoneRegions) {
    const std::array<WorldPoint, 3> triangle{{{0, 0}, {2, 0}, {1, 1}}};
    // A square with vertical sides: both chains start and end on the sides.
    const std::array<WorldPoint, 4> square{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
    EXPECT_EQ(Capture([&] { EXPECT_TRUE(tex.TexShade(triangle, true, 0)); }),
              CrLf({R"(\setshadegrid span <0.2pt>)", R"(\vshade)", "0.000000 0.000000 0.000000",
                    "1.000000 0.000000 1.000000", "2.000000 0.000000 0.000000 /"}));
    EXPECT_EQ(Capture([&] { EXPECT_TRUE(tex.TexShade(square, true, 2)); }),
              CrLf({R"(\setshadegrid span <1.7600000pt>)", R"(\vshade)",
                    "0.000000 0.000000 1.000000", "1.000000 0.000000 1.000000 /"}));
    // The same triangle shaded sideways swaps the roles of x and y.
    EXPECT_EQ(Capture([&] { EXPECT_TRUE(tex.TexShade(triangle, false, -1)); }),
              CrLf({R"(\setshadegrid span <1.0000000pt>)", R"(\hshade)",
                    "0.000000 0.000000 2.000000", "1.000000 1.000000 1.000000 /"}));

    const std::array<WorldPoint, 6> zigzag{{{0, 0}, {2, 0}, {1, 0.5L}, {2, 1}, {0, 1}, {1, 0.5L}}};
    EXPECT_EQ(Capture([&] {
                  EXPECT_FALSE(tex.TexShade(triangle, true, 1));
                  EXPECT_FALSE(tex.TexShade(std::span(triangle).first(2), true, 0));
                  EXPECT_FALSE(tex.TexShade(zigzag, true, 0));
                  EXPECT_FALSE(tex.TexSetShadeGrid(1));
              }),
              "");
}

}  // namespace
}  // namespace quorlin::canvas
