#include "examples/records/trajectory.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <list>
#include <numbers>
#include <optional>

#include "core/errors.h"
#include "core/numbers.h"

namespace quorlin::examples {

// ------------------------------------------------------------------------------ trajectories

void TTrajectory::Init(int newKind, int tree1, int tree2, int tree3, int firstOption,
                       int secondOption, int newFlag) {
    *this = TTrajectory{};
    kind = static_cast<std::uint16_t>(newKind);
    treeOf = {static_cast<std::int16_t>(tree1), static_cast<std::int16_t>(tree2),
              static_cast<std::int16_t>(tree3)};
    option1 = static_cast<std::uint16_t>(firstOption);
    option2 = static_cast<std::uint16_t>(secondOption);
    flag = static_cast<std::uint8_t>(newFlag);
}

void TTrajectory::AllocTexts() {
    hasTexts = true;
    for (std::string& text : texts) text.clear();
}

void TTrajectory::FreeContents() {
    hasTexts = false;
    for (std::string& text : texts) text.clear();
    for (NodePtr& tree : trees) tree.reset();
}

TTrajectory TTrajectory::Clone() const {
    TTrajectory copy;
    copy.startX = startX;
    copy.startY = startY;
    copy.startZ = startZ;
    copy.kind = kind;
    copy.flag = flag;
    copy.startTime = startTime;
    copy.endTime = endTime;
    copy.option1 = option1;
    copy.option2 = option2;
    copy.spare = spare;
    copy.step = step;
    copy.sequenceNumber = sequenceNumber;
    copy.pen = pen;
    copy.treeOf = treeOf;
    copy.hasTexts = hasTexts;
    if (hasTexts) copy.texts = texts;
    for (std::size_t i = 0; i < trees.size(); ++i)
        copy.trees[i] = TExprNode::CopyTree(trees[i].get());
    return copy;
}

long double TTrajectory::StartCoordinate() const {
    switch (option1) {
        case 24:
            return startX;
        case 25:
            return startY;
        case 26:
            return startZ;
        default:
            return 0;
    }
}

TrajectoryList CloneTrajectoryList(const TrajectoryList& list) {
    TrajectoryList copy;
    copy.reserve(list.size());
    for (const TTrajectory& t : list) copy.push_back(t.Clone());
    return copy;
}

// ------------------------------------------------------------------------------ numbers

namespace {

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The value of a run of number characters; nothing for a malformed or too large one.
std::optional<long double> TokenValue(std::string_view token) {
    if (std::count(token.begin(), token.end(), '.') > 1) return std::nullopt;
    if (token.find('-', 1) != std::string_view::npos) return std::nullopt;
    if (token.find_first_of("0123456789") == std::string_view::npos) return 0.0L;
    long double value = 0;
    if (!StrToLD(token, value)) return std::nullopt;
    return value;
}

}  // namespace

std::vector<long double> ScanNumbers(std::string_view text) {
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    std::vector<long double> numbers;
    std::size_t pos = 0;
    while (pos < text.size() && numbers.size() < kMaxScannedNumbers) {
        if (!IsNumberChar(text[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && IsNumberChar(text[pos])) ++pos;
        if (const auto value = TokenValue(text.substr(start, pos - start)))
            numbers.push_back(*value);
    }
    return numbers;
}

int InvertMatrix(std::span<const long double> matrix, std::span<long double> inverse, int n,
                 long double& determinant) {
    determinant = 0;
    const auto size = static_cast<std::size_t>(std::max(n, 0));
    if (matrix.size() < size * size || inverse.size() < size * size) return kErrPositiveValue;
    std::vector<long double> work(matrix.begin(), matrix.begin() + size * size);
    auto at = [size](std::span<long double> m, std::size_t row, std::size_t col) -> long double& {
        return m[row * size + col];
    };
    std::span<long double> a(work);
    for (std::size_t r = 0; r < size; ++r)
        for (std::size_t c = 0; c < size; ++c) at(inverse, r, c) = r == c ? 1.0L : 0.0L;

    long double det = 1.0L;
    for (std::size_t k = 0; k < size; ++k) {
        std::size_t pivotRow = k;
        while (pivotRow < size && !(std::fabs(at(a, pivotRow, k)) > 1e-16L)) ++pivotRow;
        if (pivotRow == size) return kErrPositiveValue;
        if (pivotRow > k) {
            det = -det;
            for (std::size_t c = 0; c < size; ++c) {
                std::swap(at(a, pivotRow, c), at(a, k, c));
                std::swap(at(inverse, pivotRow, c), at(inverse, k, c));
            }
        }
        const long double p = at(a, k, k);
        det *= p;
        for (std::size_t c = k + 1; c < size; ++c) at(a, k, c) /= p;
        for (std::size_t c = 0; c < size; ++c) at(inverse, k, c) /= p;
        at(a, k, k) = 1.0L;
        for (std::size_t i = 0; i < size; ++i) {
            if (i == k) continue;
            const long double f = at(a, i, k);
            for (std::size_t c = k + 1; c < size; ++c) at(a, i, c) -= f * at(a, k, c);
            for (std::size_t c = 0; c < size; ++c) at(inverse, i, c) -= f * at(inverse, k, c);
            at(a, i, k) = 0.0L;
        }
    }
    determinant = det;
    return kNoError;
}

std::pair<long double, long double> FrustumOfRevolution(long double x1, long double y1,
                                                        long double x2, long double y2,
                                                        long double a, long double b,
                                                        long double c) {
    const long double s = a * a + b * b;
    if (s < 1e-16L) return {0.0L, 0.0L};
    const long double scale = 1.0L / std::sqrt(s);
    a *= scale;
    b *= scale;
    c *= scale;
    const long double r1 = std::fabs(c - a * x1 - b * y1);
    const long double r2 = std::fabs(c - a * x2 - b * y2);
    const long double h = b * (x1 - x2) - a * (y1 - y2);
    // The constants carry double precision, as the measures always did.
    const long double pi = std::numbers::pi;
    const long double third = 1.0 / 3.0;
    const long double area = pi * (r1 + r2) * std::sqrt(h * h + (r2 - r1) * (r2 - r1));
    const long double volume = third * pi * (r2 * r2 + r2 * r1 + r1 * r1) * std::fabs(h);
    return {area, volume};
}

// ------------------------------------------------------------------------------ sorting

void MergeSortedValues(std::vector<long double>& values, std::span<const long double> added) {
    std::list<long double> merged(values.begin(), values.end());
    for (long double v : added) {
        const auto at = std::find_if(merged.begin(), merged.end(),
                                     [v](long double existing) { return existing >= v; });
        merged.insert(at, v);
    }
    values.clear();
    for (long double v : merged) {
        if (!values.empty() && v <= values.back() + 1e-13L) continue;
        values.push_back(v);
    }
}

TIndexSort::TIndexSort(std::span<const long double> values, bool ascending)
    : values_(values.begin(), values.end()), ascending_(ascending) {}

// Whether the value at a goes further towards the end of the result than the value at b: a
// greater value when ascending, a smaller or equal one when descending; NaN goes last in both.
bool TIndexSort::Preferred(int a, int b) const {
    const long double va = values_[static_cast<std::size_t>(a)];
    const long double vb = values_[static_cast<std::size_t>(b)];
    const bool nanA = std::isnan(va);
    const bool nanB = std::isnan(vb);
    if (nanA || nanB) return ascending_ ? nanA && !nanB : nanA;
    return ascending_ ? va > vb : !(va > vb);
}

// Moves the entry at position k (1-based, 2k <= limit) down the heap of positions 1..limit by
// swaps, so no index is ever lost or doubled, and stops where its children are not preferred.
void TIndexSort::Sift(std::vector<int>& heap, std::size_t k, std::size_t limit) const {
    std::size_t c = 2 * k;
    do {
        if (c < limit && Preferred(heap[c + 1], heap[c])) ++c;
        if (!Preferred(heap[c], heap[k])) return;
        std::swap(heap[c], heap[k]);
        k = c;
        c = 2 * k;
    } while (c < limit);
}

std::vector<int> TIndexSort::Sort() const {
    const std::size_t n = values_.size();
    std::vector<int> heap(n + 1);  // position 0 unused
    for (std::size_t i = 1; i <= n; ++i) heap[i] = static_cast<int>(i - 1);
    for (std::size_t k = n / 2; k >= 2; --k) Sift(heap, k, n);
    for (std::size_t limit = n; limit >= 2; --limit) {
        Sift(heap, 1, limit);
        std::swap(heap[1], heap[limit]);
    }
    return {heap.begin() + 1, heap.end()};
}

}  // namespace quorlin::examples
