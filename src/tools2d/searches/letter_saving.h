#pragma once
// What the search dialogs share for handing a found value to the user: the list of the letters
// A..Z, and the saving of a value into a letter, whose slider moves when it is shown.
#include "platform/dialog.h"

namespace quorlin::examples {
class TPlot1Win;
}

namespace quorlin::tools2d {

// Fills combo `id` with "A".."Z", the first chosen; the letter slot (1..26) of its selection.
int FillLetters(platform::Dialog& dialog, int id);
int LetterOf(const platform::Dialog& dialog, int id);

// Letter slot 1..26 takes the value; the slider of an animation parameter shows it when open.
void SaveIntoLetter(examples::TPlot1Win& window, int letter, long double value);

}  // namespace quorlin::tools2d
