#pragma once
// The kinds of graphing window the main frame can open, and who builds them.
//
// The shell knows the kinds by name, command id and file extension; the subsystems that build a
// kind register a creator for it at start-up (src/app/main.cpp). A kind without a creator is
// offered in the Window menu but disabled.
#include <QString>
#include <functional>
#include <map>
#include <optional>

namespace quorlin::platform {
class Window;
}

namespace quorlin {

enum class WindowKind { Plot2D, Plot3D, Guess, MapXY, MapZ, Logarithmic, Planets };

struct NewWindowRequest {
    QString fileName;          // "noname<n>.<ext>" for a new diagram, else the file to load
    bool loadFile = false;     // whether fileName names a file to load at set-up
    bool useDefaults = false;  // start from built-in defaults instead of the ini file
    bool openLast = false;     // a new diagram loads the last file its ini names ("Open last")
    int logMode = 0;           // logarithmic windows: 1 log x, 2 log y, 3 both; 0 from the file
};

// Builds the window; the frame adds it as an MDI child (which then owns it).
using WindowCreator = std::function<platform::Window*(const NewWindowRequest&)>;

class WindowKindRegistry {
public:
    void Register(WindowKind kind, WindowCreator creator);
    bool Has(WindowKind kind) const { return creators_.contains(kind); }
    // Null when the kind has no creator.
    platform::Window* Create(WindowKind kind, const NewWindowRequest& request) const;

private:
    std::map<WindowKind, WindowCreator> creators_;
};

// The kind that opens a file, by its extension (case-insensitive): QZ2, QZ3, MA2, MAZ, LQZ.
std::optional<WindowKind> KindOfFile(const QString& fileName);

// The extension of a kind's files, with its dot (".qz2").
QString DefaultExtension(WindowKind kind);

// The Window-menu command that opens a kind, and back; the three logarithmic commands all map
// to Logarithmic with their mode.
struct KindCommand {
    WindowKind kind;
    int logMode = 0;
};
std::optional<KindCommand> KindOfCommand(int commandId);

}  // namespace quorlin
