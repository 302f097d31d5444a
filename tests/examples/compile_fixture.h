#pragma once
// The fixture of the compilation tests: an inventory, a formula context and the compiler on
// them, a way to add and compile an example from its texts, and the value of a compiled tree
// at given variables.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>

#include "examples/records/compile.h"

namespace quorlin::examples {

// Gives the example texts 1, 2, ... as given, lets `setup` set more fields, appends it to the
// inventory, compiles it and returns its index.
inline int AddCompiled(TInventory& inventory, TExampleCompiler& compiler, TExample e,
                       std::initializer_list<const char*> texts,
                       const std::function<void(TExample&)>& setup) {
    int k = 1;
    for (const char* text : texts) e.Text(k++) = text;
    if (setup) setup(e);
    const int i = inventory.Append(std::move(e));
    EXPECT_GE(i, 0);
    compiler.CompileExample(i);
    return i;
}

class CompileTest : public ::testing::Test {
protected:
    // Appends an example of the kind with texts 1, 2, ... as given, lets `setup` set more
    // fields, compiles it and returns its index.
    int Add(int kindCode, std::initializer_list<const char*> texts,
            const std::function<void(TExample&)>& setup = {}) {
        TExample e;
        e.kind = static_cast<std::int16_t>(kindCode);
        return AddCompiled(inventory, compiler, std::move(e), texts, setup);
    }
    TExample& Ex(int i) { return inventory[i]; }
    // The value of tree k of example i at T = t, U = u (and X = x, Y = y, Z = z); NaN where it
    // is missing or undefined.
    long double At(int i, int k, long double t, long double u = 0, long double x = 0,
                   long double y = 0, long double z = 0) {
        return Value(Ex(i).Tree(k), {t, u, x, y, z});
    }
    struct Vars {
        long double t = 0, u = 0, x = 0, y = 0, z = 0;
    };
    long double Value(NodePtr& tree, Vars v) {
        ctx.SetVar(slot::kT, v.t);
        ctx.SetVar(slot::kU, v.u);
        ctx.SetVar(slot::kX, v.x);
        ctx.SetVar(slot::kY, v.y);
        ctx.SetVar(slot::kZ, v.z);
        return tree && ctx.Evaluate(*tree) ? tree->re : NAN;
    }
    // The point of trees 1-3 of example i at (t, u).
    Vec3 PointAt(int i, long double t, long double u = 0) {
        return {At(i, 1, t, u), At(i, 2, t, u), At(i, 3, t, u)};
    }

    TInventory inventory;
    FormulaContext ctx;
    TExampleCompiler compiler{inventory, ctx};
};

}  // namespace quorlin::examples
