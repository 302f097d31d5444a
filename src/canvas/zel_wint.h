#pragma once
// TZELWint: the text-overlay level of a graphing window.
//
// It keeps two lists of free texts placed on the diagram, plain texts and evaluated texts
// (whose visible string is computed from up to three expressions when drawn), with the table
// of the window's 51 evaluated texts. A right click in the "Text" or "Evaluated text" mouse mode
// creates or edits a text in TTextDlg; a left drag moves it; "Delete all text" and "Show/hide
// all text" act on both lists. Texts are drawn on screens, printers and metafiles and handed to
// the PiCTeX, SVG and EPS exports.
//
// Texts tied to the frame keep their place in it: whenever the view's half sizes change, the
// level rescales their offsets by the ratio of the new to the old sizes.
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "canvas/grid_win.h"
#include "canvas/text_overlay.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

// The window font new texts start from.
inline constexpr int kFontTextOverlay = 0;
// String ids of the "Delete all text" question.
inline constexpr int kStrDeleteAllText = 69;  // "delete all text?"

// What the text and picture dialogs may tie to: the plot levels offer their point examples,
// and texts that hide with them.
struct TTieTargets {
    bool offered = false;
    bool hideWithAnchor = false;
    // Positions of the dialogs' tie list -> example index, filled by FillTieList.
    std::vector<int> table;
};

class TZELWint : public TGridWin {
public:
    TZELWint(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TZELWint() override;

    TextList& PlainTexts() { return plain_; }
    const TextList& PlainTexts() const { return plain_; }
    TextList& EvalTexts() { return evaluated_; }
    const TextList& EvalTexts() const { return evaluated_; }
    EvalTextTable& EvalTable() { return evalTable_; }
    const EvalTextTable& EvalTable() const { return evalTable_; }

    TTieTargets& TieTargets() { return tieTargets_; }
    const TTieTargets& TieTargets() const { return tieTargets_; }
    // Fills a dialog's tie list when this window offers tie targets; otherwise hides the list
    // and the control that chooses it. Returns whether the targets are offered.
    bool SetupTieList(platform::Dialog& dlg, int listId, int switchId, int anchor);
    // The example chosen in a dialog's tie list: its only entry, else the selected one;
    // nothing when the list is empty or nothing usable is selected.
    std::optional<int> ChosenTieTarget(const platform::Dialog& dlg, int listId) const;

    // --- slots ---
    // Fills the dialog's tie list and selects the entry of the anchor; nothing here.
    virtual void FillTieList(platform::Dialog& dlg, int listId, int anchor);
    virtual void RescaleFrameTexts(long double newHalfWidth, long double newHalfHeight,
                                   long double oldHalfWidth, long double oldHalfHeight);
    // The point a text tied to example k is placed from; (0, 0) here.
    virtual WorldPoint AnchorPoint(int anchor) const;
    virtual bool IsAnchorShown(int anchor) const;
    // The string drawn for a text: its own text here; the plot levels evaluate.
    virtual std::string GetTextString(const TEquationLabel& text, bool evaluated) const;
    // The evaluated text of an index; false when there is none.
    virtual bool GetEvalText(TEvalText& out, int evalIndex) const;
    // checkOnly: 0 when the expressions are sound, > 0 an error number, < 0 nothing to show
    // (the text is to be deleted). Otherwise stores the text under its index, giving a new
    // one (index 0xFFFF) the lowest free index; error 4 when all 51 are taken.
    virtual int ParseEvalText(const TEvalText& text, std::uint16_t& evalIndex, bool checkOnly);

    // --- texts ---
    // The origin a text of this anchor is stored relative to.
    WorldPoint AnchorOriginOf(int anchor) const;
    AnchorLookup AnchorPoints() const;
    // Creates or edits the text under a client point (mouse modes "Text" and "Evaluated text").
    void NewTextAt(QPoint point);
    std::optional<TextHit> TextAtPoint(QPoint point, const TextList& list) const;
    // Draws a list on the device and to the running exports.
    void DrawTexts(platform::DeviceContext& dc, TextList& list, bool evaluated, int backgroundRole);
    // Empties both lists and the evaluated-text table.
    void FreeTexts();
    // Takes lists read from a diagram file.
    void InstallTexts(TextList plain, TextList evaluated, EvalTextTable table);
    void CmDeleteAllText();
    void CmShowHideAllText();
    // The frame texts' reference sizes become the view's present ones (after a view was read
    // from a file, so that the texts read with it are not rescaled).
    void ResetFrameTextReference();

    // --- dragging (event-driven: a press of a text or paste mode starts, MouseMove follows,
    // MouseUp drops) ---
    struct DragBox {
        QPoint startCorner;
        QPoint offset;  // of the mouse from the corner
        QSize size;
        int escapement = 0;
        QPoint mouse;
        std::function<void(QPoint corner)> drop;
    };
    // Starts dragging the text (or, at higher levels, the picture) under the point.
    virtual bool StartDragAt(QPoint point);
    const std::optional<DragBox>& Drag() const { return drag_; }

    void RecomputeView() override;
    int DrawPicture(platform::DeviceContext& dc) override;
    void EnableCommand(platform::CommandState& state) override;
    void MouseMove(const platform::MouseEvent& event) override;
    void MouseUp(const platform::MouseEvent& event) override;
    void Paint(QPainter& painter, const QRect& dirty) override;

protected:
    void StartDrag(QPoint mouse, QPoint offset, QSize size, int escapement,
                   std::function<void(QPoint corner)> drop);
    // Ends a drag without dropping: what it held is gone (a diagram was read in).
    void CancelDrag();
    // The picture layer is stale and the window repaints.
    void PictureChanged();
    void CleanupWindow() override;

private:
    bool StartTextDrag(QPoint point, TextList& list);
    // The presses of the text modes: the left button drags, the right creates or edits a text.
    bool TextModePress(const platform::MouseEvent& event);
    bool DragOnLeftButton(const platform::MouseEvent& event);
    // Switched off, or tied to a point that is hidden and hiding with it.
    bool IsHidden(const TEquationLabel& text) const;
    void DrawText(platform::DeviceContext& dc, TEquationLabel& text, bool evaluated);
    // Stores a text the dialog accepted; false when it could not be stored.
    bool StoreEditedText(TextList& list, std::optional<std::size_t> hit, TEquationLabel record,
                         const TEvalText* eval);

    TextList plain_;
    TextList evaluated_;
    EvalTextTable evalTable_;
    long double frameHalfWidth_ = 0;
    long double frameHalfHeight_ = 0;
    std::optional<DragBox> drag_;
    TTieTargets tieTargets_;
};

}  // namespace quorlin::canvas
