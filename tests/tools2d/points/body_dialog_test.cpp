// The orbital-system editor on a planets window, offscreen: "Orbital system ..." makes a new
// system of two bodies that is drawn on its circle (or nothing after "cancel"); the buttons
// enabled by the count; "cancel" after new, delete and edits leaves the diagram byte for byte;
// "many" then "draw"; a refused field keeps the dialog open with its error; the z fields hidden
// in the plane; edits of current values not stored; the inventory's "edit" of a system.
#include "tools2d/points/body_dialog.h"

#include <cmath>
#include <numbers>

#include "core/binio.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "platform/boxes.h"
#include "plot2d/orbital.h"
#include "plot2d/plot2_win.h"
#include "resources/command_ids.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace orb = plot2d::orbital;
using platform::ScopedDialogRunner;
constexpr int kNewOrbital = 219 + resources::cmd::kNewExampleOffset;

class BodyDialogTest : private InstallToolsFirst, public ::testing::Test {
protected:
    BodyDialogTest() { win.SizeChanged(401, 401); }

    // "Orbital system ..." with the editor worked by `work`, which gives the dialog's end.
    void NewSystem(const std::function<int(TBodyDlg&)>& work) {
        ScopedDialogRunner runner(
            [&](platform::Dialog& d) { return work(dynamic_cast<TBodyDlg&>(d)); });
        ASSERT_TRUE(win.SendCommand(kNewOrbital));
    }
    // The system's editor again, as the inventory's "edit" runs it.
    bool Edit(const std::function<int(TBodyDlg&)>& work) {
        ScopedDialogRunner runner(
            [&](platform::Dialog& d) { return work(dynamic_cast<TBodyDlg&>(d)); });
        return win.EditOrbitalSystem(0);
    }
    static void Choose(TBodyDlg& d, int body) {
        d.SetSelectedIndex(TBodyDlg::kBodies, body);
        d.OnNotify(TBodyDlg::kBodies, platform::Notification::SelectionChanged);
    }
    std::vector<std::uint8_t> Body() {
        ByteWriter out;
        EXPECT_EQ(win.WriteBody(out), 0);
        return out.Take();
    }
    std::vector<QString> Errors() const {
        std::vector<QString> texts;
        for (const auto& m : prompter.messages)
            if (m.error) texts.push_back(m.text);
        return texts;
    }
    examples::TExample& System() { return win.Inventory()[0]; }

    platform::ScriptedPrompter prompter;
    plot2d::TPlotXWin win{QStringLiteral("noname1.qz2")};
};

TEST_F(BodyDialogTest, ANewSystemIsDrawnOnItsCircle) {
    EXPECT_TRUE(win.QueryCommand(kNewOrbital).enabled);
    NewSystem([](TBodyDlg&) { return platform::kIdCancel; });
    EXPECT_EQ(win.Inventory().Count(), 0);
    NewSystem([](TBodyDlg& d) {
        EXPECT_EQ(d.ItemCount(TBodyDlg::kBodies), 2);
        EXPECT_EQ(d.GetText(TBodyDlg::kMass), QStringLiteral("27"));
        EXPECT_EQ(d.GetText(TBodyDlg::kGravity), QStringLiteral("1"));
        EXPECT_EQ(d.GetText(TBodyDlg::kCalculations), QStringLiteral("1000"));
        return d.Press(platform::kIdOk);
    });
    ASSERT_EQ(win.Inventory().Count(), 1);
    EXPECT_EQ(System().kind, examples::kind::kOrbital);
    win.InvalidateImage(ImageLayer::Background);
    win.RenderImage(ImageLayer::Background);
    const QImage image = win.Image(ImageLayer::Background);
    const QRgb light = win.OutputColor(win.DrawColor(System().trajectories[1].pen.colour)).rgb();
    int hits = 0;
    for (int k = 0; k < 24; ++k) {
        const long double t = 2 * std::numbers::pi_v<long double> * k / 24;
        const int px = win.XToScreen(3 * std::cos(t)), py = win.YToScreen(3 * std::sin(t));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.rect().contains(px + dx, py + dy) &&
                    image.pixel(px + dx, py + dy) == light) {
                    ++hits;
                    dx = dy = 2;
                }
    }
    EXPECT_EQ(hits, 24);
    // The centre of the circle is not on it.
    EXPECT_NE(image.pixel(win.XToScreen(1.5L), win.YToScreen(0)), light);
}

TEST_F(BodyDialogTest, ButtonsFollowTheCount) {
    NewSystem([](TBodyDlg& d) {
        const auto state = [&d] {
            return std::pair{d.IsControlEnabled(TBodyDlg::kNew),
                             d.IsControlEnabled(TBodyDlg::kDelete)};
        };
        EXPECT_EQ(state(), std::pair(true, false));  // two bodies
        d.Press(TBodyDlg::kNew);
        EXPECT_EQ(d.CurrentBody(), 2);
        EXPECT_EQ(d.GetText(TBodyDlg::kName), QStringLiteral("body 2"));
        EXPECT_EQ(state(), std::pair(true, false));  // three, and the last one
        d.Press(TBodyDlg::kNew);
        EXPECT_EQ(state(), std::pair(true, false));  // four, but the last one
        Choose(d, 1);
        EXPECT_EQ(state(), std::pair(true, true));
        while (d.ItemCount(TBodyDlg::kBodies) < 12) d.Press(TBodyDlg::kNew);
        EXPECT_EQ(state(), std::pair(false, false));
        Choose(d, 5);
        EXPECT_EQ(state(), std::pair(false, true));
        d.Press(TBodyDlg::kDelete);
        EXPECT_EQ(d.ItemCount(TBodyDlg::kBodies), 11);
        EXPECT_EQ(d.CurrentBody(), 0);
        EXPECT_EQ(state(), std::pair(true, true));
        return d.Press(platform::kIdOk);
    });
    EXPECT_EQ(orb::BodyCount(System()), 11);
    EXPECT_EQ(System().trajectories.size(), 11u);
}

TEST_F(BodyDialogTest, CancelLeavesTheSystemAsItWas) {
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    const std::vector<std::uint8_t> before = Body();
    EXPECT_FALSE(Edit([](TBodyDlg& d) {
        d.Press(TBodyDlg::kNew);
        d.Press(TBodyDlg::kNew);
        Choose(d, 1);
        d.SetText(TBodyDlg::kPosition[0], QStringLiteral("4.5"));
        d.SetText(TBodyDlg::kMass, QStringLiteral("2"));
        d.SetText(TBodyDlg::kName, QStringLiteral("moon"));
        Choose(d, 0);
        d.Press(TBodyDlg::kSetOrigin);
        Choose(d, 1);
        d.Press(TBodyDlg::kDelete);
        d.Press(TBodyDlg::kClear);
        d.SetText(TBodyDlg::kGravity, QStringLiteral("3"));
        return platform::kIdCancel;
    }));
    EXPECT_EQ(Body(), before);
}

// The inventory's "edit" of a system runs the editor on that system.
TEST_F(BodyDialogTest, TheInventoryEditsTheSystem) {
    win.Create();
    win.AddExample(examples::kind::kExplicit, -5, 5, {"", "x"});
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    ASSERT_EQ(win.Inventory()[1].kind, examples::kind::kOrbital);
    examples::TFnListDlg& inventory = *win.InventoryDialog();
    inventory.FillList(1);
    int runs = 0;
    ScopedDialogRunner runner([&runs](platform::Dialog& d) {
        auto& bodies = dynamic_cast<TBodyDlg&>(d);
        ++runs;
        EXPECT_EQ(bodies.ItemCount(TBodyDlg::kBodies), 2);
        bodies.SetText(TBodyDlg::kCalculations, QStringLiteral("200"));
        return bodies.Press(platform::kIdOk);
    });
    inventory.Press(examples::invent::kEdit);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(orb::SettingsOf(win.Inventory()[1]).calculations, 200);
}

TEST_F(BodyDialogTest, ManyThenDrawStoresTheMostPositions) {
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    EXPECT_TRUE(Edit([](TBodyDlg& d) {
        d.Press(TBodyDlg::kMany);
        d.SetText(TBodyDlg::kInterval, QStringLiteral("12"));
        d.SetText(TBodyDlg::kCalculations, QStringLiteral("480"));
        return d.Press(platform::kIdOk);
    }));
    const orb::TOrbitalSettings s = orb::SettingsOf(System());
    EXPECT_EQ(s.positions, 2147483647.0L);
    EXPECT_EQ(s.timeStep, 12.0L / 480);
}

TEST_F(BodyDialogTest, ARefusedFieldKeepsTheDialogOpen) {
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    const struct {
        int field;
        const char *text, *error;
    } rows[] = {
        {TBodyDlg::kGravity, "0", "positive value?"},
        {TBodyDlg::kCalculations, "x", "positive value?"},
        {TBodyDlg::kBulletSize, "101", "out of bounds"},
    };
    for (const auto& row : rows) {
        const long double interval = orb::SettingsOf(System()).interval;
        EXPECT_FALSE(Edit([&](TBodyDlg& d) {
            d.SetText(row.field, QString::fromLatin1(row.text));
            EXPECT_EQ(d.Press(platform::kIdOk), 0);  // stays open
            EXPECT_EQ(Errors().back(), QString::fromLatin1(row.error));
            return platform::kIdCancel;
        }));
        EXPECT_EQ(orb::SettingsOf(System()).interval, interval);
    }
}

// A mass that is no number is refused aloud: "draw" leaves the dialog open and another body is
// not chosen until it reads; a number of 1e-16 or less still keeps the old mass.
TEST_F(BodyDialogTest, AMassThatIsNoNumberIsRefusedAloud) {
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    const auto mass = [this](int body) {
        return System().points[orb::kMassEntry + static_cast<std::size_t>(body)].x;
    };
    const long double before = mass(1);
    const struct {
        const char* typed;
        bool refused;
        long double stored;
    } rows[] = {
        {"abc(", true, before}, {"2x", true, before},   {"", true, before},   {"-", true, before},
        {"0", false, before},   {" 2.5e1 ", false, 25}, {"+.5", false, 0.5L},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::size_t shown = Errors().size();
        EXPECT_TRUE(Edit([&](TBodyDlg& d) {
            Choose(d, 1);
            d.SetText(TBodyDlg::kMass, QString::fromLatin1(row.typed));
            Choose(d, 0);
            EXPECT_EQ(d.CurrentBody(), row.refused ? 1 : 0);
            if (row.refused) {
                EXPECT_EQ(d.Press(platform::kIdOk), 0);  // stays open
                EXPECT_EQ(Errors().size(), shown + 2);
                const std::vector<QString> errors = Errors();
                EXPECT_EQ(errors.empty() ? QString() : errors.back(),
                          QStringLiteral("cannot understand"));
                d.SetText(TBodyDlg::kMass, QStringLiteral("0"));
            }
            return d.Press(platform::kIdOk);
        }));
        EXPECT_EQ(mass(1), row.stored);
        if (!row.refused) EXPECT_EQ(Errors().size(), shown);
    }
}

TEST_F(BodyDialogTest, OnlyInitialValuesAreEditedAndThePlaneHasNoZ) {
    NewSystem([](TBodyDlg& d) { return d.Press(platform::kIdOk); });
    EXPECT_TRUE(Edit([](TBodyDlg& d) {
        for (const int id : {TBodyDlg::kPosition[2], TBodyDlg::kVelocity[2], TBodyDlg::kZLabel,
                             TBodyDlg::kZVelocityLabel})
            EXPECT_FALSE(d.IsControlShown(id)) << id;
        Choose(d, 1);
        d.Press(TBodyDlg::kCurrent);
        d.SetText(TBodyDlg::kPosition[0], QStringLiteral("-4"));  // a current value: not kept
        d.SetText(TBodyDlg::kPenWidth, QStringLiteral("0"));      // not a width
        d.SetText(TBodyDlg::kName, QStringLiteral("moon"));
        return d.Press(platform::kIdOk);
    }));
    const examples::TExample& e = System();
    EXPECT_EQ(e.points[orb::kInitialPositionEntry + 1].x, 3);
    EXPECT_EQ(e.trajectories[1].pen.width, 1);
    EXPECT_EQ(e.trajectories[1].texts[3], "moon");
}

}  // namespace
}  // namespace quorlin::tools2d
