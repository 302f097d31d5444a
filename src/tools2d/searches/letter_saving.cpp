#include "tools2d/searches/letter_saving.h"

#include <algorithm>

#include "examples/levels/plot11_win.h"
#include "examples/levels/slide_dialog.h"

namespace quorlin::tools2d {

int FillLetters(platform::Dialog& dialog, int id) {
    examples::TPlot11Win::FillLetterCombo(dialog, id, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return LetterOf(dialog, id);
}

int LetterOf(const platform::Dialog& dialog, int id) {
    return std::max(dialog.SelectedIndex(id), 0) + 1;
}

void SaveIntoLetter(examples::TPlot1Win& window, int letter, long double value) {
    window.Formulas().SetVar(letter, value);
    if (letter > slot::kLastParameter) return;
    if (examples::TSlideDlg* slider = window.ParamDialog(letter); slider && !slider->IsHidden())
        slider->UpdateBar();
}

}  // namespace quorlin::tools2d
