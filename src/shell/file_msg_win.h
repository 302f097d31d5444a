#pragma once
// The lowest level of every graphing window and text window: the window's file.
//
// TFileMsgWin keeps the file name, the modified mark, the file kind and version, the caption
// with its key hints, menu check marks, the password protection, the notebook and the
// background bitmap, and runs the open/save flow of File|New, Open, Save and Save as.
//
// The flow is the same for every window; what goes into a file is not. Diagram windows fill
// the body slots (ReadBody/WriteBody, after the common head); text windows replace the whole
// file format (ReadFile/WriteFile). Reading is two-phase so that an open diagram is replaced
// only by a file that was read to its end: ReadBody parses into the levels' pending state,
// then CommitRead installs it, or DiscardRead drops it when any level failed. Saving builds the
// file in memory and replaces the old file only when every byte was written.
#include <QImage>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>

#include "core/binio.h"
#include "platform/window.h"
#include "shell/records/protection.h"

namespace quorlin {

class DiagramReader;
class DiagramWriter;
class TNoteWin;

// Key hints: string 600 + kind in the caption while a long operation runs.
inline constexpr int kKeyHintBase = 600;
inline constexpr int kKeyHintQuit = 1;  // "press Q to quit"

// String ids of the file flow.
inline constexpr int kStrCareful = 2;             // "careful!"
inline constexpr int kStrOverwriteExisting = 13;  // "overwrite existing file?"
inline constexpr int kStrNoname = 29;             // "noname"

// An error the user has already been told about in a box of its own.
inline constexpr int kErrAlreadyReported = -1;

// Codes handed to Notify.
inline constexpr int kNotifyFontChanged = 7;

// The background picture a diagram may name: "<diagram name>1.bmp".
struct BackgroundBitmap {
    bool present = false;
    bool loadedFromFile = false;
    QString fileName;
    QImage image;
};

class TFileMsgWin : public platform::Window {
public:
    // kind: the file kind of the window (841 2D, 961 3D, 0 for windows without diagram files).
    TFileMsgWin(int kind, QString fileName, QWidget* parent = nullptr);
    ~TFileMsgWin() override;

    int Kind() const { return kind_; }
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& name);
    // Whether the window's diagram came from or went to a file (not a new "noname" one).
    bool HasFile() const { return hasFile_; }
    // The file handed over at creation, loaded by LoadStartFile.
    void SetStartFile(const QString& path) { startFile_ = path; }

    // --- modified mark ---
    bool IsModified() const { return modified_; }
    virtual void MarkModified() { modified_ = true; }
    virtual void ClearModified() { modified_ = false; }

    // --- version: what this window writes, and what the file being read carries ---
    int Version() const { return version_; }
    void SetVersion(int version) { version_ = version; }
    int ReadingVersion() const { return readingVersion_; }

    // --- caption and key hints ---
    // Restores the normal caption (the file name) and so removes a key hint.
    virtual void UpdateCaption();
    // Puts string 600 + kind into the caption; "#" in the string is followed by count1 (and
    // count2 after a "/"), as in "slide # 3/12".
    void ShowKeyHint(int kind, int count1 = 0, int count2 = 0);
    bool IsKeyHintShown() const { return keyHintShown_; }

    // --- menu check marks ---
    void CheckMenu(int id, bool checked);
    // Each level sets the check marks of its own items and then calls its base.
    virtual void UpdateMenuChecks(bool flag);

    // --- chained operations ---
    // Hides the window and its attached windows (the notebook here; graphing windows add theirs).
    // A modified diagram asks whether to save it first: yes saves (a failed or cancelled save
    // keeps the window open), no drops the changes, cancel keeps the window.
    bool CanClose() override;
    void HideWindow() override;
    virtual void Notify(int code);
    // Empties the window: no protection, empty notebook, no background bitmap.
    virtual void ResetWindow();
    // An empty diagram named "noname" plus the default extension (File|New runs it once a
    // modified diagram was saved or given up: AskToSaveChanges).
    virtual void NewDiagram();
    // Shows a help text (by resource name; empty: the window's own) searched for topic.
    virtual void ShowHelp(const QString& helpName, const QString& topic);
    virtual QString HelpName() const { return {}; }

    // --- the open/save flow ---
    // Asks for a file, then OpenChosenFile.
    bool FileOpen();
    // File|Open of a chosen file: the window that holds it already comes to the front; a
    // diagram of another kind opens in a window of its own kind (the frame's); otherwise a
    // modified diagram asks first (AskToSaveChanges), then Load. True when this window loaded it.
    bool OpenChosenFile(const QString& path);
    // Before a modified diagram is replaced or dropped: "Save the changes?" Yes saves (false
    // when the save fails or is cancelled), No drops them, Cancel keeps everything (false).
    // True at once for an unmodified window.
    bool AskToSaveChanges();
    bool FileSave();    // Save to the file; Save as for a window that has none yet
    bool FileSaveAs();  // asks for a name, confirms overwriting, saves
    // Reads the file and makes it the window's; shows the error box and returns the error
    // number when it cannot (the window then keeps what it had).
    int Load(const QString& path);
    // Writes the window's file; shows the error box and returns false when it cannot.
    bool SaveTo(const QString& path);
    // At set-up: the file handed over at creation, else the ini's last file when "Open last" is
    // on. 0 when a file was loaded.
    int LoadStartFile(const QString& lastFileOfIni, bool openLast);
    // The file LoadStartFile would read; empty when none.
    QString StartFileToLoad(const QString& lastFileOfIni, bool openLast) const;

    // Asks string 13 under string 2 (yes/no) when the file exists and the no-question byte is 0.
    bool ConfirmOverwrite(const QString& path);
    void SetNoOverwriteQuestion(bool on) { noOverwriteQuestion_ = on; }

    // The file format; diagrams by default.
    virtual QString FileFilter() const;
    virtual QString DefaultExtension() const;
    virtual int ReadFile(const QString& path);
    virtual int WriteFile(const QString& path, QString* reason);

    // The diagram body after the head: each level reads its part into pending state and calls
    // its base; 0 or an error number.
    virtual int ReadBody(ByteReader& in, int version);
    virtual void CommitRead();
    virtual void DiscardRead();
    virtual int WriteBody(ByteWriter& out);

    // The head of a diagram file of this window (kind 0: the window's own kind) with this
    // window's version.
    DiagramWriter OpenWrite(int kind = 0) const;
    // Reads the file and checks its head: 0 (reader positioned at the body), 11 or 8.
    int OpenRead(const QString& path, DiagramReader& reader);

    // --- password protection ---
    FileProtection& Protection() { return protection_; }
    const FileProtection& Protection() const { return protection_; }
    // True when the diagram does not guard the asked operations, is unlocked, or the user gave
    // the password now.
    bool CheckPassword(int mask);
    void ClearProtection() { protection_.ClearProtection(); }
    // The protection block (only for a protected diagram); false when a text is too long.
    bool WriteProtection(ByteWriter& out) const { return protection_.WriteProtection(out); }
    // Reads the block into the pending protection of a file whose mask is given.
    int ReadProtection(ByteReader& in, int mask);

    // --- notebook ---
    // The notebook window, made on first use (hidden).
    TNoteWin& Notebook();
    bool HasNotebook() const { return !notebook_.isNull(); }
    bool NotebookPresent() const;
    // Whether the notebook window exists and is not hidden.
    bool NotebookShown() const;
    // Writes the notebook text as one file string; 0, or 20 when it is too long for a file
    // (the user is told and nothing is written).
    int WriteNotebook(ByteWriter& out);
    // The notebook text as a file keeps it (Windows-1252); kErrAlreadyReported, after a box
    // telling why, when it has characters without an 8-bit form or is too long for a file.
    int NotebookFileText(std::string& out);
    int ReadNotebook(ByteReader& in);

    // --- background bitmap ---
    BackgroundBitmap& Background() { return background_; }
    // "<file name without extension>1.bmp"; nothing when the name has no extension.
    std::optional<QString> BitmapFileName() const;
    // Loads the background bitmap from Background().fileName: 0, 2 (missing) or 11 (unreadable).
    int LoadBitmapFile();

protected:
    // The caption without key hint.
    virtual QString NormalCaption() const;
    // Whether a notebook that came with a file is shown once the file is read.
    virtual bool ShowsReadNotebook() const { return true; }
    void CleanupWindow() override;

private:
    int ReadDiagram(const QString& path);
    // Whether the file is a diagram of a kind other than this window's (by its extension).
    bool BelongsToOtherKind(const QString& path) const;

    int kind_;
    QString fileName_;
    QString startFile_;
    bool modified_ = false;
    bool hasFile_ = false;
    int version_;
    int readingVersion_ = 0;
    bool keyHintShown_ = false;
    bool noOverwriteQuestion_ = false;
    FileProtection protection_;
    BackgroundBitmap background_;
    QPointer<TNoteWin> notebook_;
    std::optional<FileProtection> pendingProtection_;
    std::optional<std::string> pendingNotebook_;
};

// Gives window a top-level host owned by owner (with the window's menu), hidden until shown.
void AttachHidden(platform::Window* window, QWidget* owner);

}  // namespace quorlin
