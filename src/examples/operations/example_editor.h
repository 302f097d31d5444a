#pragma once
// The rules of the example-editing dialog, without the dialog: what its controls show for an
// inventory record (TExampleEditor::Load), how the interval, polar and lock switches rearrange
// them, and how the typed fields become a record again (TExampleEditor::Read): every formula
// parsed, equations split, ranges with parameters bound by "@", counts, sizes and the pen
// checked, then the shared record check. A refused reading changes nothing; an accepted one
// hands back the new record, the parameters it binds and the change mask, and
// StoreEditedRecord writes it into the inventory record.
//
// Controls are named by their ids in the templates "EQUA<kind>": formula edits 211-214 and 218,
// numbers 215-236, radio buttons 251-262, check boxes 271-282, labels 281-284 and 11, 239.
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// Bits of the change mask the editor hands its caller.
namespace change {
inline constexpr std::uint32_t kCompile = 1;    // texts or values the trees are built from
inline constexpr std::uint32_t kDisplay = 2;    // values only the drawing reads (slice counts)
inline constexpr std::uint32_t kAny = 4;        // anything at all
inline constexpr std::uint32_t kEndPoints = 8;  // a segment asks for its end points as points
}  // namespace change

// What the editor needs of its window.
struct TEditorEnv {
    NumberFormat format;
    bool logarithmic = false;  // the window has logarithmic axes
    bool logX = false;         // its x axis is logarithmic
    long double logXLow = 0;   // the lowest x a logarithmic x axis shows
    long double xLow = 0;      // the window's x-interval, which an unlocked explicit curve takes
    long double xHigh = 1;
    int diagramVersion = 41;     // the version of the diagram file read last
    bool inventoryFull = false;  // no room for the end points of a segment
};

// The controls of an editing dialog as values.
struct TEditorForm {
    std::map<int, std::string> edits;   // the edits the kind uses, by id
    std::set<int> checked;              // check boxes and radio buttons that are on
    std::set<int> hidden;               // controls the dialog hides
    std::set<int> disabled;             // controls shown but not to be changed
    std::map<int, std::string> labels;  // statics given a text of their own
    std::string caption;                // empty: the template's caption
    // Colour roles 6-9 (col 1, col 2, the example, the field) and the grid colour.
    std::array<std::int16_t, 4> colours{};
    std::int16_t gridColour = 0;
    // Edits 221 and 223 switch between the numeric range and the range formulas; the pair not
    // shown is kept here.
    TRangeTexts rangeNumbers;
    TRangeTexts rangeTexts;
    bool rangeTextsShown = false;

    bool IsChecked(int id) const { return checked.count(id) != 0; }
    void SetChecked(int id, bool on);
    bool IsShown(int id) const { return hidden.count(id) == 0; }
    void Show(int id, bool show);
};

// A parameter letter (1 = A .. 23 = W) that a field ending in "@" and the letter binds.
struct TParameterBinding {
    int letter = 0;
    long double value = 0;
    friend bool operator==(const TParameterBinding&, const TParameterBinding&) = default;
};

struct TEditorOutcome {
    int error = 0;  // 0, or the error shown to the user (message 400 + n)
    TExample record;
    std::uint32_t mask = 0;
    std::vector<TParameterBinding> bindings;
    int defaultPenWidth = 0;  // above 0: the pen width the window gives new examples
};

class TExampleEditor {
public:
    // The editor of the record at inventory index `index`; the record must outlive it.
    TExampleEditor(const TExample& record, int index, const TEditorEnv& env,
                   FormulaContext& formulas);

    int Kind() const { return kind_; }
    // A polynomial through points: edited with the controls of 213, kept as 201.
    bool IsLagrange() const { return lagrange_; }

    // The edit ids a kind uses (213 for a polynomial through points).
    static std::span<const int> EditIds(int kind);

    // The controls for the record, switches and labels included.
    TEditorForm Load() const;

    // Check box 271 ("lock interval") or 272 ("make periodic") of 201 and 206 was clicked
    // (its new state is in the form): the other one goes off, the range edits take the form
    // that is now in force and the end-mark group shows only with an interval.
    void IntervalSwitched(TEditorForm& form, int id) const;
    // Check box 276 ("polar") of 203 was clicked: the caption names the form.
    void PolarSwitched(TEditorForm& form) const;

    // Reads the form into a copy of the record: the first parse error ends the reading at
    // once, numeric errors are collected and the last one reported.
    TEditorOutcome Read(const TEditorForm& form) const;

private:
    void LoadTexts(TEditorForm& form) const;
    void LoadNumbers(TEditorForm& form) const;
    void LoadRanges(TEditorForm& form) const;
    void LoadFieldAndSizes(TEditorForm& form) const;
    void LoadSwitches(TEditorForm& form) const;
    void LoadLayout(TEditorForm& form) const;
    void HideLogarithmicControls(TEditorForm& form) const;
    void LoadPointLabels(TEditorForm& form) const;
    void LoadProfileLabels(TEditorForm& form) const;
    void ShowIntervalForm(TEditorForm& form, bool rangeTexts) const;

    const TExample& record_;
    int index_;
    TEditorEnv env_;
    FormulaContext& formulas_;
    int kind_;
    bool lagrange_;
};

// Writes an accepted record into the inventory record: the texts only when the example is not
// derived (but text 4 of plot points and text 6 of a plane always), every value and switch,
// not the trajectory state that the entries at a trajectory's state keep; a locked interval
// also becomes the table range, plot points read their values, maps are listed with word 4.
void StoreEditedRecord(TExample& target, const TExample& edited);

// The template of an example's editing dialog: "EQUA" and the kind, "EQUA309" for a 2D point
// and "EQUA213" for a polynomial through points.
std::string EditorTemplateName(const TExample& example);

// String id of the help topic of a kind (213 for a polynomial through points).
int EditorHelpTopic(int kind);

// String id of the colour chooser's caption for button 208 of a kind.
int EditorColourCaption(int kind);

}  // namespace quorlin::examples
