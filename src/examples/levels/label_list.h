#pragma once
// The equation labels of a diagram: one text overlay per example, in index order, showing the
// example's equation. The list keeps that invariant through every change of the inventory:
// examples appended, removed (with whatever was derived from them), exchanged, or taken back
// by an aborted script; and it can restore the invariant when a caller finds it broken.
#include <functional>
#include <span>

#include "canvas/text_overlay.h"

namespace quorlin::examples {

class TEquationLabelList {
public:
    // Makes the label of example `index`; `previous` is the label before it in the list, as
    // stored, null for the first.
    using LabelMaker =
        std::function<canvas::TEquationLabel(int index, const canvas::TEquationLabel* previous)>;

    canvas::TextList& Labels() { return labels_; }
    const canvas::TextList& Labels() const { return labels_; }
    bool Empty() const { return labels_.empty(); }
    int Count() const { return static_cast<int>(labels_.size()); }
    void Clear() { labels_.clear(); }

    void Append(canvas::TEquationLabel label);
    // Drops the labels of examples from firstIndex on.
    void RemoveFrom(int firstIndex);
    // After the inventory removed examples: map[i] is example i's new index or -1. The labels
    // of removed examples go, the others are renumbered 0, 1, 2, ...
    void ApplyRemoval(std::span<const int> map);
    // The labels of examples a and b exchange their contents, each keeping its place.
    void Swap(int a, int b);

    // Restores one label per example 0..count - 1 in index order: labels of examples that do
    // not exist and repeated labels go, missing ones are made. True when it had to change
    // something.
    bool Restore(int count, const LabelMaker& make);

private:
    canvas::TextList labels_;
};

}  // namespace quorlin::examples
