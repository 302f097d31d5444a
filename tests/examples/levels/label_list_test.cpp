// The equation-label list keeps one label per example in index order through removals,
// exchanges and a broken list it is asked to restore.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "examples/levels/label_list.h"

namespace quorlin::examples {
namespace {

using canvas::TEquationLabel;

TEquationLabel Label(int number, std::string text = {}) {
    TEquationLabel l;
    l.number = static_cast<std::uint16_t>(number);
    l.text = text.empty() ? "label " + std::to_string(number) : std::move(text);
    return l;
}

TEquationLabelList ListOf(std::initializer_list<TEquationLabel> labels) {
    TEquationLabelList list;
    for (const TEquationLabel& l : labels) list.Append(l);
    return list;
}

std::vector<std::string> Texts(const TEquationLabelList& list) {
    std::vector<std::string> texts;
    for (const TEquationLabel& l : list.Labels()) texts.push_back(l.text);
    return texts;
}

TEST(LabelListTest, RestoresOneLabelPerExampleInIndexOrder) {
    const auto make = [](int i, const TEquationLabel* previous) {
        return Label(i, "made " + std::to_string(i) + (previous ? " after " + previous->text : ""));
    };
    struct Case {
        const char* name;
        TEquationLabelList list;
        int count;
        bool changed;
        std::vector<std::string> texts;
    } cases[] = {
        {"sound", ListOf({Label(0), Label(1)}), 2, false, {"label 0", "label 1"}},
        {"the newest missing", ListOf({Label(0)}), 2, true, {"label 0", "made 1 after label 0"}},
        {"empty", {}, 1, true, {"made 0"}},
        {"a repeat and a gap",
         ListOf({Label(0), Label(0, "again"), Label(2)}),
         3,
         true,
         {"label 0", "made 1 after label 0", "label 2"}},
        {"out of order", ListOf({Label(1), Label(0)}), 2, true, {"label 0", "label 1"}},
        {"labels of examples that are gone",
         ListOf({Label(0), Label(1), Label(5)}),
         1,
         true,
         {"label 0"}}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.list.Restore(c.count, make), c.changed);
        EXPECT_EQ(Texts(c.list), c.texts);
        for (int i = 0; i < c.list.Count(); ++i) EXPECT_EQ(c.list.Labels()[i].number, i);
    }
}

TEST(LabelListTest, RemovalsAndExchangesKeepTheNumbering) {
    TEquationLabelList list = ListOf({Label(0), Label(1), Label(2), Label(3)});
    list.ApplyRemoval(std::vector<int>{0, -1, 1, -1});
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"label 0", "label 2"}));
    EXPECT_EQ(list.Labels()[1].number, 1);

    list.Append(Label(2));
    list.Swap(0, 2);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"label 2", "label 2", "label 0"}));
    EXPECT_EQ(list.Labels()[2].number, 2);
    list.RemoveFrom(1);
    EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace quorlin::examples
