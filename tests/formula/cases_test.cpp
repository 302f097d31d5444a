// The data-driven tests: every case of tests/formula/cases.txt (and of the file named by
// QUORLIN_FORMULA_CASES, when set) is parsed, evaluated and compared with its value, computed
// independently at high precision, and its compiled program with the tree walk, bit for bit; and
// the fuzz seed corpus is replayed through the fuzz target's entry function, so that every build
// runs it under the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_context.h"
#include "formula/tree_program.h"
#include "formula_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin {
namespace {

struct FormulaCase {
    int line = 0;
    std::string expression, variables;
    bool undefined = false;
    int parseError = 0;  // "error n": the text is refused with n
    long double re = 0, im = 0, tolerance = 0;
};

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Split(const std::string& s, std::string_view separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const auto end = s.find(separator, start);
        parts.push_back(Trimmed(s.substr(start, end - start)));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

std::vector<FormulaCase> ReadCases(const std::string& path) {
    std::ifstream in(path);
    std::vector<FormulaCase> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (Trimmed(line).empty() || Trimmed(line)[0] == '#') continue;
        const auto fields = Split(line, ";");
        FormulaCase c{number, fields.at(0), fields.size() > 1 ? fields[1] : ""};
        c.undefined = fields.size() < 3 || fields[2] == "undef";
        if (fields.size() > 2 && fields[2].starts_with("error "))
            c.parseError = std::stoi(fields[2].substr(6));
        else if (!c.undefined) {
            c.re = std::strtold(fields[2].c_str(), nullptr);
            c.im = std::strtold(fields.at(3).c_str(), nullptr);
            c.tolerance = std::strtold(fields.at(4).c_str(), nullptr);
        }
        cases.push_back(c);
    }
    return cases;
}

// Defines "NAME(2)=body" as the user-functions dialog does (a function of that name is
// replaced) and returns the result code.
int Define(FormulaContext& ctx, const std::string& definition) {
    const auto open = definition.find('('), eq = definition.find('=');
    const std::string name = definition.substr(0, open);
    return ctx.DefineUserFunction(name, definition.substr(eq + 1),
                                  std::stoi(definition.substr(open + 1)),
                                  ctx.FindUserFunction(name));
}

// Applies "X=0.7, complex, define NAME(2)=body" to a fresh context; the items are separated
// by a comma and a blank, so that a body may hold commas of its own.
void Prepare(FormulaContext& ctx, const std::string& variables) {
    const auto items = Split(variables, ", ");
    if (std::find(items.begin(), items.end(), "complex") != items.end()) {
        ctx.complexMode = true;
        ctx.ResetVariables();
    }
    for (const auto& item : items) {
        if (item.empty() || item == "complex") continue;
        if (item.starts_with("define ")) {
            ASSERT_EQ(Define(ctx, item.substr(7)), userfn::kDone) << item;
            continue;
        }
        const auto eq = item.find('=');
        ASSERT_NE(eq, std::string::npos) << item;
        ASSERT_EQ(ctx.Parse(item.substr(eq + 1)), 0) << item;
        NodePtr value = ctx.TakeParseResult();
        ASSERT_TRUE(ctx.Evaluate(*value)) << item;
        ctx.SetVar(item[0] - '@', Complex(value->re, value->im));
    }
}

void CheckCase(const FormulaCase& c) {
    SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.expression + " ; " + c.variables);
    FormulaContext ctx;
    Prepare(ctx, c.variables);
    if (c.expression.starts_with("define ")) {  // a definition and its result code
        EXPECT_EQ(Define(ctx, c.expression.substr(7)), c.parseError ? c.parseError : userfn::kDone);
        return;
    }
    ASSERT_EQ(ctx.Parse(c.expression), c.parseError);
    if (c.parseError) return;
    NodePtr tree = ctx.TakeParseResult();
    ASSERT_TRUE(tree);
    TreeProgram program(ctx, tree.get());
    Complex compiled;
    const bool compiledDefined = program.Evaluate(compiled);
    const bool defined = ctx.Evaluate(*tree);
    // The compiled program gives the tree walk's bits.
    EXPECT_EQ(compiledDefined, defined);
    if (defined && compiledDefined) {
        const long double re = compiled.real(), im = compiled.imag();
        EXPECT_EQ(std::memcmp(&re, &tree->re, 10), 0);
        EXPECT_EQ(std::memcmp(&im, &tree->im, 10), 0);
    }
    if (c.undefined) {
        EXPECT_FALSE(defined) << "value " << static_cast<double>(tree->re);
        return;
    }
    ASSERT_TRUE(defined);
    const long double scale = std::max<long double>(1, std::hypot(c.re, c.im));
    const long double error = std::hypot(tree->re - c.re, tree->im - c.im);
    EXPECT_LE(error, c.tolerance * scale)
        << "got " << static_cast<double>(tree->re) << " + " << static_cast<double>(tree->im)
        << "i, error " << static_cast<double>(error);
}

TEST(FormulaCases, TableOfTheSourceTree) {
    const auto cases = ReadCases(testing::TestDataPath("formula/cases.txt").string());
    ASSERT_GE(cases.size(), 400u);
    for (const auto& c : cases) CheckCase(c);
}

TEST(FormulaCases, TableNamedByTheEnvironment) {
    const char* path = std::getenv("QUORLIN_FORMULA_CASES");
    if (!path || !*path) GTEST_SKIP() << "QUORLIN_FORMULA_CASES not set";
    const auto cases = ReadCases(path);
    ASSERT_FALSE(cases.empty()) << "no cases in " << path;
    for (const auto& c : cases) CheckCase(c);
}

// A seed's bytes as a reader can take them: the flag byte in hexadecimal, then the text with
// anything unprintable escaped.
std::string Shown(const std::vector<std::uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string shown;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
        if (i > 0 && c >= 32 && c < 127 && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            shown += std::string("\\x") + kDigits[c >> 4] + kDigits[c & 15];
        }
        if (i == 0) shown += ' ';
    }
    return shown;
}

TEST(FormulaFuzzCorpus, EverySeedRunsCleanly) {
    const auto files = testing::FilesIn(testing::TestDataPath("formula/corpus"));
    ASSERT_GE(files.size(), 20u);
    for (const auto& file : files) {
        const auto bytes = testing::ReadFileBytes(file);
        // A fault fails this test with the seed and its input, and the other seeds still run.
        const std::string fault = FindFormulaFuzzFault(bytes.data(), bytes.size());
        EXPECT_TRUE(fault.empty())
            << "seed " << file.filename().string() << ", input " << Shown(bytes) << ": " << fault;
    }
}

}  // namespace
}  // namespace quorlin
