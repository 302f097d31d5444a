#pragma once
// The example-editing dialog TEditExmpDlg and the family and web dialogs TFamDlg and TWebDlg.
//
// Each edits one record of its window's inventory in place. The dialogs only move values
// between their controls and the rules of example_editor.h and family_web.h; what they need of
// the window (its formula engine, inventory, colour roles and palette, help) comes through
// TExampleHost, which the window levels implement.
//
// TEditExmpDlg runs modally on the template of the example's kind; OK reads and checks every
// field and, when all is accepted, binds the "@" parameters, stores the record and writes the
// change mask (example_editor.h change::). Cancel changes nothing.
#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "examples/operations/example_editor.h"
#include "examples/operations/family_web.h"
#include "examples/records/inventory.h"
#include "platform/dialog.h"

namespace quorlin::examples {

// What the editing dialogs need of their graphing window.
class TExampleHost {
public:
    virtual ~TExampleHost() = default;

    virtual FormulaContext& Formulas() = 0;
    virtual TInventory& Inventory() = 0;
    virtual TEditorEnv EditorEnv() const = 0;
    virtual NumberFormat Format() const = 0;
    // The one-line text of an example by its kind (captions of the family dialog).
    virtual std::string ShortText(const TExample& example) const = 0;
    // The font of the dialogs' edits.
    virtual QFont DialogFont() const = 0;

    // Colour roles of the window (6, 7: col 1 and col 2; 8: the example; 9: the field).
    virtual std::int16_t ColourRole(int role) const = 0;
    virtual void SetColourRole(int role, std::int16_t index) = 0;
    // Opens the palette window on a role, with the caption of a string id (0: the role's own).
    virtual void ChooseColour(int role, int captionId) = 0;
    // Opens the palette window for a colour word the dialog keeps.
    virtual void PickColour(int captionId, int current, std::function<void(int)> chosen) = 0;
    virtual bool IsPaletteShown() const = 0;
    virtual void HidePalette() = 0;

    // The help topic of a kind's dialog (a string id).
    virtual void ShowEditorHelp(int kind, int topicId) = 0;
    // "col 1" was chosen: the 3D level takes the shading colours of the dialog.
    virtual void ShadingColourChosen() = 0;
    // A pen width typed with "@": the width the window gives its new examples.
    virtual void SetNewExamplePenWidth(int width) = 0;
    // A surface of revolution was edited: its parameters and slider ranges follow it.
    virtual void SetParamsFromExample(int index) = 0;
};

class TEditExmpDlg : public platform::Dialog {
    Q_OBJECT
public:
    // The dialog of example `index` of the host's inventory; mask (may be null) receives the
    // change mask on OK.
    TEditExmpDlg(TExampleHost& host, QWidget* parent, int index, std::uint32_t* mask);

    void SetupWindow() override;
    bool CanClose() override;
    void OnControl(int id) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The form's values into the controls, and the controls into a form.
    void ShowForm();
    TEditorForm ReadForm() const;
    // Makes the dialog the active window with its first text focused and selected, so that
    // typing replaces the text and Return confirms it.
    void TakeKeyboard();

    TExampleHost& host_;
    int index_;
    std::uint32_t* mask_;
    TExampleEditor editor_;
    TEditorForm form_;
    std::set<int> shownHidden_;  // the controls ShowForm hid
    std::int16_t gridColour_ = 0;
    bool paletteUsed_ = false;
    bool keyboardTakenBack_ = false;  // since it was shown
};

class TFamDlg : public platform::Dialog {
    Q_OBJECT
public:
    TFamDlg(TExampleHost& host, QWidget* parent, int index);
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    TExampleHost& host_;
    int index_;
};

class TWebDlg : public platform::Dialog {
    Q_OBJECT
public:
    TWebDlg(TExampleHost& host, QWidget* parent, int index);
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    TExampleHost& host_;
    int index_;
    bool paletteUsed_ = false;
};

}  // namespace quorlin::examples
