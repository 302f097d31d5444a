#pragma once
// The message boxes a scripted prompter has shown, one line each ("caption | text", an error
// box's marked with a leading "! "), so that a test compares every box it caused at once.
#include <string>
#include <vector>

#include "platform/boxes.h"

namespace quorlin::testing {

inline std::vector<std::string> BoxesShown(const platform::ScriptedPrompter& prompter) {
    std::vector<std::string> boxes;
    for (const platform::MessageRequest& m : prompter.messages)
        boxes.push_back((m.error ? "! " : "") + m.caption.toStdString() + " | " +
                        m.text.toStdString());
    return boxes;
}

}  // namespace quorlin::testing
