// The file level of a graphing window: what a save writes and a load gives back, what a
// damaged, foreign or newer file does to the open diagram, failed saves, overwriting, closing,
// passwords, the notebook, the background bitmap and the caption's key hints.
#include "shell/file_msg_win.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <tuple>

#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/config_dir.h"
#include "resources/command_ids.h"
#include "shell/diagram_file.h"
#include "shell/ini_file.h"
#include "shell/text_win.h"
#include "support/boxes_shown.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using platform::ScriptedPrompter;
using quorlin::testing::BoxesShown;
using testing::FileBytes;
using testing::TestDiagram;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

// The operating system's text for an error number, as a failed save shows it.
std::string Reason(int number) {
    return QString::fromLocal8Bit(std::strerror(number)).toStdString();
}

QString NotebookText() {
    return QStringLiteral("line one\nline two ") + QChar(0xe9);
}

class DiagramFlow : public ::testing::Test {
protected:
    DiagramFlow() { platform::SetCommonDialogs(&dialogs_); }
    ~DiagramFlow() override { platform::SetCommonDialogs(nullptr); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // A diagram saved at path with the given values and label.
    void SaveDiagram(const QString& path, std::vector<std::int32_t> values, std::string label) {
        TestDiagram w("noname1.qz2");
        w.values = std::move(values);
        w.label = std::move(label);
        ASSERT_TRUE(w.SaveTo(path));
    }

    QTemporaryDir dir_;
    ScriptedPrompter prompter_;
    platform::ScriptedCommonDialogs dialogs_;  // an unexpected file dialog answers "cancel"
};

TEST_F(DiagramFlow, SaveReopenModifySaveAgainLosesNothing) {
    const QString path = Path("a.qz2");
    SaveDiagram(path, {1, -2, 300000}, "first label");

    TestDiagram second("noname2.qz2");
    ASSERT_EQ(second.Load(path), kNoError);
    EXPECT_EQ(std::tuple(second.values, second.label, second.FileName(), second.IsModified()),
              std::tuple(std::vector<std::int32_t>{1, -2, 300000}, "first label", path, false));

    second.values.push_back(7);
    second.MarkModified();
    ASSERT_TRUE(second.FileSave());
    EXPECT_TRUE(dialogs_.fileAsks.empty()) << "a loaded diagram saves under its name";
    EXPECT_FALSE(second.IsModified());

    ASSERT_EQ(second.Load(path), kNoError);
    EXPECT_EQ(second.values, (std::vector<std::int32_t>{1, -2, 300000, 7}));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1) << "a temporary was left over";
}

// Damaged texts inside a body are refused by the string readers' own tests.
TEST_F(DiagramFlow, ForeignNewerAndDamagedFilesLeaveTheOpenDiagramAlone) {
    const QString good = Path("good.qz2");
    SaveDiagram(good, {5, 6}, "kept");
    const QByteArray bytes = FileBytes(good);

    struct Case {
        const char* name;
        QByteArray bytes;
        int error = kErrCannotOpenFile;
    };
    const auto patched = [&](qsizetype at, const QByteArray& part) {
        return QByteArray(bytes).replace(at, part.size(), part);
    };
    const Case cases[] = {
        {"other kind (961)", patched(0, QByteArray("\xc1\x03", 2))},
        {"version 42", patched(4, "*"), kErrIncompatibleVersion},
        {"version 0", patched(4, QByteArray(1, '\0'))},
        {"truncated body", bytes.left(bytes.size() - 3)},
        {"head only", bytes.left(80)},
        {"short head", bytes.left(50)},
        {"empty file", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path("bad.qz2");
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        TestDiagram w(good);
        ASSERT_EQ(w.Load(good), kNoError);
        w.values.push_back(99);  // unsaved work
        prompter_.messages.clear();

        EXPECT_EQ(w.Load(path), c.error);
        EXPECT_EQ(BoxesShown(prompter_),
                  Lines{c.error == kErrIncompatibleVersion ? "! hmm ... | incompatible versions!"
                                                           : "! hmm ... | cannot open file"});
        EXPECT_EQ(w.values, (std::vector<std::int32_t>{5, 6, 99}));
        EXPECT_EQ(w.FileName(), good);
    }
}

// A body whose reading runs out of memory says there is no more room and leaves the open
// diagram as it was, instead of ending the program; a later read that fits opens.
TEST_F(DiagramFlow, AReadBeyondTheMemoryIsNoMoreRoom) {
    class Greedy : public TestDiagram {
    public:
        using TestDiagram::TestDiagram;
        bool outOfMemory = false;
        int ReadBody(ByteReader& in, int version) override {
            const int error = TestDiagram::ReadBody(in, version);
            if (outOfMemory) throw std::bad_alloc();
            return error;
        }
    };
    const QString good = Path("good.qz2"), greedy = Path("greedy.qz2");
    SaveDiagram(good, {5, 6, 7}, "kept");
    SaveDiagram(greedy, {8}, "asks too much");
    Greedy w(good);
    ASSERT_EQ(w.Load(good), kNoError);
    w.values.pop_back();  // unsaved work
    prompter_.messages.clear();
    w.outOfMemory = true;
    EXPECT_EQ(w.Load(greedy), kErrNoMoreRoom);
    EXPECT_EQ(BoxesShown(prompter_), Lines{"! hmm ... | no more room"});
    EXPECT_EQ(std::tuple(w.values, w.label, w.FileName()),
              std::tuple(std::vector<std::int32_t>{5, 6}, "kept", good));
    w.outOfMemory = false;
    ASSERT_EQ(w.Load(greedy), kNoError);
    EXPECT_EQ(std::tuple(w.values, w.label, w.FileName()),
              std::tuple(std::vector<std::int32_t>{8}, "asks too much", greedy));
}

TEST_F(DiagramFlow, FailedSavesReportAnErrorAndKeepTheOldFile) {
    const QString path = Path("kept.qz2");
    SaveDiagram(path, {1}, "old");
    const QByteArray before = FileBytes(path);

    // A folder that cannot take the file (its "parent" is a regular file).
    TestDiagram w(path);
    ASSERT_EQ(w.Load(path), kNoError);
    w.MarkModified();
    EXPECT_FALSE(w.SaveTo(path + "/inside.qz2"));
    EXPECT_EQ(w.FileName(), path);
    // A body that cannot be written (a label too long for a reader's buffer).
    w.label.assign(300, 'x');
    EXPECT_FALSE(w.SaveTo(path));
    w.label = "new";
    // The target is a folder; a folder that is not there.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.qz2"));
    EXPECT_FALSE(w.SaveTo(Path("folder.qz2")));
    EXPECT_FALSE(w.SaveTo(Path("missing/new.qz2")));
    const std::string shown = path.toStdString();
    EXPECT_EQ(BoxesShown(prompter_),
              (Lines{"! hmm ... | could not find\n" + shown + "/inside.qz2\n" + Reason(ENOTDIR),
                     "! hmm ... | too large\n" + shown,
                     "! hmm ... | cannot open file\n" + Path("folder.qz2").toStdString() + "\n" +
                         Reason(EISDIR),
                     "! hmm ... | could not find\n" + Path("missing/new.qz2").toStdString() + "\n" +
                         Reason(ENOENT)}));
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_TRUE(w.IsModified());
}

// What a failed save found at its target and the system's error tell what failed: the room
// ran out only when the system says so (a device in a folder that takes no files says so too),
// any other error of the system cannot open the file; without an error of the system, a folder
// that takes files and a target that may be replaced mean the bytes did not all go out.
TEST(SaveErrors, TheStateOfTheTargetNamesTheFailure) {
    const struct {
        SaveTargetState state;
        int error;
    } cases[] = {
        {{.folderExists = false}, kErrCouldNotFind},
        {{.targetIsFolder = true, .targetExists = true}, kErrCannotOpenFile},
        {{.folderWritable = false}, kErrCannotOpenFile},
        {{.targetExists = true, .targetWritable = false}, kErrCannotOpenFile},
        {{.targetExists = true}, kErrNoMoreRoom},
        {{}, kErrNoMoreRoom},
        {{.folderExists = false, .systemError = ENOENT}, kErrCouldNotFind},
        {{.systemError = ENOENT}, kErrCouldNotFind},
        {{.targetExists = true, .systemError = ENOTDIR}, kErrCouldNotFind},
        {{.targetExists = true, .systemError = ENOSPC}, kErrNoMoreRoom},
        {{.systemError = EDQUOT}, kErrNoMoreRoom},
        {{.targetExists = true, .systemError = EFBIG}, kErrNoMoreRoom},
        {{.folderWritable = false, .targetExists = true, .systemError = ENOSPC}, kErrNoMoreRoom},
        {{.targetExists = true, .systemError = EIO}, kErrCannotOpenFile},
        {{.systemError = ENAMETOOLONG}, kErrCannotOpenFile},
        {{.targetExists = true, .systemError = EACCES}, kErrCannotOpenFile},
        {{.systemError = EROFS}, kErrCannotOpenFile},
    };
    for (const auto& c : cases) EXPECT_EQ(SaveErrorNumber(c.state), c.error);
    QTemporaryDir dir;
    const SaveTargetState missing = SaveTargetStateOf(dir.filePath("none/a.qz2"));
    EXPECT_FALSE(missing.folderExists);
    const SaveTargetState folder = SaveTargetStateOf(dir.path());
    EXPECT_TRUE(folder.targetIsFolder && folder.folderExists);
}

TEST_F(DiagramFlow, NotebookTravelsWithTheDiagramAndAnOverlongOneIsRefused) {
    const QString path = Path("note.qz2");
    {
        TestDiagram w("noname1.qz2");
        w.Notebook().SetText(NotebookText());
        EXPECT_FALSE(w.IsModified());
        w.Notebook().findChild<QPlainTextEdit*>()->insertPlainText("+");
        EXPECT_TRUE(w.IsModified()) << "editing the notebook modifies the diagram";
        ASSERT_TRUE(w.SaveTo(path));
    }
    const QByteArray before = FileBytes(path);
    TestDiagram w("noname2.qz2");
    ASSERT_EQ(w.Load(path), kNoError);
    ASSERT_TRUE(w.HasNotebook());
    EXPECT_EQ(w.Notebook().Text(), "+" + NotebookText());

    w.Notebook().SetText(QString(kMaxNotebookLength + 1, 'n'));
    EXPECT_FALSE(w.SaveTo(path));
    ASSERT_EQ(prompter_.messages.size(), 1u) << "one clear message, not two boxes";
    EXPECT_TRUE(prompter_.messages[0].text.contains("64000"));
    EXPECT_EQ(FileBytes(path), before);

    // A diagram without notebook text empties the notebook of the diagram it replaces.
    SaveDiagram(Path("plain.qz2"), {}, "");
    ASSERT_EQ(w.Load(Path("plain.qz2")), kNoError);
    EXPECT_TRUE(w.Notebook().Text().isEmpty());
}

TEST_F(DiagramFlow, ProtectedDiagramAsksForItsPasswordUntilUnlocked) {
    const QString path = Path("locked.qz2");
    {
        TestDiagram w("noname1.qz2");
        w.Protection().Protect(kProtectInventory, "secret", {"Ann", "", "", ""});
        EXPECT_TRUE(w.CheckPassword(kProtectInventory) && prompter_.inputs.empty())
            << "the author keeps it unlocked";
        ASSERT_TRUE(w.SaveTo(path));
    }
    TestDiagram w("noname2.qz2");
    ASSERT_EQ(w.Load(path), kNoError);
    EXPECT_EQ(w.Protection().Mask(), kProtectInventory);
    EXPECT_TRUE(w.CheckPassword(kProtectNotebook)) << "an unguarded operation needs nothing";

    prompter_.AnswerInput("Secret");  // the case counts
    EXPECT_FALSE(w.CheckPassword(kProtectInventory));
    prompter_.AnswerInput("secret", platform::kIdCancel);
    EXPECT_FALSE(w.CheckPassword(kProtectInventory));
    prompter_.AnswerInput("secret");
    EXPECT_TRUE(w.CheckPassword(kProtectInventory) && w.CheckPassword(kProtectInventory));
    EXPECT_EQ(prompter_.inputs.size(), 3u) << "unlocked for the rest of the session";

    // An unprotected file clears the protection of the diagram it replaces.
    SaveDiagram(Path("open.qz2"), {}, "");
    ASSERT_EQ(w.Load(Path("open.qz2")), kNoError);
    EXPECT_FALSE(w.Protection().IsProtected());
}

TEST_F(DiagramFlow, SaveAsAsksBeforeOverwritingUnlessTold) {
    const QString path = Path("exists.qz2");
    SaveDiagram(path, {1}, "old");
    const QByteArray before = FileBytes(path);

    TestDiagram w("noname1.qz2");
    w.label = "new";
    dialogs_.fileAnswers.push_back(path);
    prompter_.AnswerMessage(platform::kIdNo);
    EXPECT_FALSE(w.FileSaveAs());
    EXPECT_EQ(BoxesShown(prompter_), Lines{"careful! | overwrite existing file?"});
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(dialogs_.fileAsks.at(0).request.defaultExtension, "qz2");

    dialogs_.fileAnswers.push_back(path);
    prompter_.AnswerMessage(platform::kIdYes);
    EXPECT_TRUE(w.FileSaveAs());
    EXPECT_NE(FileBytes(path), before);

    w.SetNoOverwriteQuestion(true);
    dialogs_.fileAnswers.push_back(path);
    EXPECT_TRUE(w.FileSaveAs());
    EXPECT_EQ(prompter_.messages.size(), 2u) << "no question while the byte is set";

    // A window without a file of its own asks for a name on Save, once.
    TestDiagram fresh("noname7.qz2");
    dialogs_.fileAnswers.push_back(Path("fresh.qz2"));
    EXPECT_TRUE(fresh.FileSave() && fresh.FileSave());
    EXPECT_EQ(fresh.FileName(), Path("fresh.qz2"));
    EXPECT_EQ(dialogs_.fileAsks.size(), 4u);
}

TEST_F(DiagramFlow, BackgroundBitmapIsReadFromTheFileNamedAfterTheDiagram) {
    TestDiagram w(Path("pic.qz2"));
    ASSERT_EQ(w.BitmapFileName(), Path("pic1.bmp"));
    w.Background().fileName = *w.BitmapFileName();
    EXPECT_EQ(w.LoadBitmapFile(), kErrCouldNotFind);
    ASSERT_TRUE(WriteBytes(w.Background().fileName, "not a bitmap"));
    EXPECT_EQ(w.LoadBitmapFile(), kErrCannotOpenFile);
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(w.Background().fileName, "BMP"));
    EXPECT_EQ(w.LoadBitmapFile(), kNoError);
    EXPECT_TRUE(w.Background().present && w.Background().image.size() == QSize(4, 3));

    // A file far longer than an image of the size its header tells can take is refused before
    // it is decoded, and one whose header tells a size beyond the largest shown likewise.
    w.Background() = {};
    w.Background().fileName = *w.BitmapFileName();
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, "PNG"));
    }
    ASSERT_TRUE(WriteBytes(w.Background().fileName, png + QByteArray(3 << 20, '\0')));
    EXPECT_EQ(w.LoadBitmapFile(), kErrTooLarge);
    EXPECT_FALSE(w.Background().present);
    ASSERT_TRUE(WriteBytes(w.Background().fileName, png));
    EXPECT_EQ(w.LoadBitmapFile(), kNoError);
    QByteArray wide;
    {
        QBuffer buffer(&wide);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, "BMP"));
    }
    wide[20] = 1;  // the width, little-endian at byte 18: 65536 + 4 pixels
    ASSERT_TRUE(WriteBytes(w.Background().fileName, wide));
    w.Background() = {};
    w.Background().fileName = *w.BitmapFileName();
    EXPECT_EQ(w.LoadBitmapFile(), kErrTooLarge);
}

TEST_F(DiagramFlow, ClosingAModifiedDiagramAsksToSaveIt) {
    const QString path = Path("kept.qz2");
    SaveDiagram(path, {5}, "saved");
    const QByteArray before = FileBytes(path);
    TestDiagram w("noname4.qz2");
    ASSERT_EQ(w.Load(path), kNoError);
    EXPECT_TRUE(w.CanClose() && prompter_.messages.empty()) << "unchanged: no question";

    w.values = {6};
    w.MarkModified();
    prompter_.AnswerMessage(platform::kIdCancel);
    EXPECT_FALSE(w.CanClose()) << "cancel keeps the window";
    EXPECT_EQ(prompter_.messages.at(0).kind, platform::kMsgYesNoCancel);
    EXPECT_TRUE(prompter_.messages[0].text.contains("kept.qz2"));

    prompter_.AnswerMessage(platform::kIdYes);
    EXPECT_TRUE(w.CanClose()) << "yes saves and closes";
    EXPECT_NE(FileBytes(path), before) << "the changes were saved";

    TestDiagram fresh("noname6.qz2");
    fresh.MarkModified();
    prompter_.AnswerMessage(platform::kIdYes);  // the save-as dialog then answers "cancel"
    EXPECT_FALSE(fresh.CanClose()) << "a cancelled save keeps the window and its diagram";
    prompter_.AnswerMessage(platform::kIdNo);
    EXPECT_TRUE(fresh.CanClose()) << "no drops the changes";
}

TEST(FileLevel, KeyHintHoldsTheCaptionTillNewEmptiesTheWindowUnderANonameName) {
    ScriptedPrompter prompter;
    prompter.AnswerMessage(platform::kIdNo);  // drop the changes
    TestDiagram w("/some/folder/graph.qz2");
    w.ShowKeyHint(kKeyHintQuit);
    EXPECT_EQ(w.Caption(), "press Q to quit");
    w.Protection().Protect(kProtectInventory, "pw", {});
    w.Notebook().SetText("notes");
    w.MarkModified();
    w.SendCommand(resources::cmd::kFileNew);
    EXPECT_EQ(std::tuple(w.Caption(), w.IsModified(), w.Protection().IsProtected(),
                         w.Notebook().Text().isEmpty()),
              std::tuple(QString("noname.qz2"), false, false, true));
    ASSERT_EQ(prompter.messages.size(), 1u) << "New asked before it emptied the window";
    EXPECT_EQ(prompter.messages[0].kind, platform::kMsgYesNoCancel);
}

// Saves that fail part way, as onto a full disk: the write calls after `allowed` bytes fail
// with `error` (or take nothing, 0), or claim bytes they never wrote (lie). Each path that
// saves shows the error `shown` with the file and the system's reason where it has a window,
// leaves the old file byte for byte and no temporary file beside it, and keeps the window
// modified.
struct FailingWrites {
    const char* name;
    std::size_t allowed;
    int error;
    bool lie;
    const char* shown;  // the error's text in the box
    int reason;         // the error number whose text the box shows
};

FileWriteCall FailAfter(const FailingWrites& f) {
    auto left = std::make_shared<std::size_t>(f.allowed);
    return [f, left](int fd, const void* data, std::size_t size) -> long {
        if (*left > 0) {
            const std::size_t n = std::min(size, *left);
            *left -= n;
            return ::write(fd, data, n);
        }
        if (f.lie) return static_cast<long>(size);
        errno = f.error;
        return f.error != 0 ? -1 : 0;
    };
}

constexpr FailingWrites kFailures[] = {
    {"full at once", 0, ENOSPC, false, "no more room", ENOSPC},
    {"full after 700 bytes", 700, ENOSPC, false, "no more room", ENOSPC},
    {"a write that takes nothing", 333, 0, false, "no more room", ENOSPC},
    {"an input/output error", 1100, EIO, false, "cannot open file", EIO},
    {"writes that claim what they never wrote", 900, 0, true, "no more room", ENOSPC},
};

struct Saver {
    const char* name;
    // Saves an old file at path (its bytes in `old`), then tries to save other bytes over it;
    // false when that failed, with `modified` telling whether the window is still modified (the
    // ini file, which has none: whether the failure gave a reason).
    std::function<bool(const QString& path, const FailingWrites&, QByteArray& old, bool& modified)>
        run;
};

std::vector<Saver> Savers() {
    return {
        {"diagram",
         [](const QString& path, const FailingWrites& f, QByteArray& old, bool& modified) {
             TestDiagram w("noname1.qz2");
             w.values.assign(900, 5);
             if (!w.SaveTo(path)) return true;
             old = FileBytes(path);
             w.values.assign(1200, -7);
             w.MarkModified();
             const ScopedFileWriteCall failing(FailAfter(f));
             const bool saved = w.FileSave();
             modified = w.IsModified();
             return saved;
         }},
        {"text",
         [](const QString& path, const FailingWrites& f, QByteArray& old, bool& modified) {
             TTextWin w("noname1.txt");
             w.SetText(QString(3000, 'o'));
             if (!w.SaveTo(path)) return true;
             old = FileBytes(path);
             w.SetText(QString(5000, 'n'));
             w.MarkModified();
             const ScopedFileWriteCall failing(FailAfter(f));
             const bool saved = w.FileSave();
             modified = w.IsModified();
             return saved;
         }},
        {"ini",
         [](const QString& path, const FailingWrites& f, QByteArray& old, bool& modified) {
             const QString name = QFileInfo(path).fileName();
             IniRecord record = IniRecord::ForKind(kKind2D);
             if (!WriteIni(name, record)) return true;
             old = FileBytes(path);
             record.ints[1][2] = 1234;
             const ScopedFileWriteCall failing(FailAfter(f));
             QString reason;
             const bool saved = WriteIni(name, record, &reason);
             modified = !reason.isEmpty();  // the reason goes to the log
             return saved;
         }},
    };
}

TEST_F(DiagramFlow, SavesThatFailPartWayKeepTheOldFileAndTheWindowModified) {
    for (const Saver& saver : Savers()) {
        for (const FailingWrites& failure : kFailures) {
            SCOPED_TRACE(std::string(saver.name) + ": " + failure.name);
            const QString path = std::string(saver.name) == "ini"
                                     ? platform::ConfigFilePath(QStringLiteral("failing.ini"))
                                     : Path(QStringLiteral("failing.") + saver.name);
            QFile::remove(path);
            const QDir folder = QFileInfo(path).dir();
            const auto filesBefore = folder.entryList(QDir::Files | QDir::Hidden).size() + 1;
            prompter_.messages.clear();
            bool modified = false;
            QByteArray old;
            const bool saved = saver.run(path, failure, old, modified);
            ASSERT_GT(old.size(), 1000);
            EXPECT_FALSE(saved);
            EXPECT_TRUE(modified);
            EXPECT_EQ(FileBytes(path), old);
            EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden).size(), filesBefore);
            if (std::string(saver.name) != "ini")
                EXPECT_EQ(BoxesShown(prompter_),
                          Lines{"! hmm ... | " + std::string(failure.shown) + "\n" +
                                path.toStdString() + "\n" + Reason(failure.reason)});
        }
    }
}

// A failed save names the file and the system's reason, under "no more room" when the room ran
// out and "cannot open file" for any other failure: an input/output error, a name a byte longer
// than the folder allows (a name at the longest is saved), a folder that takes no files (for
// the super-user, whom folder permissions do not bind, the write is refused with the same
// error), a full disk and a full quota. The old file keeps its bytes, nothing is left beside it
// and the window stays modified, for a diagram and a text window alike.
TEST_F(DiagramFlow, AFailedSaveShowsTheFileAndTheSystemsReason) {
    const long nameMax = ::pathconf(QFile::encodeName(dir_.path()).constData(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 16);
    const struct {
        const char* name;
        QString fileName;  // without its extension
        int injected;      // the error every write fails with; 0: none
        bool readOnlyFolder;
        const char* shown;
        int reason;
        bool oldFile = true;  // a file the name may hold is there before
    } rows[] = {
        {"an input/output error", "eio", EIO, false, "cannot open file", EIO},
        // With its extension of four characters, a byte longer than a file's name may be.
        {"a name a byte beyond the longest", QString(nameMax - 3, 'n'), 0, false,
         "cannot open file", ENAMETOOLONG, false},
        {"a folder that takes no files", "locked/kept", 0, true, "cannot open file", EACCES},
        {"a full disk", "full", ENOSPC, false, "no more room", ENOSPC},
        {"a full quota", "quota", EDQUOT, false, "no more room", EDQUOT},
    };
    const struct {
        const char* extension;
        std::function<std::unique_ptr<TFileMsgWin>()> make;  // a modified window
    } windows[] = {
        {".qz2",
         [] {
             auto w = std::make_unique<TestDiagram>("noname1.qz2");
             w->values.assign(800, 6);
             return w;
         }},
        {".txt",
         [] {
             auto w = std::make_unique<TTextWin>("noname1.txt");
             w->SetText(QString(2000, 't'));
             return w;
         }},
    };
    ASSERT_TRUE(QDir(dir_.path()).mkdir("locked"));
    for (const auto& window : windows) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + ", " + window.extension);
            const QString path = Path(row.fileName + window.extension);
            const QString folder = QFileInfo(path).path();
            const QByteArray old = row.oldFile ? QByteArray("the old file\0\xff", 14) : "";
            if (row.oldFile) ASSERT_TRUE(WriteBytes(path, old));
            const QByteArray native = QFile::encodeName(folder);
            if (row.readOnlyFolder) ASSERT_EQ(::chmod(native.constData(), 0555), 0);
            // Folder permissions do not bind the super-user: the write is refused instead.
            const bool refuse = row.readOnlyFolder && ::access(native.constData(), W_OK) == 0;
            const int injected = refuse ? EACCES : row.injected;
            const auto entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            const std::unique_ptr<TFileMsgWin> w = window.make();
            w->MarkModified();
            prompter_.messages.clear();
            bool saved = true;
            {
                const ScopedFileWriteCall failing(
                    [injected](int fd, const void* data, std::size_t size) -> long {
                        if (injected == 0) return ::write(fd, data, size);
                        errno = injected;
                        return -1;
                    });
                saved = w->SaveTo(path);
            }
            ::chmod(native.constData(), 0755);
            EXPECT_FALSE(saved);
            EXPECT_TRUE(w->IsModified());
            EXPECT_EQ(BoxesShown(prompter_), Lines{"! hmm ... | " + std::string(row.shown) + "\n" +
                                                   path.toStdString() + "\n" + Reason(row.reason)});
            EXPECT_EQ(FileBytes(path), old);
            EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), entries);
        }
    }
}

// The notebook's own mark of a change goes only with a save that reached the disk: after a full
// disk refused the diagram, the notebook's File|New still asks before it drops the text; after
// a save, the notebook is as saved. Two disks, the full one first.
TEST_F(DiagramFlow, TheNotebookStaysChangedTillItsDiagramIsSaved) {
    const QString path = Path("note.qz2");
    TestDiagram w("noname1.qz2");
    w.Notebook().SetText(NotebookText());
    w.Notebook().findChild<QPlainTextEdit*>()->insertPlainText("+");
    ASSERT_TRUE(w.Notebook().IsModified());
    {
        const ScopedFileWriteCall full([](int, const void*, std::size_t) -> long {
            errno = ENOSPC;
            return -1;
        });
        EXPECT_FALSE(w.SaveTo(path));
    }
    EXPECT_TRUE(w.IsModified());
    EXPECT_TRUE(w.Notebook().IsModified());
    prompter_.messages.clear();
    prompter_.AnswerMessage(platform::kIdCancel);
    w.Notebook().SendCommand(resources::cmd::kFileNew);
    ASSERT_EQ(prompter_.messages.size(), 1u) << "New asks before it drops the notebook";
    EXPECT_EQ(prompter_.messages[0].kind, platform::kMsgYesNoCancel);
    EXPECT_EQ(w.Notebook().Text(), "+" + NotebookText());

    ASSERT_TRUE(w.SaveTo(path));
    EXPECT_FALSE(w.IsModified());
    EXPECT_FALSE(w.Notebook().IsModified());
}

// A save through a symbolic link, or at a name a folder holds, is named by what the system says
// of the end of the chain: "could not find" for a folder that is not there or is a file, "no
// more room" for a full device, "cannot open file" for a folder, a chain that never ends and a
// pipe nobody reads, also when the disk is full, since the folder is refused before anything is
// written. The links keep their text, the window stays modified and nothing is left behind.
TEST_F(DiagramFlow, ASaveThroughLinksIsNamedByTheEndOfTheChain) {
    const QByteArray here = QFile::encodeName(dir_.path());
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    ASSERT_TRUE(WriteBytes(Path("plain"), "a file, not a folder"));
    ASSERT_EQ(::mkfifo((here + "/pipe").constData(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/full", (here + "/full").constData()), 0);
    const struct {
        const char* name;
        const char* link;  // what the saved name, a link, holds; "@" stands for the test's folder
        int injected;      // the error every write fails with; 0: none
        const char* shown;
        int reason;
    } rows[] = {
        {"a link into a folder that is not there", "@/gone/x.qz2", 0, "could not find", ENOENT},
        {"a link through a file", "plain/x.qz2", 0, "could not find", ENOTDIR},
        {"a link to a link to a full device", "full", 0, "no more room", ENOSPC},
        {"a link to a folder", "folder", 0, "cannot open file", EISDIR},
        {"a link to a folder on a full disk", "@/folder", ENOSPC, "cannot open file", EISDIR},
        {"a folder at the name on a full disk", nullptr, ENOSPC, "cannot open file", EISDIR},
        {"a link that leads to itself", "self.qz2", 0, "cannot open file", ELOOP},
        {"a link to a pipe nobody reads", "pipe", 0, "cannot open file", ENXIO},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = row.link ? Path(QStringLiteral("self.qz2")) : Path("folder");
        const QByteArray text = QByteArray(row.link ? row.link : "").replace('@', here);
        const QByteArray native = QFile::encodeName(path);
        if (row.link) ASSERT_EQ(::symlink(text.constData(), native.constData()), 0);
        const QStringList before = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden);
        TestDiagram w("noname1.qz2");
        w.values.assign(700, 3);
        w.MarkModified();
        prompter_.messages.clear();
        {
            const ScopedFileWriteCall failing(
                [injected = row.injected](int fd, const void* data, std::size_t size) -> long {
                    if (injected == 0) return ::write(fd, data, size);
                    errno = injected;
                    return -1;
                });
            EXPECT_FALSE(w.SaveTo(path));
        }
        EXPECT_TRUE(w.IsModified());
        EXPECT_EQ(BoxesShown(prompter_), Lines{"! hmm ... | " + std::string(row.shown) + "\n" +
                                               path.toStdString() + "\n" + Reason(row.reason)});
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        EXPECT_EQ(QDir(Path("folder")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{});
        if (row.link) {
            char held[PATH_MAX] = {};
            ASSERT_GT(::readlink(native.constData(), held, sizeof held - 1), 0);
            EXPECT_EQ(QByteArray(held), text);
            ASSERT_EQ(::unlink(native.constData()), 0);
        }
    }
}

// A file system of 64 KB, mounted for the test where the process may mount one (the super-user
// may), unmounted at the end.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& where) : where_(QFile::encodeName(where)) {
        mounted_ =
            ::mount("tmpfs", where_.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(where_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool Mounted() const { return mounted_; }

    // A file of its own takes every byte that is left but `room`.
    void Fill(qint64 room) const {
        QFile filler(QFile::decodeName(where_) + "/filler");
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size()) {
        }
        filler.resize(std::max<qint64>(filler.size() - room, 0));
    }

private:
    QByteArray where_;
    bool mounted_ = false;
};

TEST_F(DiagramFlow, ASaveOntoAFullDiskKeepsTheOldFileAndTheWindowModified) {
    const QString where = Path("small");
    ASSERT_TRUE(QDir().mkpath(where));
    const SmallFileSystem disk(where);
    if (!disk.Mounted()) GTEST_SKIP() << "this process may not mount a small file system";
    // A file of a few kilobytes fits in the buffer of a writer that writes only when it closes.
    const struct {
        const char* name;
        bool oldFile;       // a file saved before the disk filled
        qint64 room;        // bytes left free
        std::size_t count;  // of the values saved: 4 bytes each
    } rows[] = {{"over a file saved before", true, 0, 5000},
                {"a new file", false, 0, 5000},
                {"over a file, 4096 bytes free", true, 4096, 5000},
                {"a new file, 8192 bytes free", false, 8192, 5000},
                {"3 KB over a file saved before", true, 0, 750},
                {"a new file of 3 KB", false, 0, 750}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = where + "/" + row.name + ".qz2";
        TestDiagram w("noname1.qz2");
        w.values.assign(1000, 3);
        if (row.oldFile) ASSERT_TRUE(w.SaveTo(path));
        const QByteArray old = FileBytes(path);
        disk.Fill(row.room);
        w.values.assign(row.count, 4);
        w.MarkModified();
        prompter_.messages.clear();
        EXPECT_FALSE(w.SaveTo(path));
        EXPECT_TRUE(w.IsModified());
        EXPECT_EQ(FileBytes(path), old);
        EXPECT_EQ(QFileInfo::exists(path), row.oldFile);
        EXPECT_EQ(BoxesShown(prompter_),
                  Lines{"! hmm ... | no more room\n" + path.toStdString() + "\n" + Reason(ENOSPC)});
        EXPECT_EQ(QDir(where).entryList(QDir::Files | QDir::Hidden).size(), row.oldFile ? 2 : 1);
        QFile::remove(where + "/filler");
        QFile::remove(path);
    }
}

}  // namespace
}  // namespace quorlin
