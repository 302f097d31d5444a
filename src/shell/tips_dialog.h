#pragma once
// The tips shown at start-up: one tip of the string table (800-845) at a time, with a check box
// that keeps them coming. The choice lives in the one-byte file "qz.tip" of the configuration
// folder: a zero byte turns the tips off.
#include "platform/dialog.h"

namespace quorlin {

class TipsDialog : public platform::Dialog {
    Q_OBJECT
public:
    static constexpr int kFirstTip = 800;
    static constexpr int kLastTip = 845;

    explicit TipsDialog(QWidget* parent);

    // Whether "qz.tip" asks for tips at start-up (it does unless it holds a zero byte).
    static bool TipsWanted();
    static bool SaveTipsWanted(bool wanted);

    int CurrentTip() const { return tip_; }
    void ShowNextTip();

    void SetupWindow() override;
    void OnControl(int id) override;

private:
    void ShowTip();
    void StoreChoice();

    int tip_ = kFirstTip;
};

}  // namespace quorlin
