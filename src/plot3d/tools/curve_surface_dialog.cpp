#include "plot3d/tools/curve_surface_dialog.h"

#include <algorithm>
#include <array>
#include <string>

#include "examples/levels/plot11_win.h"
#include "examples/levels/slide_dialog.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace {

constexpr const char* kEntryText = "int(x,y,z,t)";
constexpr const char* kNotFound = "?";

}  // namespace

TIntCSDlg::TIntCSDlg(TPlotRWin& window)
    : T2ComboDlg(window, "INTER", kCurveSurfaceSurfaceKinds, kCurveSurfaceCurveKinds),
      owner_(window) {
    // A surface or curve made from others (a combination, a tangent line) is met like any.
    allowDerived = true;
}

void TIntCSDlg::SetupWindow() {
    refilling_ = true;
    T2ComboDlg::SetupWindow();
    refilling_ = false;
    TakeChoices();
    examples::TPlot11Win::FillLetterCombo(*this, kCoordinate, "XYZT");
    examples::TPlot11Win::FillLetterCombo(*this, kLetter, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ShowControl(kHiddenCheck, false);
    search_.Restart();
    NextIntersection();
}

void TIntCSDlg::RefillLists() {
    const std::pair chosen{surface_, curve_};
    refilling_ = true;
    T2ComboDlg::RefillLists();
    // The second list keeps its curve, not its position.
    if (curve_ >= 0 && ListIndexOf2(curve_) >= 0 && SelectedExample2() != curve_)
        ChooseSecond(curve_);
    // A choice that is gone falls to the first example listed.
    if (SelectedExample() < 0 && !Listed().empty()) SelectPosition(0);
    for (int i = 0; SelectedExample2() < 0 && i <= owner_.Inventory().LastIndex(); ++i)
        if (ListIndexOf2(i) >= 0) ChooseSecond(i);
    refilling_ = false;
    TakeChoices();
    // The scan goes on along the same pair only.
    if (chosen != std::pair{surface_, curve_}) search_.Restart();
    Clear();
}

void TIntCSDlg::TakeChoices() {
    surface_ = SelectedExample();
    curve_ = SelectedExample2();
}

void TIntCSDlg::ExamplesRemoved(std::span<const int> oldToNew) {
    ExamplesRenumbered(oldToNew);
    for (int* chosen : {&surface_, &curve_}) {
        const bool known = *chosen >= 0 && static_cast<std::size_t>(*chosen) < oldToNew.size();
        *chosen = known ? oldToNew[static_cast<std::size_t>(*chosen)] : -1;
    }
}

void TIntCSDlg::ChoiceChanged() {
    if (refilling_) return;
    TakeChoices();
    search_.Restart();
    Clear();
}

void TIntCSDlg::NextIntersection() {
    found_.reset();
    const int surface = SelectedExample();
    const int curve = SelectedExample2();
    auto& inventory = owner_.Inventory();
    if (inventory.IsIndex(surface) && inventory.IsIndex(curve)) {
        const NodePtr g = SurfaceFunction(owner_.Compiler(), inventory, surface);
        examples::TExample& c = inventory[curve];
        const examples::TExample& s = inventory[surface];
        const TCurveSurfaceProblem problem{g.get(),
                                           {c.Tree(1).get(), c.Tree(2).get(), c.Tree(3).get()},
                                           c.rangeLow[0],
                                           c.rangeHigh[0],
                                           [&s](const Vec3& p) { return s.InBox(p.x, p.y, p.z); }};
        found_ = search_.Next(owner_.Formulas(), problem);
    }
    ShowIntersection();
}

void TIntCSDlg::ShowIntersection() {
    std::string text = kNotFound;
    if (found_) {
        const auto line = [this](const char* name, long double v) {
            return std::string(name) + " = " + owner_.FormatNum(v) + "\r\n";
        };
        text = line("t", found_->t) + line("x", found_->at.x) + line("y", found_->at.y) +
               line("z", found_->at.z);
        const std::array<long double, 4> values{found_->at.x, found_->at.y, found_->at.z,
                                                found_->t};
        // The data entries of the plot level (the tool level's one adds a derived point).
        auto& plot = static_cast<examples::TPlotWin&>(owner_);
        for (const int i : {SelectedExample(), SelectedExample2()})
            plot.AddMarkedPoint(i, kEntryTag, values, 4, kEntryText);
    }
    owner_.InvalidateImage(ImageLayer::Picture);
    owner_.Invalidate();
    if (IsCreated()) SetText(kResult, QString::fromStdString(text));
    EnableControls();
}

void TIntCSDlg::Clear() {
    if (!found_ && !IsCreated()) return;
    found_.reset();
    if (IsCreated()) SetText(kResult, QString());
    EnableControls();
}

void TIntCSDlg::EnableControls() {
    if (!IsCreated()) return;
    EnableControl(kSave, found_.has_value());
    EnableControl(kMark, found_.has_value() && owner_.Inventory().HasRoom());
}

bool TIntCSDlg::CmSave() {
    if (!found_) return false;
    const std::array<long double, 4> values{found_->at.x, found_->at.y, found_->at.z, found_->t};
    const int coordinate = std::clamp(SelectedIndex(kCoordinate), 0, 3);
    const int letter = std::clamp(SelectedIndex(kLetter), 0, 25) + 1;
    owner_.Formulas().SetVar(letter, values[static_cast<std::size_t>(coordinate)]);
    // A parameter's open slider shows its new value.
    if (examples::TSlideDlg* slider = owner_.ParamDialog(letter); slider && !slider->IsHidden())
        slider->UpdateBar();
    return true;
}

int TIntCSDlg::CmMarkPoint() {
    if (!found_) return -1;
    // The dialogs keep what they show through the example this adds.
    owner_.Scene3D().spareToolRefresh = true;
    const bool added = owner_.AddPointExample(found_->at);
    owner_.Scene3D().spareToolRefresh = false;
    EnableControls();
    return added ? 0 : 4;
}

void TIntCSDlg::CmCancel() {
    T2ComboDlg::CmCancel();
    owner_.InvalidateImage(ImageLayer::Picture);
    owner_.Invalidate();
}

void TIntCSDlg::OnControl(int id) {
    switch (id) {
        case kNext:
            NextIntersection();
            break;
        case kSave:
            CmSave();
            break;
        case kMark:
            CmMarkPoint();
            break;
        default:
            T2ComboDlg::OnControl(id);
            break;
    }
}

}  // namespace quorlin::plot3d
