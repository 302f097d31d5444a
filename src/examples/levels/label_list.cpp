#include "examples/levels/label_list.h"

#include <algorithm>

namespace quorlin::examples {

using canvas::TEquationLabel;

void TEquationLabelList::Append(TEquationLabel label) {
    labels_.push_back(std::move(label));
}

void TEquationLabelList::RemoveFrom(int firstIndex) {
    std::erase_if(labels_,
                  [firstIndex](const TEquationLabel& l) { return l.number >= firstIndex; });
}

void TEquationLabelList::ApplyRemoval(std::span<const int> map) {
    std::erase_if(labels_, [map](const TEquationLabel& l) {
        return l.number >= map.size() || map[l.number] < 0;
    });
    canvas::RenumberTexts(labels_);
}

void TEquationLabelList::Swap(int a, int b) {
    const auto size = static_cast<int>(labels_.size());
    if (a < 0 || b < 0 || a >= size || b >= size || a == b) return;
    std::swap(labels_[static_cast<std::size_t>(a)], labels_[static_cast<std::size_t>(b)]);
    labels_[static_cast<std::size_t>(a)].number = static_cast<std::uint16_t>(a);
    labels_[static_cast<std::size_t>(b)].number = static_cast<std::uint16_t>(b);
}

bool TEquationLabelList::Restore(int count, const LabelMaker& make) {
    canvas::TextList kept;
    kept.reserve(static_cast<std::size_t>(std::max(count, 0)));
    const auto byNumber = [](const TEquationLabel& a, const TEquationLabel& b) {
        return a.number < b.number;
    };
    bool changed = !std::is_sorted(labels_.begin(), labels_.end(), byNumber);
    std::stable_sort(labels_.begin(), labels_.end(), byNumber);
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        // Skip labels of examples already labelled (repeats).
        while (next < labels_.size() && labels_[next].number < i) {
            ++next;
            changed = true;
        }
        if (next < labels_.size() && labels_[next].number == i) {
            kept.push_back(std::move(labels_[next++]));
        } else {
            kept.push_back(make(i, kept.empty() ? nullptr : &kept.back()));
            kept.back().number = static_cast<std::uint16_t>(i);
            changed = true;
        }
    }
    if (next < labels_.size()) changed = true;
    labels_ = std::move(kept);
    return changed;
}

}  // namespace quorlin::examples
