// The map pair: the range window shows the domain's curves and grid through the map, is made and
// kept by the domain window, and is told of every change of the domain. How the curves bend and
// break through a map the drawers' tests check.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <cmath>

#include "examples/levels/inventory_dialog.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "platform/frame_window.h"
#include "plot2d/map2_win.h"
#include "support/curve_pixels.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;
using quorlin::testing::InkNear;

class MapPairTest : public ::testing::Test {
protected:
    explicit MapPairTest(bool complex = false) : domain(QStringLiteral("noname1.ma2"), complex) {
        domain.Create();
        domain.SizeChanged(401, 401);
        range().SizeChanged(401, 401);
    }
    TRan2Win& range() { return *domain.Range(); }
    int Add(int kind, std::array<std::string_view, 5> texts) {
        examples::TExample& e = domain.AddExample(kind, -5, 5, texts);
        const int i = domain.Inventory().LastIndex();
        e.pen.colour = static_cast<std::int16_t>(10 + i);
        domain.CompileExample(i);
        return i;
    }
    QImage RangePicture() {
        range().InvalidateImage(ImageLayer::Background);
        range().RenderImage(ImageLayer::Picture);
        return range().Image(ImageLayer::Picture);
    }
    QRgb Colour(int index) { return range().OutputColor(range().DrawColor(index)).rgb(); }

    TDom2Win domain;
};

TEST_F(MapPairTest, TheRangeShowsTheDomainThroughItsMapAndFollowsItsChanges) {
    ASSERT_NE(domain.Range(), nullptr);
    EXPECT_TRUE(domain.IsMapWindow());
    EXPECT_TRUE(range().IsMapWindow());
    EXPECT_TRUE(range().PointMapping().readoutMaps);
    // (x, y) ==> (x, y + x^2/4): the line y = 1 becomes the parabola v = 1 + u^2/4.
    Add(k::kPlaneMap, {"x", "y+x^2/4"});
    const int line = Add(k::kExplicit, {"", "1"});
    const QImage image = RangePicture();
    EXPECT_EQ(quorlin::testing::ShareInked(range(), image, Colour(10 + line), -4, 4, 33,
                                           [](long double u) {
                                               return std::pair{u, 1 + u * u / 4};
                                           }),
              1.0);
    EXPECT_FALSE(InkNear(range(), image, 0, 3, Colour(10 + line)));
    // The domain's grid line x = 2 stays the line u = 2 in the grid colour.
    EXPECT_TRUE(InkNear(range(), image, 2, -3, Colour(domain.Roles().Role(2))));

    // A change of the domain's sketch, or its own drawing, redraws the range.
    ASSERT_TRUE(range().IsImageCurrent(ImageLayer::Background));
    domain.SketchPointAdded(examples::TSketchPoint{});
    EXPECT_FALSE(range().IsImageCurrent(ImageLayer::Background));
    RangePicture();
    domain.InvalidateImage(ImageLayer::Background);
    domain.RenderImage(ImageLayer::Picture);
    EXPECT_FALSE(range().IsImageCurrent(ImageLayer::Background));
}

TEST(MapPairPlacement, DomainAndRangeLieSideBySideInsideTheFrame) {
    platform::FrameWindow frame;
    frame.resize(700, 500);
    frame.show();
    auto* domain = new TDom2Win(QStringLiteral("noname1.ma2"), false);
    domain->SetUseDefaults(true);
    frame.AddChild(domain);
    ASSERT_NE(domain->Range(), nullptr);
    const QRect area =
        qobject_cast<QMdiSubWindow*>(domain->OuterWidget())->mdiArea()->viewport()->rect();
    const QRect left = domain->OuterWidget()->geometry();
    const QRect right = domain->Range()->OuterWidget()->geometry();
    EXPECT_TRUE(area.contains(left));
    EXPECT_TRUE(area.contains(right));
    EXPECT_EQ(right.left(), left.right() + 1);
    EXPECT_EQ(right.size(), left.size());
}

class ComplexMapTest : public MapPairTest {
protected:
    ComplexMapTest() : MapPairTest(true) {}
};

TEST_F(ComplexMapTest, AComplexDomainDrawsThroughItsMapInComplexMode) {
    // z ==> 1/z: the segment from -2 to 2 on the real axis passes the pole at 0; its image is
    // the real axis beyond +-1/2, with nothing between.
    Add(k::kComplexMap, {"1/z"});
    const int segment = Add(k::kSegment, {"-2", "0", "2", "0"});
    domain.Axes().xInterval = 100;  // no grid lines in the way
    domain.Axes().yInterval = 100;
    const QImage image = RangePicture();
    EXPECT_TRUE(InkNear(range(), image, -1, 0, Colour(10 + segment)));
    EXPECT_FALSE(InkNear(range(), image, 0, 0, Colour(10 + segment)));
}

// Maps made as a user makes them, from the Equa menu: the newest is the one the range draws,
// and making the older one "active" in the inventory switches back; each change redraws the
// range at once, and the domain shows the grid lines the range shows through the map.
TEST_F(ComplexMapTest, TheNewestOrTheActiveMapIsDrawnAndTheDomainShowsTheMappedGrid) {
    domain.Axes().xInterval = 1;    // the lines x = k ...
    domain.Axes().yInterval = 100;  // ... and no others
    const auto newMap = [this](const char* formula) {
        platform::ScopedDialogRunner runner([formula](platform::Dialog& d) {
            d.SetText(211, QString::fromLatin1(formula));
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(domain.SendCommand(k::kComplexMap + resources::cmd::kNewExampleOffset));
    };
    newMap("z^2");
    RangePicture();
    newMap("exp(z)");
    ASSERT_EQ(domain.Inventory().Count(), 2);
    EXPECT_FALSE(range().IsImageCurrent(ImageLayer::Background));
    const QRgb grid = Colour(domain.Roles().Role(2));
    // x = 1 goes to the circle of radius e through exp(z), to the parabola (1 - y^2, 2y)
    // through z^2; neither image of any line x = k passes the other's point.
    const long double e = std::exp(1.0L);
    const auto onCircle = [&](const QImage& image) {
        return InkNear(range(), image, e * std::cos(0.5L), e * std::sin(0.5L), grid);
    };
    const auto onParabola = [&](const QImage& image) {
        return InkNear(range(), image, 0, 2, grid);
    };
    QImage image = RangePicture();
    EXPECT_TRUE(onCircle(image));
    EXPECT_FALSE(onParabola(image));

    domain.SendCommand(resources::cmd::kInventory);
    examples::TFnListDlg& inventory = *domain.InventoryDialog();
    inventory.SetSelectedIndex(examples::invent::kList, 0);
    inventory.OnNotify(examples::invent::kList, platform::Notification::SelectionChanged);
    inventory.Press(examples::invent::kWeb);  // "active" in a map window
    EXPECT_FALSE(range().IsImageCurrent(ImageLayer::Background));
    image = RangePicture();
    EXPECT_TRUE(onParabola(image));
    EXPECT_FALSE(onCircle(image));

    // The domain shows the lines x = k that the range shows mapped.
    domain.InvalidateImage(ImageLayer::Background);
    domain.RenderImage(ImageLayer::Picture);
    const QImage own = domain.Image(ImageLayer::Picture);
    const QRgb domainGrid = domain.OutputColor(domain.DrawColor(domain.Roles().Role(2))).rgb();
    EXPECT_TRUE(InkNear(domain, own, 1, 3.3L, domainGrid));
    EXPECT_TRUE(InkNear(domain, own, -2, -1.7L, domainGrid));
    EXPECT_FALSE(InkNear(domain, own, 1.5L, 3.3L, domainGrid));
}

TEST_F(ComplexMapTest, SaveAsAndNewKeepTheMapsOwnExtension) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    QTemporaryDir dir;
    Add(k::kComplexMap, {"z^2"});
    dialogs.fileAnswers.push_back(dir.filePath(QStringLiteral("square")));
    EXPECT_TRUE(domain.FileSaveAs());
    platform::SetCommonDialogs(nullptr);
    ASSERT_EQ(dialogs.fileAsks.size(), 1u);
    EXPECT_TRUE(dialogs.fileAsks[0].request.filter.endsWith(QStringLiteral("|*.maz")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("square.maz"))));
    domain.NewDiagram();
    EXPECT_TRUE(domain.FileName().endsWith(QStringLiteral(".maz")));
}

}  // namespace
}  // namespace quorlin::plot2d
