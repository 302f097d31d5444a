#pragma once
// The common dialogs: choosing a file to open or save, a font with its colour, and a colour.
//
// File requests carry the program's filter strings ("TeX files (*.TEX)|*.tex", description and
// pattern separated by "|") and a default extension; the answer is completed the same way
// whichever implementation ran: a saved name without extension gets the default one, an opened
// name gets it when the name as typed does not exist, and an open answer naming no existing file
// is refused. The Qt implementation shows QFileDialog, a QFontDialog with a colour choice beside
// it (FontAndColourDialog), and QColorDialog; tests install a ScriptedCommonDialogs with
// SetCommonDialogs.
#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "platform/drawing_tools.h"

class QFont;
class QFontDialog;
class QWidget;

namespace quorlin::platform {

struct FileDialogRequest {
    QString title;
    QString filter;            // "A files (*.A)|*.a|All files (*.*)|*.*"
    QString defaultExtension;  // "emf" (a leading dot is allowed)
    QString fileName;          // the proposed name, possibly with its folder
    QString directory;         // the initial folder; empty: see StartFolder
};

// The folder a file dialog opens in: the one the request names; else the proposed name's
// folder when the name is a full path (the current file's); else the folder of the file last
// chosen in a file dialog; else the home folder. Never the process's working folder.
QString StartFolder(const FileDialogRequest& request);
// The folder of the file last chosen in a file dialog of this run (empty before the first).
QString& LastFileFolder();

enum class FileDialogMode { Open, Save };

// A font as the font chooser returns it: the font at screen size, its point size in tenths and
// the text colour chosen beside it.
struct FontChoice {
    FontSpec font;
    int pointSizeTenths = 100;
    QColor color = Qt::black;
};

// "A files (*.A)|*.a|B files|*.b;*.bb" -> {"A files (*.a *.A)", "B files (*.b *.B *.bb *.BB)"}:
// each pattern is offered in lower and upper case, since file names on this system are case
// sensitive and the program's files come in both.
QStringList ToQtNameFilters(const QString& filter);

// The path with ".extension" (in lower case) appended when its file name has no extension; a
// name ending in a full stop keeps no extension and loses the stop.
QString WithDefaultExtension(const QString& path, const QString& extension);

// The QFont a chooser starts from, and the choice made from the QFont it ends with (heights at
// the given screen pixels per inch; the escapement and the colour come from elsewhere).
QFont FontOfChoice(const FontChoice& choice);
FontChoice ChoiceOfFont(const QFont& font, const QColor& color, int pixelsPerInch);

// The caption of a font chooser for a font that has no name of its own: its face and size.
QString FontCaption(const FontChoice& font);

// The font chooser the Qt dialogs show: QFontDialog's lists and sample with a colour button
// beside them. Escape anywhere in it, Cancel and the close box cancel the whole chooser; Enter
// anywhere in it is OK.
class FontAndColourDialog final : public QDialog {
public:
    FontAndColourDialog(QWidget* parent, const QString& caption, const QFont& font,
                        const QColor& color);
    QFont SelectedFont() const;
    QColor SelectedColor() const { return color_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFontDialog* fonts_;
    QColor color_;
};

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;

    // The chosen file, completed as described above; nothing when cancelled or refused.
    std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request);
    std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request);

    // The chosen font and colour; the chooser does not turn text, so the initial font's
    // escapement is kept. The caption names the font being chosen ("axis labels"); without
    // one the chooser is captioned with the initial font's face and size.
    std::optional<FontChoice> ChooseFont(QWidget* parent, const QString& caption,
                                         const FontChoice& initial);
    // The chosen colour; an invalid colour counts as cancelled.
    std::optional<QColor> ChooseColor(QWidget* parent, const QString& caption,
                                      const QColor& initial);

protected:
    // Show the dialogs; each returns the answer exactly as given, nothing when cancelled.
    virtual std::optional<QString> RunFileDialog(QWidget* parent, FileDialogMode mode,
                                                 const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> RunFontDialog(QWidget* parent, const QString& caption,
                                                    const FontChoice& initial) = 0;
    virtual std::optional<QColor> RunColorDialog(QWidget* parent, const QString& caption,
                                                 const QColor& initial) = 0;
};

class QtCommonDialogs final : public CommonDialogs {
protected:
    std::optional<QString> RunFileDialog(QWidget* parent, FileDialogMode mode,
                                         const FileDialogRequest& request) override;
    std::optional<FontChoice> RunFontDialog(QWidget* parent, const QString& caption,
                                            const FontChoice& initial) override;
    std::optional<QColor> RunColorDialog(QWidget* parent, const QString& caption,
                                         const QColor& initial) override;
};

// Answers from queues filled by a test and records what was asked; an empty queue answers
// as a cancelled dialog.
class ScriptedCommonDialogs final : public CommonDialogs {
public:
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;

    struct FileAsk {
        FileDialogMode mode;
        FileDialogRequest request;
    };
    std::vector<FileAsk> fileAsks;
    std::vector<FontChoice> fontAsks;   // the initial fonts offered
    std::vector<QString> fontCaptions;  // and the choosers' captions
    std::vector<QColor> colorAsks;      // the initial colours offered

protected:
    std::optional<QString> RunFileDialog(QWidget* parent, FileDialogMode mode,
                                         const FileDialogRequest& request) override;
    std::optional<FontChoice> RunFontDialog(QWidget* parent, const QString& caption,
                                            const FontChoice& initial) override;
    std::optional<QColor> RunColorDialog(QWidget* parent, const QString& caption,
                                         const QColor& initial) override;
};

// The dialogs in use (the Qt ones unless a test installed others).
CommonDialogs& CurrentCommonDialogs();
// Installs dialogs (not owned); null restores the Qt ones.
void SetCommonDialogs(CommonDialogs* dialogs);

// Installs dialogs (not owned) for the life of the object, and the Qt ones again after.
class ScopedCommonDialogs {
public:
    explicit ScopedCommonDialogs(CommonDialogs& dialogs) { SetCommonDialogs(&dialogs); }
    ~ScopedCommonDialogs() { SetCommonDialogs(nullptr); }
    ScopedCommonDialogs(const ScopedCommonDialogs&) = delete;
    ScopedCommonDialogs& operator=(const ScopedCommonDialogs&) = delete;
};

}  // namespace quorlin::platform
