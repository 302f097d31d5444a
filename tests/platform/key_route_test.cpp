// Key routes, two at once: a key addressed to a widget inside a routing target goes where it was
// going; a key meant elsewhere reaches the target of the newest live route, once; a routed copy
// is never routed again; a route or a target deleted leaves the other route working; a modal box
// or a popup that is open keeps the keys typed into it.
#include "platform/key_route.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>
#include <utility>

namespace quorlin::platform {
namespace {

// Counts the key presses it is given; an ignoring one lets them go on to its parent.
class KeyCounter : public QWidget {
public:
    explicit KeyCounter(QWidget* parent = nullptr, bool accepts = true)
        : QWidget(parent), accepts_(accepts) {}
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++presses;
        event->setAccepted(accepts_);
    }

private:
    bool accepts_;
};

void Press(QWidget& receiver) {
    QKeyEvent event(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    QCoreApplication::sendEvent(&receiver, &event);
}

enum class Receiver { Elsewhere, TargetA, TargetB, InsideA };
// What changes after both routes (A first, then B) were made.
enum class Change { None, RouteBGone, TargetBGone, RouteAGone, TargetAGone, BIdle, BothIdle };

// Target A holds a child that takes keys itself; target B stands in a holder outside every
// target.
struct TwoRoutes {
    KeyCounter elsewhere;
    KeyCounter holderB;
    std::unique_ptr<KeyCounter> a = std::make_unique<KeyCounter>();
    KeyCounter* insideA = new KeyCounter(a.get());
    std::unique_ptr<KeyCounter> b = std::make_unique<KeyCounter>(&holderB);
    bool aActive = true;
    bool bActive = true;
    std::optional<KeyRoute> routeA;
    std::optional<KeyRoute> routeB;

    TwoRoutes() {
        routeA.emplace(*a, [this] { return aActive; });
        routeB.emplace(*b, [this] { return bActive; });
    }
    void Apply(Change change) {
        switch (change) {
            case Change::None:
                return;
            case Change::RouteBGone:
                return routeB.reset();
            case Change::TargetBGone:
                return b.reset();
            case Change::RouteAGone:
                return routeA.reset();
            case Change::TargetAGone:
                return a.reset();
            case Change::BIdle:
                bActive = false;
                return;
            case Change::BothIdle:
                aActive = bActive = false;
                return;
        }
    }
    QWidget& Of(Receiver receiver) {
        switch (receiver) {
            case Receiver::Elsewhere:
                return elsewhere;
            case Receiver::TargetA:
                return *a;
            case Receiver::TargetB:
                return *b;
            case Receiver::InsideA:
                return *insideA;
        }
        return elsewhere;
    }
    static int Count(const std::unique_ptr<KeyCounter>& w) { return w ? w->presses : -1; }
    // Presses seen by: elsewhere, A, inside A, B, B's holder (-1: that target is gone).
    auto Counts() const {
        return std::tuple(elsewhere.presses, Count(a), a ? insideA->presses : -1, Count(b),
                          holderB.presses);
    }
};

struct Row {
    const char* name;
    Change change;
    Receiver receiver;
    std::tuple<int, int, int, int, int> counts;
};

constexpr Row kRows[] = {
    {"elsewhere: the newest route only", Change::None, Receiver::Elsewhere, {0, 0, 0, 1, 0}},
    {"to target A: A alone", Change::None, Receiver::TargetA, {0, 1, 0, 0, 0}},
    {"to target B: B alone", Change::None, Receiver::TargetB, {0, 0, 0, 1, 0}},
    {"inside target A: where it went", Change::None, Receiver::InsideA, {0, 0, 1, 0, 0}},
    {"route B deleted: A takes it", Change::RouteBGone, Receiver::Elsewhere, {0, 1, 0, 0, 0}},
    {"target B deleted: A takes it", Change::TargetBGone, Receiver::Elsewhere, {0, 1, 0, -1, 0}},
    {"route A deleted: B still", Change::RouteAGone, Receiver::Elsewhere, {0, 0, 0, 1, 0}},
    {"target A deleted: B still", Change::TargetAGone, Receiver::Elsewhere, {0, -1, -1, 1, 0}},
    {"B idle: A takes it", Change::BIdle, Receiver::Elsewhere, {0, 1, 0, 0, 0}},
    {"both idle: where it went", Change::BothIdle, Receiver::Elsewhere, {1, 0, 0, 0, 0}},
    {"route B deleted, to A", Change::RouteBGone, Receiver::TargetA, {0, 1, 0, 0, 0}},
    {"target A deleted, to B", Change::TargetAGone, Receiver::TargetB, {0, -1, -1, 1, 0}},
};

class KeyRouteRows : public ::testing::TestWithParam<Row> {};

TEST_P(KeyRouteRows, AKeyReachesOneWidgetOnce) {
    const Row& row = GetParam();
    TwoRoutes routes;
    routes.Apply(row.change);
    Press(routes.Of(row.receiver));
    EXPECT_EQ(routes.Counts(), row.counts) << row.name;
    // A second key goes the same way: nothing was left half-routed.
    Press(routes.Of(row.receiver));
    const auto [e, a, i, b, h] = row.counts;
    const auto twice = [](int n) { return n < 0 ? n : 2 * n; };
    EXPECT_EQ(routes.Counts(), std::tuple(twice(e), twice(a), twice(i), twice(b), twice(h)))
        << row.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyRouteRows, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return "row" + std::to_string(info.index);
                         });

// A target that ignores the key lets the routed copy travel on to its holder, outside the
// target, where the copy is not routed again.
TEST(KeyRoute, ACopyIgnoredByItsTargetTravelsOnOnce) {
    KeyCounter elsewhere;
    KeyCounter holder;
    auto* target = new KeyCounter(&holder, false);
    const KeyRoute route(*target);
    Press(elsewhere);
    EXPECT_EQ(std::tuple(elsewhere.presses, target->presses, holder.presses), std::tuple(0, 1, 1));
}

// The route whose target takes the key may end while its copy is delivered (Q ends a run, which
// drops the route): the other route lives on and takes the next key meant elsewhere.
TEST(KeyRoute, ARouteEndedByItsOwnCopyLeavesTheOtherWorking) {
    KeyCounter elsewhere;
    KeyCounter a;
    std::optional<KeyRoute> routeA(std::in_place, a);
    class Ender : public KeyCounter {
    public:
        std::optional<KeyRoute>* route = nullptr;

    protected:
        void keyPressEvent(QKeyEvent* event) override {
            KeyCounter::keyPressEvent(event);
            route->reset();
        }
    } b;
    std::optional<KeyRoute> routeB(std::in_place, b);
    b.route = &routeB;
    Press(elsewhere);
    EXPECT_EQ(std::tuple(elsewhere.presses, a.presses, b.presses, routeB.has_value()),
              std::tuple(0, 0, 1, false));
    Press(elsewhere);
    EXPECT_EQ(std::tuple(elsewhere.presses, a.presses, b.presses), std::tuple(0, 1, 1));
}

// A modal box or a popup open while two routes live holds the keyboard: a key typed into it, or
// into a widget of it, or passed on by the popup to a widget outside it, goes there and to no
// target. Once it is closed, the same widget's keys go to the newest route again.
TEST(KeyRoute, AModalBoxOrAPopupKeepsTheKeysTypedIntoIt) {
    enum class Typed {
        IntoModalBox,
        IntoWidgetOfModalBox,
        IntoPopup,
        IntoPopupOfModalBox,
        PassedOnByPopup
    };
    const struct {
        const char* name;
        Typed typed;
    } rows[] = {
        {"a modal box", Typed::IntoModalBox},
        {"an edit of a modal box", Typed::IntoWidgetOfModalBox},
        {"a popup menu", Typed::IntoPopup},
        {"a list a modal box opened", Typed::IntoPopupOfModalBox},
        {"a menu's key passed on to its menu bar", Typed::PassedOnByPopup},
    };
    for (const auto& row : rows) {
        TwoRoutes routes;
        KeyCounter box;
        box.setWindowModality(Qt::ApplicationModal);
        auto* edit = new KeyCounter(&box);
        auto* list = new KeyCounter(&box);
        list->setWindowFlags(Qt::Popup);
        KeyCounter menu;
        menu.setWindowFlags(Qt::Popup);
        KeyCounter bar;  // outside the popup, as a menu bar is
        // The widget the key is typed into, and the window open over the routes.
        const auto [receiver, open] = [&]() -> std::pair<KeyCounter*, QWidget*> {
            switch (row.typed) {
                case Typed::IntoModalBox:
                    return {&box, &box};
                case Typed::IntoWidgetOfModalBox:
                    return {edit, &box};
                case Typed::IntoPopup:
                    return {&menu, &menu};
                case Typed::IntoPopupOfModalBox:
                    box.show();
                    return {list, list};
                case Typed::PassedOnByPopup:
                    return {&bar, &menu};
            }
            return {nullptr, nullptr};
        }();
        ASSERT_NE(receiver, nullptr);
        open->show();
        Press(*receiver);
        EXPECT_EQ(std::tuple(receiver->presses, routes.Counts()),
                  std::tuple(1, std::tuple(0, 0, 0, 0, 0)))
            << row.name;
        open->hide();
        box.hide();
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << row.name;
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << row.name;
        Press(*receiver);
        EXPECT_EQ(std::tuple(receiver->presses, routes.Counts()),
                  std::tuple(1, std::tuple(0, 0, 0, 1, 0)))
            << row.name;
    }
}

}  // namespace
}  // namespace quorlin::platform
