#pragma once
// What the search dialogs share for handing a found value to the user: their common controls,
// the list of the letters A..Z, and the saving of a value into a letter, whose slider moves when
// it is shown.
#include "platform/dialog.h"

namespace quorlin::examples {
class TPlot1Win;
}

namespace quorlin::tools2d {

// The controls every search dialog has: the result text, "next", the coordinate to save, the
// letter it goes into, "save" and "mark pt".
struct TSearchControls {
    static constexpr int kResult = 231;
    static constexpr int kNext = 743;
    static constexpr int kCoordinate = 297;
    static constexpr int kLetter = 298;
    static constexpr int kSave = 57;
    static constexpr int kMark = 712;
};

// Fills combo `id` with "A".."Z", the first chosen; the letter slot (1..26) of its selection.
int FillLetters(platform::Dialog& dialog, int id);
int LetterOf(const platform::Dialog& dialog, int id);

// Letter slot 1..26 takes the value; the slider of an animation parameter shows it when open.
void SaveIntoLetter(examples::TPlot1Win& window, int letter, long double value);

}  // namespace quorlin::tools2d
