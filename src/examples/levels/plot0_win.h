#pragma once
// TPlot0Win: the options level of a graphing window.
//
// It keeps the options every graphing window shares (TPlotOptions: shading, default count, dot
// size, the parameters an exported animation moves), the equation labels (one text overlay per
// example showing its equation, placed in a column at the top left and moved by dragging), the
// mouse buttons by mouse mode, the window's paint with the size bookkeeping, the printed, metafile
// and high-resolution pictures, and the export commands: PiCTeX (70), EPS (85) and SVG (87) files,
// with numbered frames that move the marked parameters from their left to their right ends.
//
// Slots it introduces (125-129): Paint and PaintWindow (the window's paint), AskDotSize,
// WriteRotationFrames (the turning view of a 3D export) and RefreshEquationLabel.
#include <initializer_list>
#include <optional>
#include <vector>

#include "examples/levels/label_list.h"
#include "examples/levels/plot_win.h"
#include "examples/operations/label_layout.h"

namespace quorlin::examples {

class TPlot0Win : public TPlotWin {
public:
    TPlot0Win(int kind, QString fileName, QString iniName, int dimension,
              QWidget* parent = nullptr);
    ~TPlot0Win() override;

    TPlotOptions& Options() { return options_; }
    const TPlotOptions& Options() const { return options_; }
    TEquationLabelList& EquationLabels() { return labels_; }
    const TEquationLabelList& EquationLabels() const { return labels_; }
    // Half the height of the letter "A" of the axis-labels font in world units, measured at
    // every paint (the marks of sequences and 3D axes).
    long double HalfCharHeight() const { return halfCharHeight_; }
    // The next paint tells the inventory it changed (the diagram reader asks for it).
    void RequestInventoryRefresh() { inventoryRefreshRequest_ = true; }

    // --- slots ---
    // The window's paint: measures the mark size, paints through PaintWindow, and answers a
    // pending inventory refresh.
    void Paint(QPainter& painter, const QRect& dirty) override;
    // Recomputes the view when the client size changed, then paints the cached picture with
    // the lower levels' overlays and PaintPrepared over it.
    virtual void PaintWindow(QPainter& painter, const QRect& dirty);
    // Asks the dot size of new points; true when a new size was taken (below 1 is refused
    // with error 1).
    virtual bool AskDotSize();
    // Writes the frames of an exported turning view (3D windows); false (nothing written) here.
    virtual bool WriteRotationFrames();
    // Renews the label text of example i, first restoring one label per example.
    virtual void RefreshEquationLabel(int i);
    // Whether drawing the diagram reads back pixels it drew (so an export paints a real
    // picture under its writers); none do at this level.
    virtual bool DrawingReadsPixels() const { return false; }

    // --- equation labels ---
    // Gives the newest example (and any other without one) its label: the equation text cut to
    // 60 characters in the example's colour and the equations font, placed below the previous
    // label, hidden until the labels are shown.
    void AddEquationLabel();
    void FreeEquationLabels() { labels_.Clear(); }
    // Command 819: every label back in the column at the top left, tied to the frame.
    void HomeEquationLabels();
    // The labels that are shown and whose example is visible, on the device and to the
    // running exports.
    void DrawEquationLabels(platform::DeviceContext& dc);
    // Starts dragging the label under a client point; dropped, it stays where the user put it.
    bool PickEquationLabel(QPoint point);
    // Texts, evaluated texts, pictures, then equation labels.
    bool StartDragAt(QPoint point) override;

    // The first listed example of one of the kinds; -1 when none.
    int FindExampleOfKind(std::initializer_list<int> kinds) const;

    // --- options (commands of the Misc and tolerance menus) ---
    // Asks for a value in the one-line input box: the caption and prompt are string ids, the
    // text offered is `offered`; nothing when cancelled.
    std::optional<QString> AskOption(int titleId, int promptId, const QString& offered);
    // A positive tolerance or length: the expression typed, refused with the reader's error or
    // error 14 below `least`. Nothing when cancelled or refused (the error shown).
    std::optional<long double> AskPositive(int titleId, int promptId, long double current,
                                           long double least);
    // "Simultaneous ...": the letters A-W typed are the sliders that move together.
    void AskSimultaneous();
    // "Size of inventory ...": room for the number typed; refused below one example or below
    // the examples there are (6), above 32001 (4).
    void AskInventorySize();
    void AskPlanarity();
    void AskLineOfSight();
    void AskPrintThickness();
    // "Decimal places ...": the places of the numbers the window shows and writes, a whole
    // number from 0 to kMaxDecimalPlaces (what the diagram file keeps); another text is error 1,
    // a number out of range error 17, and the places stay. The window shows new places at once.
    void AskDecimalPlaces();
    void SetShadingMode(int mode);

    // --- exports ---
    void ExportPicTeX();
    void ExportEps();
    void ExportSvg();
    // Writes n frames of the running PiCTeX or EPS export, moving the marked parameters (or
    // turning a 3D view); true when every frame was written and Q was not pressed.
    bool ExportFrames(int n);
    void PaintTeXFrame(int frame) override;
    void PaintEpsFrame(int frame) override;
    // Marks the parameters named by the text and puts them at their left ends; returns the
    // animation mode, 0 after error 2 when the text names nothing to animate.
    int MarkParameters(const std::string& names) override;

    // --- pictures for other devices ---
    // The diagram at the metafile's resolution: the view mapped onto the larger surface.
    void PaintHighRes(platform::DeviceContext& dc) override;
    // The cached picture with the overlays drawn again over it.
    bool DrawBitmapImage(platform::DeviceContext& dc);
    int DrawForOutput(platform::DeviceContext& dc) override;
    void PrepareScreenImage() override;

    int DrawPicture(platform::DeviceContext& dc) override;
    void RescaleFrameTexts(long double newHalfWidth, long double newHalfHeight,
                           long double oldHalfWidth, long double oldHalfHeight) override;
    // A point example's point; the origin for anything else.
    canvas::WorldPoint AnchorPoint(int anchor) const override;
    bool IsAnchorShown(int anchor) const override;
    void UpdateMenuChecks(bool flag) override;
    void EnableCommand(platform::CommandState& state) override;
    void MouseMove(const platform::MouseEvent& event) override;
    void MouseUp(const platform::MouseEvent& event) override;

private:
    canvas::TEquationLabel MakeLabel(int index, const canvas::TEquationLabel* previous);
    TLabelView LabelView() const;
    // The label's text, colour and font for its example as it is now.
    void RenewLabel(canvas::TEquationLabel& label, int index);
    // The positions of the labels that are drawn: shown, of an example whose graph is shown.
    std::vector<std::size_t> DrawnLabels() const;
    // Paints one frame of an export: every primitive feeds the writers, on a blank image, or
    // on a scratch picture where the drawing reads its pixels.
    void PaintExportFrame();
    void PaintWholeFrame(platform::DeviceContext& dc);
    // Shows the end-of-export report: success, or why files were not written.
    void ReportExport(const canvas::ExportReport& report, bool written);

    TPlotOptions options_;
    TEquationLabelList labels_;
    long double halfCharHeight_ = 0.2L;
    // Stacks this level's handlers on the readout and zoom-box modes.
    void AddReadoutModes();
    // The readout mode's press: the left button holds the readout, the right recentres.
    bool ReadoutPress(const platform::MouseEvent& event);

    bool readoutHeld_ = false;
    bool inventoryRefreshRequest_ = false;
};

}  // namespace quorlin::examples
