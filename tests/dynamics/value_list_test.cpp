// The ';'-separated initial values of a derx trajectory.
#include "dynamics/value_list.h"

#include "core/errors.h"
#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

using ValueListTest = DynamicsTest;

TEST_F(ValueListTest, FieldsBecomeTrees) {
    const struct {
        const char* text;
        int error;
        std::vector<long double> values;
    } rows[] = {{"1; 2*3; sin(0);", 0, {1, 6, 0}},
                {"pi", 0, {3.14159265358979323846L}},
                {"1;;2", 9, {}},
                {"1;2+", 1, {}},
                {"1;2;3;4;5;6;7;8;9;10;", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
                {"1;2;3;4;5;6;7;8;9;10;11", kErrOutOfBounds, {}}};
    for (const auto& row : rows) {
        ValueList list = ParseValueList(ctx, row.text);
        EXPECT_EQ(list.error != 0, row.error != 0) << row.text << " gave " << list.error;
        EXPECT_TRUE(row.error != kErrOutOfBounds || list.error == kErrOutOfBounds);
        ASSERT_EQ(list.trees.size(), row.values.size()) << row.text;
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            ASSERT_TRUE(ctx.Evaluate(*list.trees[i]));
            EXPECT_NEAR(list.trees[i]->re, row.values[i], 1e-18L) << row.text;
        }
    }
}

}  // namespace
}  // namespace quorlin::dynamics
