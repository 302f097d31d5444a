#include "examples/records/derivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quorlin::examples {
namespace {

TEST(DerivationTable, EveryCodeOnceWithANameAndAText) {
    std::set<int> codes;
    for (const TDerivationInfo& d : DerivationTable()) {
        SCOPED_TRACE(d.code);
        EXPECT_TRUE(codes.insert(d.code).second);
        EXPECT_FALSE(d.derived.empty());
        EXPECT_NE(d.describe, nullptr);
        EXPECT_EQ(FindDerivation(d.code), &d);
        EXPECT_EQ(d.valid == nullptr, d.fault.empty());
    }
    EXPECT_EQ(FindDerivation(0), nullptr);
    EXPECT_EQ(FindDerivation(44), nullptr);
}

TEST(DerivationTable, ParentsAndTheSecondParentWord) {
    struct Case {
        int code;
        TParents parents;
        bool namesSecond;
    };
    const Case cases[] = {{derived::kSum, TParents::kTwo, true},
                          {derived::kComposition, TParents::kTwo, true},
                          {derived::kTaylor, TParents::kOne, true},
                          {derived::kAntiderivative, TParents::kOneOrTwo, true},
                          {derived::kEndPoint, TParents::kSegmentAndText, false},
                          {154, TParents::kTwo, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_NE(FindDerivation(c.code), nullptr);
        EXPECT_EQ(FindDerivation(c.code)->parents, c.parents);
        EXPECT_EQ(NamesSecondParent(c.code), c.namesSecond);
    }
    // Not derived, or a code the table does not know: the word is an example index.
    EXPECT_TRUE(NamesSecondParent(0));
    EXPECT_TRUE(NamesSecondParent(999));
}

TEST(DerivationTable, OnlyCombinationsCarryApproximations) {
    std::set<int> approximable;
    for (const TDerivationInfo& d : DerivationTable())
        if (d.approximable) approximable.insert(d.code);
    EXPECT_EQ(approximable, (std::set<int>{42, 43, 45, 47, 94, 177}));
}

TEST(DerivationTable, RowsCheckWhatTheirRecordsNeed) {
    struct Case {
        int code;
        void (*set)(TExample&, int);
        int value;
        bool ok;
    };
    const auto degree = [](TExample& e, int v) {
        e.derivationParam = static_cast<std::int16_t>(v);
    };
    const auto letter = [](TExample& e, int v) { e.FrozenLetter() = static_cast<std::int16_t>(v); };
    const Case cases[] = {
        {derived::kTaylor, degree, 0, true},        {derived::kTaylor, degree, 9, true},
        {derived::kTaylor, degree, 10, false},      {derived::kTaylor, degree, -1, false},
        {derived::kFrozenMember, letter, 1, true},  {derived::kFrozenMember, letter, 26, true},
        {derived::kFrozenMember, letter, 0, false}, {derived::kFrozenMember, letter, 27, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.value);
        const TDerivationInfo* d = FindDerivation(c.code);
        ASSERT_NE(d, nullptr);
        ASSERT_NE(d->valid, nullptr);
        TExample e;
        e.Init(kind::kExplicit, 1, 50);
        c.set(e, c.value);
        EXPECT_EQ(d->valid(e), c.ok);
    }
    EXPECT_EQ(FindDerivation(derived::kTaylor)->fault, "derivationParam");
    EXPECT_EQ(FindDerivation(derived::kFrozenMember)->fault, "FrozenLetter");
}

}  // namespace
}  // namespace quorlin::examples
