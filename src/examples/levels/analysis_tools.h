#pragma once
// The analysis tools of a graphing window, as the window levels reach them: the integration,
// measuring and line-integral dialogs with their overlays and their state in diagram files.
//
// They are made by the tools subsystem, which stands above these levels, so the levels know them
// only through this interface. The program installs the maker once (SetAnalysisToolsMaker) with
// the commands the tools take in a window of each dimension: every window registers a
// forwarding handler for those commands at construction and makes its tools on first use.
// Without a maker the commands have no handler and are shown disabled.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/device_context.h"

namespace quorlin::examples {

class TPlot11Win;

class TAnalysisTools {
public:
    virtual ~TAnalysisTools() = default;

    // A command of those installed with the maker; whether it may be chosen now.
    virtual void RunCommand(int id) = 0;
    virtual bool CommandEnabled(int id) const = 0;

    // --- what the window tells them ---
    // The overlays of the open tools over the picture; 0, or 81 when Q stopped them.
    virtual int DrawOverlays(platform::DeviceContext& dc) = 0;
    // An example changed: the values the open tools show are computed again.
    virtual void RefreshToolValues() {}
    // The inventory changed: the dialogs list the examples again.
    virtual void RefreshToolDialogs() = 0;
    // Examples were removed or exchanged (map[old] is the new index, -1 when removed): the
    // dialogs keep working on the examples they had, wherever those now stand.
    virtual void ExamplesRenumbered(std::span<const int>) {}
    // Closes the dialogs whose kinds are gone from the inventory, or all of them when forced.
    virtual void CloseDialogs(bool force) = 0;
    // The window hides or closes: its dialogs go with it.
    virtual void Hide() = 0;
    virtual void Close() = 0;
    // The tools' words of a diagram file: written, and read back after the body was installed.
    virtual std::array<int, 3> State() const = 0;
    virtual void RestoreState(const std::array<int, 3>& state) = 0;
    // Rebuilds derived example i when its derivation code is one the tools own; empty for the
    // other codes.
    virtual std::optional<bool> RebuildDerived(int) { return std::nullopt; }
    // The inventory's "derive": adds the derivative of example i; false when the tools add none.
    virtual bool AddDerivative(int) { return false; }
};

struct TAnalysisToolsMaker {
    std::function<std::unique_ptr<TAnalysisTools>(TPlot11Win&)> make;
    // The commands the tools take in a window of the dimension (2 or 3).
    std::function<std::vector<int>(int dimension)> commands;
};

// Installs the maker every graphing window asks for its tools (empty: none).
void SetAnalysisToolsMaker(TAnalysisToolsMaker maker);
const TAnalysisToolsMaker& GetAnalysisToolsMaker();

}  // namespace quorlin::examples
