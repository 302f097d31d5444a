#pragma once
// The export option dialogs on their templates: "PICTEX" (PiCTeX setup) and "SVG" (SVG setup).
//
// Both are thin: they move field texts between their controls and TeXDialogLogic or
// SvgDialogLogic, and show the logic's error number when it refuses OK.
#include "canvas/export_dialogs.h"
#include "platform/dialog.h"

namespace quorlin::canvas {

class TTeXDlg : public platform::Dialog {
public:
    static constexpr int kWidthEdit = 211;
    static constexpr int kBoxEdit = 212;
    static constexpr int kRadiusEdit = 213;
    static constexpr int kFrameCountEdit = 214;
    static constexpr int kParametersEdit = 215;
    static constexpr int kRadiusLabel = 231;
    static constexpr int kParametersLabel = 232;
    static constexpr int kFirstKindRadio = 251;
    static constexpr int kPagesCheck = 271;

    TTeXDlg(QWidget* parent, TeXDialogValues& values);

    void SetupWindow() override;
    bool CanClose() override;
    void OnControl(int id) override;

private:
    void ShowFrameFields();
    TeXDialogFields ReadFields() const;

    TeXDialogLogic logic_;
};

class TSVGDlg : public platform::Dialog {
public:
    static constexpr int kWidthEdit = 211;
    static constexpr int kHeightEdit = 212;

    TSVGDlg(QWidget* parent, SvgDialogValues& values);

    void SetupWindow() override;
    bool CanClose() override;

private:
    SvgDialogLogic logic_;
};

}  // namespace quorlin::canvas
