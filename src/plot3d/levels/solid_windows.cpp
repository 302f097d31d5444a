#include "plot3d/levels/solid_windows.h"

#include <QPointer>

#include "examples/levels/plot11_win.h"
#include "examples/levels/solid_windows.h"
#include "plot3d/levels/plot3_win.h"

namespace quorlin::plot3d {

namespace {

class TOwnedSolidWindow : public examples::TSolidWindow {
public:
    TOwnedSolidWindow(examples::TPlot11Win& owner, const QString& title)
        : window_(new TPlotSWin(title, false)) {
        window_->SetUseDefaults(owner.Switches().childrenUseDefaults);
        // Its own top-level frame with its menu, above the owner.
        AttachHidden(window_, &owner);
        window_->SetFileName(QString());
        window_->SetVersion(owner.Version());
    }

    examples::TPlot11Win& Levels() override { return *window_; }
    bool Exists() const override { return !window_.isNull(); }

    void Show() override {
        if (window_ && window_->platform::Window::IsHidden()) window_->ShowWindow();
    }
    void Hide() override {
        if (window_ && !window_->platform::Window::IsHidden()) window_->HideWindow();
    }

    void AddSectionSurface(const examples::TSectionSurface& s) override {
        if (!window_) return;
        window_->AddSectionSurface({.x = s.x,
                                    .y = s.y,
                                    .z = s.z,
                                    .tLow = s.tLow,
                                    .tHigh = s.tHigh,
                                    .uLow = s.uLow,
                                    .uHigh = s.uHigh,
                                    .tDivisions = s.tDivisions,
                                    .uDivisions = s.uDivisions});
    }

    void FitView() override {
        if (!window_ || !window_->ComputeSceneBox()) return;
        window_->FitBoxToWindow();
        window_->InvalidateImage(ImageLayer::Background);
        window_->Invalidate();
    }

    void Close() override {
        if (window_) window_->CloseWithOwner();
    }

private:
    QPointer<TPlotSWin> window_;
};

}  // namespace

void InstallSolidWindows() {
    examples::SetSolidWindowMaker(
        [](examples::TPlot11Win& owner,
           const QString& title) -> std::unique_ptr<examples::TSolidWindow> {
            return std::make_unique<TOwnedSolidWindow>(owner, title);
        });
}

}  // namespace quorlin::plot3d
