#include "canvas/export_option_dialogs.h"

#include "platform/boxes.h"

namespace quorlin::canvas {

TTeXDlg::TTeXDlg(QWidget* parent, TeXDialogValues& values)
    : platform::Dialog(parent, "PICTEX"), logic_(values) {}

void TTeXDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    const TeXDialogFields f = logic_.SetUp();
    SetText(kWidthEdit, f.width);
    SetText(kBoxEdit, f.boxNumber);
    for (int kind = kTexStandalone; kind <= kTexInsertable; ++kind)
        SetChecked(kFirstKindRadio + kind, kind == f.checkedKind);
    SetText(kRadiusEdit, f.radius);
    SetText(kFrameCountEdit, f.frameCount);
    SetMaxLength(kParametersEdit, TeXDialogLogic::kParameterLimit);
    SetText(kParametersEdit, f.parameters);
    SetChecked(kPagesCheck, f.pages);
    ShowFrameFields();
}

void TTeXDlg::ShowFrameFields() {
    const TeXDialogVisibility v = logic_.Visibility(IsChecked(kPagesCheck));
    ShowControl(kPagesCheck, v.pages);
    ShowControl(kFrameCountEdit, v.frameCount);
    ShowControl(kParametersEdit, v.parameters);
    ShowControl(kParametersLabel, v.parameters);
    ShowControl(kRadiusEdit, v.radius);
    ShowControl(kRadiusLabel, v.radius);
}

TeXDialogFields TTeXDlg::ReadFields() const {
    TeXDialogFields f;
    f.width = GetText(kWidthEdit);
    f.boxNumber = GetText(kBoxEdit);
    for (int kind = kTexStandalone; kind <= kTexInsertable; ++kind)
        if (IsChecked(kFirstKindRadio + kind)) f.checkedKind = kind;
    f.radius = GetText(kRadiusEdit);
    f.pages = IsChecked(kPagesCheck);
    f.frameCount = GetText(kFrameCountEdit);
    f.parameters = GetText(kParametersEdit);
    return f;
}

bool TTeXDlg::CanClose() {
    const int error = logic_.CanClose(ReadFields());
    if (error != 0) platform::ErrorMsg(this, error);
    return error == 0;
}

void TTeXDlg::OnControl(int id) {
    if (id == kPagesCheck)
        ShowFrameFields();
    else
        platform::Dialog::OnControl(id);
}

TSVGDlg::TSVGDlg(QWidget* parent, SvgDialogValues& values)
    : platform::Dialog(parent, "SVG"), logic_(values) {}

void TSVGDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    const SvgDialogFields f = logic_.SetUp();
    SetMaxLength(kWidthEdit, 20);
    SetMaxLength(kHeightEdit, 20);
    SetText(kWidthEdit, f.width);
    SetText(kHeightEdit, f.height);
}

bool TSVGDlg::CanClose() {
    const int error = logic_.CanClose({GetText(kWidthEdit), GetText(kHeightEdit)});
    if (error != 0) platform::ErrorMsg(this, error);
    return error == 0;
}

}  // namespace quorlin::canvas
