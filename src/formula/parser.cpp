#include "formula/parser.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/work_budget.h"

namespace quorlin {

namespace {

using namespace parse_error;

constexpr int kMaxDerivativeOrder = 9;
// A parse may inline user functions into user functions, which multiplies sizes; past this
// many nodes, or this depth, the formula is refused rather than allowed to exhaust memory or
// the stack of the recursive tree walks.
constexpr long long kMaxNodes = 50000;
constexpr int kMaxTreeDepth = 2000;
// The work one parse may do (units of work_budget.h): a ninth derivative of an ordinary
// formula takes a small part of it.
constexpr long long kParseWork = 400000;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || c == '@';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsFormVariable(char c) {
    return c == 'X' || c == 'Y' || c == 'Z' || c == 'T' || c == 'U' || c == 'R';
}

struct TreeSize {
    long long nodes = 0;
    int depth = 0;
};

TreeSize SizeOf(const TExprNode* tree) {
    if (!tree) return {};
    TreeSize size{1, 1};
    for (const auto& c : tree->child) {
        const TreeSize s = SizeOf(c.get());
        size.nodes += s.nodes;
        size.depth = std::max(size.depth, s.depth + 1);
    }
    return size;
}

// The size InlineCall would build, computed without building it; stops early past the limit.
TreeSize InlinedSize(const TExprNode* body, const std::vector<TreeSize>& argSizes) {
    if (!body) return {};
    const int index = body->op - op::kVarX;
    if (index >= 0 && index < static_cast<int>(argSizes.size())) return argSizes[index];
    TreeSize size{1, 1};
    for (const auto& c : body->child) {
        const TreeSize s = InlinedSize(c.get(), argSizes);
        size.nodes += s.nodes;
        size.depth = std::max(size.depth, s.depth + 1);
        if (size.nodes > kMaxNodes) break;
    }
    return size;
}

// The call's argument that stands for the body's letter X, Y or Z, or null for another code.
const TExprNode* ArgumentFor(int code, const std::vector<NodePtr>& args) {
    const int index = code - op::kVarX;
    return index >= 0 && index < static_cast<int>(args.size()) ? args[index].get() : nullptr;
}

// A JOIN node switches on the value of one variable. Where the body switches on an argument
// letter, the call's argument must itself be a variable, which then becomes the switch;
// an expression has no slot to compare, so such a call cannot be used.
bool JoinsFollowTheArguments(const TExprNode* body, const std::vector<NodePtr>& args) {
    if (!body) return true;
    if (body->op == op::kJoin)
        if (const TExprNode* arg = ArgumentFor(body->aux, args); arg && !op::IsVariable(arg->op))
            return false;
    return std::all_of(body->child.begin(), body->child.end(), [&args](const NodePtr& c) {
        return JoinsFollowTheArguments(c.get(), args);
    });
}

// Replaces X, Y, Z in a copy of a user function's body by the call's arguments, all at once,
// so that an argument that itself contains X is not substituted again.
NodePtr InlineCall(const TExprNode* body, const std::vector<NodePtr>& args) {
    if (!body) return nullptr;
    if (const TExprNode* arg = ArgumentFor(body->op, args)) return TExprNode::CopyTree(arg);
    auto copy = std::make_unique<TExprNode>(body->op);
    copy->re = body->re;
    copy->im = body->im;
    copy->aux = body->aux;
    if (body->op == op::kJoin)
        if (const TExprNode* arg = ArgumentFor(body->aux, args)) copy->aux = arg->op;
    for (std::size_t i = 0; i < body->child.size(); ++i)
        copy->child[i] = InlineCall(body->child[i].get(), args);
    return copy;
}

}  // namespace

namespace {

bool ParenthesisFollows(std::string_view text, std::size_t p) {
    while (p < text.size() && IsBlank(text[p])) ++p;
    return p < text.size() && text[p] == '(';
}

bool IsBuiltinOrForm(std::string_view name) {
    return IsReservedName(name) || IsFormName(name);
}

// The longest name of the table or form that starts at pos, whatever follows it.
std::size_t BuiltinNameLengthAt(std::string_view upperText, std::size_t pos) {
    const std::string_view rest = upperText.substr(pos);
    for (std::size_t length = std::min(rest.size(), kLongestName); length >= 2; --length)
        if (IsBuiltinOrForm(rest.substr(0, length))) return length;
    return 0;
}

}  // namespace

std::size_t NameLengthAt(const FormulaContext& context, std::string_view upperText, std::size_t pos,
                         std::string_view definedName) {
    const std::string_view rest = upperText.substr(pos);
    for (std::size_t length = std::min(rest.size(), kLongestName); length >= 2; --length) {
        const std::string_view name = rest.substr(0, length);
        if (name == "PI") return length;
        if (!IsBuiltinOrForm(name) && !context.FindUserFunction(name) && name != definedName)
            continue;
        if (ParenthesisFollows(upperText, pos + length)) return length;
    }
    return 0;
}

std::vector<std::string> CalledUserFunctions(const FormulaContext& context,
                                             std::string_view upperText) {
    std::vector<std::string> calls;
    for (std::size_t pos = 0; pos < upperText.size();) {
        const std::size_t length =
            IsLetter(upperText[pos]) ? NameLengthAt(context, upperText, pos) : 0;
        if (length == 0) {
            ++pos;
            continue;
        }
        const std::string_view name = upperText.substr(pos, length);
        if (context.FindUserFunction(name) &&
            std::find(calls.begin(), calls.end(), name) == calls.end())
            calls.emplace_back(name);
        pos += length;
    }
    return calls;
}

namespace {

class Parser {
public:
    Parser(FormulaContext& context, std::string_view text, const BodyParse* body)
        : ctx_(context), text_(text), body_(body) {}

    int Run(NodePtr& out) {
        if (const int e = Sum(out)) return e;
        if (!AtEnd()) return Peek() == ')' ? kParentheses : kUnexpectedCharacter;
        const TreeSize size = SizeOf(out.get());
        if (size.nodes > kMaxNodes) return kTooLong;
        if (size.depth > kMaxTreeDepth) return kTooDeep;
        return 0;
    }

private:
    // Counts the nesting of the recursive descent so that hostile input ends in an error.
    class Nesting {
    public:
        explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
        ~Nesting() { --depth_; }
        bool TooDeep() const { return depth_ > FormulaContext::kMaxNesting; }

    private:
        int& depth_;
    };

    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    char Peek() {
        SkipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    bool Accept(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    bool StartsPrimary() {
        const char c = Peek();
        return IsDigit(c) || c == '.' || c == '(' || IsLetter(c);
    }

    int Sum(NodePtr& out) {
        Nesting nesting(depth_);
        if (nesting.TooDeep()) return kTooDeep;
        if (const int e = Product(out)) return e;
        while (true) {
            const char c = Peek();
            if (c != '+' && c != '-') return 0;
            ++pos_;
            NodePtr right;
            if (const int e = Product(right)) return e;
            out = TExprNode::NewBinary(c, std::move(out), std::move(right));
        }
    }

    int Product(NodePtr& out) {
        if (const int e = Unary(out)) return e;
        while (true) {
            const char c = Peek();
            NodePtr right;
            if (c == '*' || c == '/') {
                ++pos_;
                if (const int e = Unary(right)) return e;
                out = TExprNode::NewBinary(c, std::move(out), std::move(right));
            } else if (StartsPrimary()) {
                if (const int e = Power(right)) return e;
                out = TExprNode::NewBinary(op::kTimes, std::move(out), std::move(right));
            } else {
                return 0;
            }
        }
    }

    int Unary(NodePtr& out) {
        Nesting nesting(depth_);
        if (nesting.TooDeep()) return kTooDeep;
        if (Accept('-')) {
            if (const int e = Unary(out)) return e;
            TExprNode::NegateInPlace(out);
            return 0;
        }
        if (Accept('+')) return Unary(out);
        return Power(out);
    }

    int Power(NodePtr& out) {
        if (const int e = Primary(out)) return e;
        if (!Accept('^')) return 0;
        NodePtr exponent;
        if (const int e = Unary(exponent)) return e;
        out = TExprNode::NewBinary(op::kPower, std::move(out), std::move(exponent));
        return 0;
    }

    int Primary(NodePtr& out) {
        const char c = Peek();
        if (IsDigit(c) || c == '.') return Number(out);
        if (c == '(') {
            ++pos_;
            if (const int e = Sum(out)) return e;
            return Accept(')') ? 0 : kParentheses;
        }
        if (IsLetter(c)) return Name(out);
        if (c == '\0' || c == ')' || c == ',' || c == '+' || c == '-' || c == '*' || c == '/' ||
            c == '^')
            return kOperandMissing;
        return kUnexpectedCharacter;
    }

    int Number(NodePtr& out) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '.') ++pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        if (pos_ - start == 1 && text_[start] == '.') return kUnexpectedCharacter;
        // An exponent only where E is followed by digits, so that 2E is 2 times e.
        if (pos_ < text_.size() && text_[pos_] == 'E') {
            std::size_t p = pos_ + 1;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
            if (p < text_.size() && IsDigit(text_[p])) {
                while (p < text_.size() && IsDigit(text_[p])) ++p;
                pos_ = p;
            }
        }
        // A number runs into no second decimal point: 1.2.3 is a typing error, not 1.2 * .3.
        if (pos_ < text_.size() && text_[pos_] == '.') return kUnexpectedCharacter;
        long double value = 0;
        if (!StrToLD(text_.substr(start, pos_ - start), value)) return kUnexpectedCharacter;
        out = TExprNode::NewConst(value);
        return 0;
    }

    std::string_view MatchName() const {
        return text_.substr(pos_, NameLengthAt(ctx_, text_, pos_, body_ ? body_->name : ""));
    }

    int Name(NodePtr& out) {
        const std::string_view name = MatchName();
        if (name.empty()) {
            // "SIN X" or "COS^2(X)": a function without its argument list, not S*I*N*X.
            if (BuiltinNameLengthAt(text_, pos_) > 0) return kArgumentMissing;
            out = TExprNode::NewOp(text_[pos_++]);
            return 0;
        }
        pos_ += name.size();
        if (name == "PI") {
            out = TExprNode::NewConst(std::numbers::pi_v<long double>);
            return 0;
        }
        std::vector<NodePtr> args;
        if (const int e = Arguments(args)) return e;
        if (name.starts_with("JOIN") && name.size() == 5) return Join(name[4], args, out);
        if (name.starts_with("DER") && name.size() == 4) return Derivative(name[3], args, out);
        if (body_ && (name == body_->name ||
                      (body_->callers && body_->callers->contains(std::string(name)))))
            return kNotUsable;
        if (const UserFunction* f = ctx_.FindUserFunction(name)) return Call(*f, args, out);
        const BuiltinFunction* f = FindBuiltinByName(name);
        if (!f) return kUnknownName;
        if (static_cast<int>(args.size()) > f->argCount) return kTooManyArguments;
        if (static_cast<int>(args.size()) < f->argCount) return kArgumentCount;
        if (f->argCount == 2)
            out = TExprNode::NewBinary(f->code, std::move(args[0]), std::move(args[1]));
        else
            out = TExprNode::NewUnary(f->code, std::move(args[0]));
        return 0;
    }

    // A copy of the user function's tree with the arguments in place of X, Y and Z.
    int Call(const UserFunction& f, const std::vector<NodePtr>& args, NodePtr& out) {
        if (static_cast<int>(args.size()) != f.argCount) return kArgumentCount;
        if (!f.tree || !JoinsFollowTheArguments(f.tree.get(), args)) return kNotUsable;
        std::vector<TreeSize> argSizes;
        for (const auto& a : args) argSizes.push_back(SizeOf(a.get()));
        const TreeSize size = InlinedSize(f.tree.get(), argSizes);
        inlinedNodes_ += size.nodes;
        if (inlinedNodes_ > kMaxNodes) return kTooLong;
        if (size.depth > kMaxTreeDepth) return kTooDeep;
        Spend(ctx_.Budget(), size.nodes);
        out = InlineCall(f.tree.get(), args);
        return 0;
    }

    // '(' sum { ',' sum } ')'; the opening parenthesis is known to be there.
    int Arguments(std::vector<NodePtr>& args) {
        Nesting nesting(depth_);
        if (nesting.TooDeep()) return kTooDeep;
        Accept('(');
        if (Accept(')')) return kArgumentMissing;
        do {
            const char c = Peek();
            if (c == ',' || c == ')') return kArgumentMissing;
            NodePtr arg;
            if (const int e = Sum(arg)) return e == kOperandMissing ? kArgumentMissing : e;
            args.push_back(std::move(arg));
        } while (Accept(','));
        return Accept(')') ? 0 : kParentheses;
    }

    int Join(char variable, std::vector<NodePtr>& args, NodePtr& out) {
        if (!IsFormVariable(variable)) return kUnknownName;
        if (args.size() < 3 || args.size() % 2 == 0) return kArgumentCount;
        // Built from the right: the last piece, then each (piece, boundary) around it.
        NodePtr rest = std::move(args.back());
        for (std::size_t i = args.size() - 1; i >= 2; i -= 2) {
            auto node = TExprNode::NewOp(op::kJoin);
            node->aux = variable;
            node->child[0] = std::move(args[i - 2]);
            node->child[1] = std::move(args[i - 1]);
            node->child[2] = std::move(rest);
            rest = std::move(node);
        }
        out = std::move(rest);
        return 0;
    }

    int Derivative(char variable, std::vector<NodePtr>& args, NodePtr& out) {
        if (!IsFormVariable(variable)) return kUnknownName;
        if (args.size() != 2) return args.size() > 2 ? kTooManyArguments : kArgumentCount;
        const TExprNode& order = *args[0];
        if (order.op != op::kConst || order.im != 0 || order.re < 0 ||
            order.re > kMaxDerivativeOrder || order.re != static_cast<int>(order.re))
            return kNotUsable;
        const int n = static_cast<int>(order.re);
        if (variable == 'X' && args[1]->op == op::kVarY) {
            out = TExprNode::NewOp(op::kDerivState);
            out->aux = n;
            return 0;
        }
        out = std::move(args[1]);
        for (int k = 0; k < n; ++k) {
            NodePtr derivative;
            ctx_.Differentiate(out.get(), variable, derivative);
            if (!derivative) return kNotUsable;
            if (SizeOf(derivative.get()).nodes > kMaxNodes) return kTooLong;
            out = std::move(derivative);
        }
        return 0;
    }

    FormulaContext& ctx_;
    std::string_view text_;
    const BodyParse* body_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    long long inlinedNodes_ = 0;
};

}  // namespace

int ParseFormula(FormulaContext& context, std::string_view upperText, NodePtr& out,
                 const BodyParse* body) {
    out.reset();
    NodePtr tree;
    WorkBudget budget(kParseWork, context.Budget());
    const FormulaContext::BudgetScope scope(context, budget);
    int error = 0;
    try {
        error = Parser(context, upperText, body).Run(tree);
    } catch (const WorkBudget::Exhausted&) {
        error = kTooLong;
    }
    if (error == 0) out = std::move(tree);
    return error;
}

}  // namespace quorlin
