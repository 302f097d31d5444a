#pragma once
// The main frame "Quorlin": an MDI frame whose Window menu opens graphing windows, which opens
// diagram files by their extension (from the command line, dropped files and files handed over
// by a second start alike), keeps its placement and the "Open last" and "Use defaults" choices
// in "qz.ini", shows the tips at start-up and owns the help window.
#include <QPointer>
#include <QRect>
#include <QString>
#include <optional>

#include "platform/frame_window.h"
#include "shell/document_host.h"
#include "shell/ini_file.h"
#include "shell/tips_dialog.h"
#include "shell/window_kinds.h"

namespace quorlin {

class HelpWindow;

class TPlotFrame : public platform::FrameWindow, public DocumentHost {
    Q_OBJECT
public:
    // pendingFile (may be empty) is opened when the frame first shows.
    TPlotFrame(const WindowKindRegistry& kinds, QString pendingFile);
    ~TPlotFrame() override;

    // Opens a file in a new window of the kind its extension names; a file that a window holds
    // already brings that window to the front instead. Unknown extensions are ignored without a
    // word. Returns the window, or null.
    platform::Window* OpenByExtension(const QString& fileName) override;
    platform::Window* WindowOfFile(const QString& path) const override;
    void ActivateWindow(platform::Window* window) override;

    // A new window of a kind, named "noname" + counter + the kind's extension.
    platform::Window* NewWindow(WindowKind kind, int logMode = 0);

    const FrameSettings& Settings() const { return settings_; }
    // The help window, once Help has shown it (null before).
    HelpWindow* Help() const { return help_; }
    TipsDialog* Tips() const { return tips_; }

    void SetupWindow() override;
    void CleanupWindow() override;
    void EnableCommand(platform::CommandState& state) override;
    void OnFilesDropped(const QStringList& files) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void HandleCommands();
    platform::Window* AddWindow(WindowKind kind, NewWindowRequest request);
    void OpenFromDialog();
    void OnFirstShow();
    void StorePlacement();
    // The kept placement (or the default size): the top left corner of the frame with its
    // decorations and the size of its client area, fitted into the available area of its screen.
    QRect InitialGeometry(const std::optional<WindowPlacement>& kept) const;

    const WindowKindRegistry& kinds_;
    QString pendingFile_;
    FrameSettings settings_;
    int nonameCounter_ = 0;
    bool shownOnce_ = false;
    HelpWindow* help_ = nullptr;  // owned by Qt (child window of the frame)
    QPointer<TipsDialog> tips_;
};

// The file name of the command line: all arguments after the program's name, joined by blanks
// (a name with blanks arrives in pieces when it was not quoted), made absolute so that a running
// instance in another folder that takes the name over finds the same file.
QString JoinArguments(const QStringList& arguments);

}  // namespace quorlin
