// The 3D window's box dialog: the example's box on "AUTOBOXA", "AUTOBOXB" or "AUTOBOXC" by its
// kind, read and checked by the box-edit model, and the example computed and drawn again when
// the answer changed it.
#include "platform/boxes.h"
#include "plot3d/boxedit/box_edit.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace {
constexpr int kBoxTextLength = 20;
}  // namespace

void TPlotRWin::EditExampleBox(int i, bool force) {
    if (!Inventory().IsIndex(i)) return;
    examples::TExample& e = Inventory()[i];
    TBoxAnswer answer = InitialBoxAnswer(e, [this](long double value) { return FormatNum(value); });
    std::array<QString, 6> texts;
    std::vector<platform::EditBinding> fields;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = QString::fromStdString(answer.texts[k]);
        fields.push_back({&texts[k], kBoxTextLength});
    }
    std::uint8_t clip = answer.clip ? 1 : 0;
    std::uint8_t lock = answer.lock ? 1 : 0;
    platform::TGenBoolDlg dialog(this, BoxTemplateName(e), std::move(fields), &clip, &lock);
    if (dialog.Execute() != platform::kIdOk) return;
    for (std::size_t k = 0; k < texts.size(); ++k) answer.texts[k] = texts[k].toStdString();
    answer.clip = clip != 0;
    answer.lock = lock != 0;
    const TBoxOutcome outcome = ApplyBoxAnswer(
        e, answer, force,
        [this](std::string_view text, long double& out) { return ReadNumber(text, out); });
    if (outcome.error != 0) {
        platform::ErrorMsg(this, outcome.error);
        return;
    }
    if (outcome.changed) RefreshExample(i, true);
}

}  // namespace quorlin::plot3d
