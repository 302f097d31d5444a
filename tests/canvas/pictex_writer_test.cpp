#include "canvas/export_format.h"
#include "fake_export_host.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace quorlin::canvas {
namespace {

using testing::CrLf;
using testing::ExportFixture;
using testing::ReadAll;

const std::string kPhantoms = CrLf({
    R"(\put {\phantom{.}} at -5.00 -5.00)",
    R"(\put {\phantom{.}} at -5.00 5.00)",
    R"(\put {\phantom{.}} at 5.00 -5.00)",
    R"(\put {\phantom{.}} at 5.00 5.00)",
});
const std::string kPictureStart =
    CrLf({R"(\beginpicture)", R"(\setcoordinatesystem units <0.80cm,0.80cm>)"}) + kPhantoms +
    CrLf({R"(\setlinear)", R"(\setshadesymbol <z,z,z,z> ({\fiverm .}))"});

class PictexTest : public ::testing::Test, public ExportFixture {
protected:
    // Prepares an export of the given kind and frame count into "<dir>/<name>".
    bool Prepare(int kind, int frames, const QString& name = "pic.TEX") {
        host.saveName = Path(name);
        host.editTeX = [=](TeXDialogValues& v) {
            v.outputKind = kind;
            v.frameCount = frames;
            v.parameterNames = "A";
        };
        return state.tex.PrepareTeXExport(kFramesWithParameters);
    }
};

TEST_F(PictexTest, HeadersAndTrailersOfTheFourKinds) {
    ASSERT_TRUE(Prepare(kTexStandalone, 1));
    EXPECT_EQ(state.tex.Header(),
              CrLf({R"(\font\fiverm = cmr5)", R"(\setbox1=\vbox{)"}) + kPictureStart);
    state.StartOutput(ExportKind::PicTeX);
    ASSERT_TRUE(state.tex.WriteTeXFrame(0));
    EXPECT_EQ(ReadAll(Path("pic.tex")), state.tex.Header() + "\\endpicture}\r\n");

    ASSERT_TRUE(Prepare(kLatexStandalone, 1));
    EXPECT_EQ(state.tex.Header(), CrLf({R"(\font\fiverm = cmr5)", R"(\input prepictex)",
                                        R"(\input pictex)", R"(\input postpictex)"}) +
                                      kPictureStart);
    ASSERT_TRUE(state.tex.WriteTeXFrame(0));
    // No box was opened, so none is closed.
    EXPECT_EQ(ReadAll(Path("pic.tex")), state.tex.Header() + "\\endpicture\r\n");

    ASSERT_TRUE(Prepare(kTexCompilable, 1));
    EXPECT_EQ(state.tex.Header(), CrLf({R"(\input pictex)"}) + kPictureStart);
    ASSERT_TRUE(Prepare(kTexInsertable, 1));
    EXPECT_EQ(state.tex.Header(), kPictureStart);
}

TEST_F(PictexTest, HugeViewCornersArePrintedInFull) {
    state.view = ExportView::FromCorners(-1e300L, 1e300L, -1, 1, 401, 401);
    ASSERT_TRUE(Prepare(kTexInsertable, 1));
    const std::string& header = state.tex.Header();
    const std::string corner = "at -" + FormatLf(1e300L, 4, 2) + " -1.00\r\n";
    EXPECT_NE(header.find(corner), std::string::npos);
}

TEST_F(PictexTest, CancelledOrUnmarkedExportsWriteNothing) {
    host.saveName.clear();
    EXPECT_FALSE(state.tex.PrepareTeXExport(kFramesWithParameters));
    host.saveName = Path("a.tex");
    host.texAccepted = false;
    EXPECT_FALSE(state.tex.PrepareTeXExport(kFramesWithParameters));
    host.texAccepted = true;
    host.markMode = 0;
    EXPECT_FALSE(Prepare(kTexStandalone, 5));
    EXPECT_EQ(host.markedTexts, std::vector<std::string>{"A"});
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PictexTest, AnimationFramesAndTheirMaster) {
    ASSERT_TRUE(Prepare(kTexInsertable, 12, "wave.v2.tex"));
    EXPECT_EQ(state.tex.FramePath(0), Path("wave.v200.tex"));
    EXPECT_EQ(state.tex.FramePath(11), Path("wave.v211.tex"));
    // Several frames share the box: half-width 5, half-height from the view's proportions.
    EXPECT_NE(state.tex.Header().find(R"(\put {\phantom{.}} at 5.00 -5.00)"), std::string::npos);

    QFile(Path("wave.v203.tex")).open(QIODevice::WriteOnly);
    state.StartOutput(ExportKind::PicTeX);
    for (int k = 0; k < 12; ++k) ASSERT_TRUE(state.tex.WriteTeXFrame(k));
    EXPECT_EQ(host.overwriteQuestions, 0);  // the first frame file opened settles the question

    state.texFrameCount = 3;
    state.frameDigits = 1;
    ASSERT_TRUE(state.tex.WriteAnimMaster());
    EXPECT_EQ(ReadAll(Path("wave.v2ANIM.tex")),
              CrLf({R"(\begin{animateinline}[poster=first,controls]{1})", R"(\input{wave.v20})",
                    R"(\newframe)", R"(\input{wave.v21})", R"(\newframe)", R"(\input{wave.v22})",
                    R"(\end{animateinline})"}));
}

TEST_F(PictexTest, ARefusedOverwriteStopsTheFrame) {
    ASSERT_TRUE(Prepare(kTexStandalone, 1, "old"));
    EXPECT_EQ(state.tex.FramePath(0), Path("old.tex"));
    QFile(Path("old.tex")).open(QIODevice::WriteOnly);
    host.replace = false;
    EXPECT_FALSE(state.tex.WriteTeXFrame(0));
    EXPECT_EQ(host.overwriteQuestions, 1);
    EXPECT_EQ(ReadAll(Path("old.tex")), "");

    ASSERT_TRUE(Prepare(kTexStandalone, 1, "no/such/folder/pic.tex"));
    EXPECT_FALSE(state.tex.WriteTeXFrame(0));
    EXPECT_FALSE(ReportTeXSaved(state).saved);
}

TEST_F(PictexTest, RulesSegmentsPointsAndTexts) {
    state.StartOutput(ExportKind::PicTeX);
    const std::string out = Capture([&] {
        state.tex.TexSegment({-1, 2}, {3, 2}, 0);      // horizontal: a rule
        state.tex.TexSegment({-1, 2}, {30, 2}, 0);     // leaves the view: nothing
        state.tex.TexSegment({-1, 2}, {30, 4}, 3);     // slanted: a plot, even outside
        state.tex.TexSegment({0, 0}, {0.001L, 0}, 0);  // below a fifth of a pixel
        state.tex.TexPoint({1, 2}, 4, false);
        state.tex.TexPoint({1, 2}, 0, true);
        state.tex.TexText("50% & more", "[b]", {1, 2}, TexMath::Inline);
        state.tex.TexLineStyle(kStyleDashDot, false);
        state.tex.TexLineStyle(kStyleSolid, false);
        state.tex.TexArrow({0.5L, 0}, {5, 0}, 0.5L, false);
    });
    EXPECT_EQ(
        out,
        CrLf({R"(\putrule from -1.00 2.00 to 3.00 2.00)", R"(\setdots <3pt>)",
              R"(\plot -1.00 2.00 30.00 4.00 /)", R"(\setsolid)",
              R"(\put {$\scriptstyle\bullet$} at 1.00 2.00)", R"(\put {\fiverm .} at 1.00 2.00)",
              R"(\put {$50\% \& more$} [b] at 1.00 2.00)", R"(\setdashpattern<3pt,2pt,10pt,2pt>)",
              R"(\arrow <0.400cm> [0.100,0.100] from 4.50000 0.00000 to 5.00000 0.00000)"}));
}

TEST_F(PictexTest, ImageFrameOfAnAnimationIsTheSharedBox) {
    state.view = ExportView::FromCorners(10, 20, 0, 10, 401, 401);
    state.view.frameImage = true;
    state.StartOutput(ExportKind::PicTeX);
    state.texFrameCount = 2;
    EXPECT_EQ(Capture([&] { state.tex.TexImageFrame(); }),
              CrLf({R"(\putrule from -5.00 5.00 to -5.00 -5.00)",
                    R"(\putrule from -5.00 -5.00 to 5.00 -5.00)",
                    R"(\putrule from 5.00 -5.00 to 5.00 5.00)",
                    R"(\putrule from 5.00 5.00 to -5.00 5.00)"}));
}

TEST_F(PictexTest, LongCurvesAreWrittenInPiecesAndOnePointCurvesNotAtAll) {
    state.StartOutput(ExportKind::PicTeX);
    const std::string out = Capture([&] {
        state.tex.TexCurveBegin();
        state.tex.TexCurvePoint({1, 1});
        state.tex.TexCurveEnd();
        state.tex.TexCurveBegin();
        for (int i = 0; i < 10000; ++i) state.tex.TexCurvePoint({i * 1e-3L, 0});
        state.tex.TexCurveEnd();
    });
    ASSERT_EQ(out.substr(0, 8), "\\plot \r\n");
    EXPECT_EQ(out.substr(8, 11), "0.00 0.00\r\n");
    EXPECT_EQ(out.substr(out.size() - 15), "10.00 0.00\r\n/\r\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 10002);
}

TEST_F(PictexTest, PolylineByParityWritesOnePlotPerDrawnRun) {
    state.StartOutput(ExportKind::PicTeX);
    const std::array<WorldPoint, 5> points{{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}};
    const std::array<std::uint8_t, 5> marks{1, 1, 0, 0, 0};
    EXPECT_EQ(Capture([&] { state.tex.TexPolylineByParity(points, marks, 1); }),
              CrLf({R"(\plot )", "0.00 0.00", "1.00 0.00", "/", R"(\plot )", "2.00 0.00",
                    "3.00 0.00", "/"}));
}

TEST_F(PictexTest, ShadingOfMonotoneRegions) {
    const std::array<WorldPoint, 3> triangle{{{0, 0}, {2, 0}, {1, 1}}};
    std::string out;
    out = Capture([&] { EXPECT_TRUE(state.tex.TexShade(triangle, true, 0)); });
    EXPECT_EQ(out,
              CrLf({R"(\setshadegrid span <0.2pt>)", R"(\vshade)", "0.000000 0.000000 0.000000",
                    "1.000000 0.000000 1.000000", "2.000000 0.000000 0.000000 /"}));

    // A square with vertical sides: both chains start and end on the sides.
    const std::array<WorldPoint, 4> square{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
    out = Capture([&] { EXPECT_TRUE(state.tex.TexShade(square, true, 2)); });
    EXPECT_EQ(out, CrLf({R"(\setshadegrid span <1.7600000pt>)", R"(\vshade)",
                         "0.000000 0.000000 1.000000", "1.000000 0.000000 1.000000 /"}));

    // The same triangle shaded sideways swaps the roles of x and y.
    out = Capture([&] { EXPECT_TRUE(state.tex.TexShade(triangle, false, -1)); });
    EXPECT_EQ(out, CrLf({R"(\setshadegrid span <1.0000000pt>)", R"(\hshade)",
                         "0.000000 0.000000 2.000000", "1.000000 1.000000 1.000000 /"}));

    const std::array<WorldPoint, 6> zigzag{{{0, 0}, {2, 0}, {1, 0.5L}, {2, 1}, {0, 1}, {1, 0.5L}}};
    out = Capture([&] {
        EXPECT_FALSE(state.tex.TexShade(triangle, true, 1));
        EXPECT_FALSE(state.tex.TexShade(std::span(triangle).first(2), true, 0));
        EXPECT_FALSE(state.tex.TexShade(zigzag, true, 0));
        EXPECT_FALSE(state.tex.TexSetShadeGrid(1));
    });
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace quorlin::canvas
