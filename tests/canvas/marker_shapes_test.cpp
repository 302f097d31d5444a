// Point markers: the SVG writer, the EPS writer and the screen draw each kind as the same
// figure, whatever order they list its points in; only the PostScript kinds 6 and 7 differ,
// on purpose.
#include "fake_export_host.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

#include "canvas/canvas_primitives.h"
#include "canvas/marker_shapes.h"

namespace quorlin::canvas {
namespace {

using testing::ExportFixture;

using Pixel = std::pair<long, long>;
using Segment = std::pair<Pixel, Pixel>;  // ends in order, so that direction does not count
using Figure = std::set<Segment>;

constexpr Pixel kCentre{100, 500};
constexpr int kSize = 4;

void Add(Figure& figure, Pixel a, Pixel b) {
    if (a != b) figure.insert(a < b ? Segment{a, b} : Segment{b, a});
}

void AddClosed(Figure& figure, const std::vector<Pixel>& corners) {
    for (std::size_t i = 0; i < corners.size(); ++i)
        Add(figure, corners[i], corners[(i + 1) % corners.size()]);
}

std::vector<long> Numbers(const std::string& text) {
    std::vector<long> numbers;
    std::istringstream in(std::regex_replace(text, std::regex("[^-0-9]+"), " "));
    for (long n = 0; in >> n;) numbers.push_back(n);
    return numbers;
}

// The segments of the paths, polygons and rectangles of an SVG fragment.
Figure SvgFigure(const std::string& svg) {
    Figure figure;
    auto each = [&](const char* pattern, auto take) {
        const std::regex re(pattern);
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), re);
             it != std::sregex_iterator(); ++it)
            take(*it);
    };
    // After "M" or "L" comes a point; a bare number continues the current line.
    each(R"re(<path d="([^"]*)")re", [&](const std::smatch& m) {
        std::istringstream d(m[1].str());
        Pixel last{};
        for (std::string letter; d >> std::ws && !d.eof();) {
            if (!std::isdigit(d.peek())) d >> letter;
            Pixel p;
            d >> p.first >> p.second;
            if (letter == "L") Add(figure, last, p);
            last = p;
        }
    });
    each(R"re(points="([^"]*)")re", [&](const std::smatch& m) {
        const std::vector<long> n = Numbers(m[1].str());
        std::vector<Pixel> corners;
        for (std::size_t i = 0; i + 1 < n.size(); i += 2) corners.push_back({n[i], n[i + 1]});
        AddClosed(figure, corners);
    });
    each(R"re(<rect x="(-?\d+)" y="(-?\d+)" width="(\d+)" height="(\d+)")re",
         [&](const std::smatch& m) {
             const long x = std::stol(m[1]), y = std::stol(m[2]), w = std::stol(m[3]),
                        h = std::stol(m[4]);
             AddClosed(figure, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
         });
    return figure;
}

// The segments of an EPS fragment drawn on the fixture's page (0.75 points a pixel, y up from
// pixel 600), in pixels.
Figure EpsFigure(const std::string& eps) {
    Figure figure;
    const std::regex line(R"((-?[0-9.]+) (-?[0-9.]+) (moveto|lineto))");
    Pixel last{};
    for (auto it = std::sregex_iterator(eps.begin(), eps.end(), line); it != std::sregex_iterator();
         ++it) {
        const Pixel p{std::lround(std::stod((*it)[1]) / 0.75),
                      600 - std::lround(std::stod((*it)[2]) / 0.75)};
        if ((*it)[3] == "lineto") Add(figure, last, p);
        last = p;
    }
    return figure;
}

class MarkerShapes : public ::testing::Test, public ExportFixture {
protected:
    MarkerShapes() {
        state.view = ExportView::FromCorners(0, 800, 0, 600, 801, 601);
        state.eps.PreparePage();
    }
    Figure Svg(int kind) {
        return SvgFigure(Capture([&] {
            state.svg.SvgMarker({int(kCentre.first), int(kCentre.second)}, kind, kSize, 0);
        }));
    }
    Figure Eps(int kind) {
        return EpsFigure(Capture([&] {
            state.eps.EpsMarker(state.view.ScreenToWorld({int(kCentre.first), int(kCentre.second)}),
                                kind, kSize, 0);
        }));
    }
};

TEST_F(MarkerShapes, SvgAndEpsDrawTheSameFigure) {
    for (int kind : {0, 2, 3, 4, 5, 8, 9, 10, 11, 12}) {
        const Figure svg = Svg(kind);
        EXPECT_FALSE(svg.empty()) << kind;
        EXPECT_EQ(Eps(kind), svg) << "kind " << kind;
    }
    // The PostScript files keep their own 6 and 7: the bare cross and the cross in its square.
    EXPECT_EQ(Eps(6), Svg(9));
    EXPECT_EQ(Eps(7), Svg(6));
    EXPECT_NE(Svg(7), Svg(6));
    EXPECT_EQ(FindMarkerShape(-1), nullptr);  // no shape beyond the kinds
    EXPECT_EQ(FindMarkerShape(kMarkerKinds), nullptr);
}

// Kinds 2 (up) and 11 (a trident up) the SVG writer's test pins to the byte.
TEST_F(MarkerShapes, TrianglesAndTridentsPointTheWayTheirKindSays) {
    const auto [x, y] = kCentre;
    const long r = kSize;
    auto triangle = [](std::vector<Pixel> corners) {
        Figure figure;
        AddClosed(figure, corners);
        return figure;
    };
    EXPECT_EQ(Svg(3), triangle({{x - r, y - r}, {x + r, y - r}, {x, y + r}}));  // down
    EXPECT_EQ(Svg(4), triangle({{x - r, y - r}, {x - r, y + r}, {x + r, y}}));  // right
    EXPECT_EQ(Svg(5), triangle({{x + r, y - r}, {x + r, y + r}, {x - r, y}}));  // left
    EXPECT_EQ(Svg(12).count({{x, y}, {x, y + 3 * r}}), 1u);
    EXPECT_EQ(Eps(11).count({{x, y - 3 * r}, {x, y}}), 1u);
}

// The screen draws every segment of the SVG figure and nothing far from it.
TEST_F(MarkerShapes, TheScreenDrawsTheSvgFigure) {
    TViewFrame frame;
    frame.SetAreaSize(801, 601);
    frame.RecomputeView();
    for (int kind = 0; kind <= 12; ++kind) {
        QImage image(801, 601, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            platform::DeviceContext dc(image);
            TCanvasPrimitives prim(dc, frame, nullptr);
            prim.SetPen(Qt::black, 1, kStyleSolid);
            prim.Marker(QPoint(int(kCentre.first), int(kCentre.second)), kind, kSize);
        }
        const Figure svg = kind == 1 ? Figure{} : Svg(kind);
        for (const auto& [a, b] : svg) {
            const int mx = int((a.first + b.first) / 2), my = int((a.second + b.second) / 2);
            EXPECT_EQ(image.pixelColor(mx, my), QColor(Qt::black)) << "kind " << kind;
        }
        const long reach = kind >= 11 ? 3 * kSize + 1 : kSize + 1;
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px)
                if (image.pixelColor(px, py) != QColor(Qt::white)) {
                    ASSERT_LE(std::abs(px - kCentre.first), reach) << "kind " << kind;
                    ASSERT_LE(std::abs(py - kCentre.second), reach) << "kind " << kind;
                }
    }
}

}  // namespace
}  // namespace quorlin::canvas
