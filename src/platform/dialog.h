#pragma once
// Dialogs built from DialogTemplate data: the base of the program's own dialogs.
//
// A Dialog lays its template's controls out on a grid and lets the code address them by id (and,
// where a template reuses an id for two kinds, by kind). The program overrides SetupWindow (fill
// the controls), CanClose (validate; false refuses OK) and OnControl (buttons and check boxes).
// Button 1 (OK) asks CanClose and then closes with 1; button 2 (Cancel, Escape, the close box)
// closes with 2. When a dialog shows, the edit that gets the focus has its text selected.
//
// Modal: Execute() builds the dialog, runs SetupWindow and exec(), and returns the result.
// Modeless: Create() builds and sets it up once; ShowDialog/HideDialog show and hide it; closing
// it only hides it (and sets the hidden flag).
//
// Test seams: a test may construct a dialog, Create() it (no window appears), fill controls,
// Press(id) a button and read Result(); and SetDialogRunner installs a hook that answers every
// modal Execute() in the code under test: the hook gets the dialog after SetupWindow, works its
// controls and returns what Execute returns.
#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QString>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "resources/templates.h"

class QButtonGroup;

namespace quorlin::platform {

// The resource tables this layer builds widgets from.
using resources::ControlKind;
using resources::ControlTemplate;
using resources::DialogTemplate;

// Results of dialogs and message boxes.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// What happened to a control besides a click (clicks go to OnControl).
enum class Notification {
    TextChanged,       // the text of an edit or combo box changed by typing
    SelectionChanged,  // the selection of a list box or combo box changed
    DoubleClicked,     // a list box item was double-clicked
    Scrolled,          // a scroll bar moved
};

// The template of a name: those registered with RegisterDialogTemplate first, then the program's
// resources, then the platform's built-in ones ("ONEINPUT"). Null when there is none.
const DialogTemplate* FindDialogTemplate(std::string_view name);

// Test hook: makes a template findable by its name (until UnregisterDialogTemplates). The
// template and its controls must outlive the registration.
void RegisterDialogTemplate(const DialogTemplate& tmpl);
void UnregisterDialogTemplates();

// The width a window needs for its caption to show whole in the window manager's title bar: the
// caption in a bold face beside the frame's icon, three buttons and their gaps (about six
// squares). An estimate: the title bar belongs to the window manager.
int CaptionWidth(const QWidget& window);

class Dialog : public QDialog {
    Q_OBJECT
public:
    // A dialog on the template of that name (FindDialogTemplate); a missing template gives an
    // empty dialog with OK and Cancel.
    Dialog(QWidget* parent, std::string_view templateName);
    // A dialog on a template given directly; it must outlive the dialog.
    Dialog(QWidget* parent, const DialogTemplate& tmpl);
    ~Dialog() override;

    std::string_view TemplateName() const { return name_; }

    // Builds the controls (once) and runs SetupWindow (once), without showing anything.
    void Create();
    bool IsCreated() const { return setUp_; }

    // Modal run: Create, then the dialog runner when one is installed, else exec(). Returns the
    // result (kIdOk, kIdCancel or what CloseWindow was given).
    int Execute();

    // Modeless: Create (when needed), clear the hidden flag and show.
    void ShowDialog();
    // Hides the dialog and sets the hidden flag.
    void HideDialog();
    bool IsHidden() const { return hidden_; }

    // Ends the dialog with a result: a modal run returns it; a modeless dialog is hidden.
    void CloseWindow(int result);
    // The result given to CloseWindow, 0 while the dialog has not ended.
    int Result() const { return result_; }
    bool HasEnded() const { return ended_; }

    // Acts as a click of button (or check box, radio) id: toggles a check box or selects a radio
    // as a click would, then OnControl(id). Returns Result() (0 when the dialog stays open).
    int Press(int id);

    // --- controls, by id (the first control of a fitting kind) or by kind and id ---
    QWidget* Control(int id) const;
    QWidget* Control(int id, ControlKind kind) const;
    bool HasControl(int id) const { return Control(id) != nullptr; }

    // Text of an edit, static, button, check box, radio, group box or combo box (edits first).
    QString GetText(int id) const;
    QString GetText(int id, ControlKind kind) const;
    void SetText(int id, const QString& text);
    void SetText(int id, ControlKind kind, const QString& text);
    void SetMaxLength(int id, int maxLength);
    // Puts the focus into a control; with selectAll an edit's text is selected.
    void FocusControl(int id, bool selectAll = false);

    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    // Applies to every control with the id.
    void ShowControl(int id, bool show);
    void EnableControl(int id, bool enable);
    bool IsControlShown(int id) const;  // not hidden (whether or not the dialog is shown)
    bool IsControlEnabled(int id) const;

    // List boxes and combo boxes.
    void ClearList(int id);
    int AddString(int id, const QString& text);  // appends; returns the item index
    void InsertString(int id, int index, const QString& text);
    void DeleteString(int id, int index);
    int ItemCount(int id) const;
    QString ItemText(int id, int index) const;
    int SelectedIndex(int id) const;  // -1 when nothing is selected
    // In a list of several selections, only that line is selected afterwards.
    void SetSelectedIndex(int id, int index);
    // List boxes of several selected lines (a single-selection list has at most one).
    int SelectionCount(int id) const;
    std::vector<int> SelectedLines(int id) const;  // in line order
    void SetLineSelected(int id, int index, bool selected);

    // Gives every control with the id its own font.
    void SetControlFont(int id, const QFont& font);

    // Scroll bars.
    void SetScrollRange(int id, int minimum, int maximum);
    void SetScrollPosition(int id, int position);
    int ScrollPosition(int id) const;
    void SetScrollPageStep(int id, int step);

    // --- handlers the program's dialogs override ---
    // Default: moves the dialog to the position remembered for its template name, else to a
    // random offset from its parent (RandomInt). Overrides call it first.
    virtual void SetupWindow();
    virtual bool CanClose() { return true; }
    // Button, check box and radio clicks. Default: 1 runs CanClose and closes with 1, 2 closes
    // with 2; other ids do nothing.
    virtual void OnControl(int id);
    virtual void OnNotify(int id, Notification what);

    // Where the dialog stands, as the top left of its client area, and a move there. Unlike a
    // frame position this goes back exactly: before a window is first shown X11 knows no frame,
    // so moving an unshown window to a frame position puts its client area there instead, a
    // title bar lower than it was.
    QPoint Place() const;
    void PlaceAt(QPoint place);

    // Remembered places (per template name, for the whole run).
    static void ForgetPositions();
    static bool RememberedPosition(std::string_view name, QPoint* position);

    // Hook answering modal Execute calls (empty restores exec()).
    using Runner = std::function<int(Dialog&)>;
    static void SetRunner(Runner runner);
    static bool HasRunner();

protected:
    void reject() override;  // Escape and the close box: OnControl(2)
    void accept() override;  // Enter on the default button goes through its click
    // Focuses the first control that takes the focus, selecting an edit's text.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Entry {
        ControlKind kind;
        int id;
        QWidget* widget;
    };
    void Build();
    QWidget* MakeWidget(const ControlTemplate& c, bool hasDefault, QButtonGroup*& radios);
    // Widens the dialog until its caption fits the title bar beside the frame's icon and buttons.
    void FitCaption();
    void Wire(const Entry& entry);
    const Entry* Find(int id, std::initializer_list<ControlKind> kinds) const;
    const Entry* FindAny(int id) const;

    std::string name_;
    const DialogTemplate* template_ = nullptr;
    std::vector<Entry> controls_;
    std::vector<QButtonGroup*> radioGroups_;
    bool built_ = false;
    bool setUp_ = false;
    bool hidden_ = false;
    bool modalRun_ = false;
    bool ended_ = false;
    int result_ = 0;
    int silent_ = 0;  // > 0 while the code changes controls: no notifications
};

using DialogRunner = Dialog::Runner;

// Installs a dialog runner for the life of the object and restores the previous one after.
class ScopedDialogRunner {
public:
    explicit ScopedDialogRunner(Dialog::Runner runner);
    ~ScopedDialogRunner();
    ScopedDialogRunner(const ScopedDialogRunner&) = delete;
    ScopedDialogRunner& operator=(const ScopedDialogRunner&) = delete;

private:
    Dialog::Runner previous_;
};

}  // namespace quorlin::platform
