#pragma once
// What a window's File|Open asks of the frame that hosts its windows: which window already holds
// a file, and opening a file in a window of the kind its extension names.
//
// A diagram file belongs to one window at a time: opening it again (File|Open of any window, a
// drop, the command line or a hand-over) brings that window to the front instead of making an
// independent copy, and a file of another kind never lands in the window that asked for it.
#include <QString>

namespace quorlin::platform {
class Window;
}

namespace quorlin {

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The open window whose diagram came from or went to the file, or null.
    virtual platform::Window* WindowOfFile(const QString& path) const = 0;
    // Brings the window to the front and makes it the active one.
    virtual void ActivateWindow(platform::Window* window) = 0;
    // Opens the file in a window of the kind its extension names (the window that holds it
    // already, if any); null for an extension no built kind takes.
    virtual platform::Window* OpenByExtension(const QString& path) = 0;
};

// Whether two names reach the same file (links and relative parts resolved where it exists).
bool SameFile(const QString& a, const QString& b);

}  // namespace quorlin
