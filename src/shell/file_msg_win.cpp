#include "shell/file_msg_win.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/file_strings.h"
#include "core/text_helpers.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/frame_window.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/diagram_file.h"
#include "shell/document_host.h"
#include "shell/note_win.h"
#include "shell/window_kinds.h"

namespace quorlin {
namespace {

// The longest password or author line the input box takes.
constexpr int kPasswordLength = 255;

// The largest background the program shows, a side of an 8K screen either way, and what a file
// of an image of a given size can take: four bytes a pixel and one a row uncompressed, and room
// for the colour profile and notes that paint programs and cameras add.
constexpr int kMaxBackgroundSide = 8192;
constexpr std::int64_t kBackgroundMetadataBytes = 1 << 20;
std::int64_t MostBackgroundBytes(QSize size) {
    return 4LL * size.width() * size.height() + size.height() + kBackgroundMetadataBytes;
}

// The image of a background file's bytes, its size told by its header before anything is
// decoded; 0, or the error that refused it (too large, or no image of a known format).
int DecodeBackground(const std::vector<std::uint8_t>& bytes, QImage& out) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) return kErrCannotOpenFile;
    if (size.width() > kMaxBackgroundSide || size.height() > kMaxBackgroundSide ||
        static_cast<std::int64_t>(bytes.size()) > MostBackgroundBytes(size))
        return kErrTooLarge;
    out = reader.read();
    return out.isNull() ? kErrCannotOpenFile : kNoError;
}

}  // namespace

void AttachHidden(platform::Window* window, QWidget* owner) {
    window->platform::Window::HideWindow();
    platform::ShowOwnedWindow(window, owner);
}

TFileMsgWin::TFileMsgWin(int kind, QString fileName, QWidget* parent)
    : platform::Window(parent),
      kind_(kind),
      fileName_(std::move(fileName)),
      version_(kProgramVersion) {
    SetCaption(NormalCaption());
    HandleCommand(resources::cmd::kFileNew, [this] {
        if (AskToSaveChanges()) NewDiagram();
    });
    HandleCommand(resources::cmd::kFileOpen, [this] { FileOpen(); });
    HandleCommand(resources::cmd::kFileSave, [this] { FileSave(); });
    HandleCommand(resources::cmd::kFileSaveAs, [this] { FileSaveAs(); });
    HandleCommand(resources::cmd::kClose, [this] { CloseWindow(); });
}

TFileMsgWin::~TFileMsgWin() = default;

void TFileMsgWin::SetFileName(const QString& name) {
    fileName_ = name;
    if (!keyHintShown_) SetCaption(NormalCaption());
}

QString TFileMsgWin::NormalCaption() const {
    return QFileInfo(fileName_).fileName();
}

void TFileMsgWin::UpdateCaption() {
    keyHintShown_ = false;
    SetCaption(NormalCaption());
}

void TFileMsgWin::ShowKeyHint(int kind, int count1, int count2) {
    QString hint = resources::LoadString(kKeyHintBase + kind);
    if (count1 > 0) hint += QStringLiteral(" %1").arg(count1);
    if (count2 > 0) hint += QStringLiteral("/%1").arg(count2);
    keyHintShown_ = true;
    SetCaption(hint);
}

void TFileMsgWin::CheckMenu(int id, bool checked) {
    SetCommandChecked(id, checked);
}

void TFileMsgWin::UpdateMenuChecks(bool) {}

void TFileMsgWin::HideWindow() {
    if (notebook_) notebook_->HideWindow();
    platform::Window::HideWindow();
}

void TFileMsgWin::Notify(int) {}

void TFileMsgWin::ResetWindow() {
    protection_.ClearProtection();
    if (notebook_) notebook_->SetText(QString());
    background_ = BackgroundBitmap{};
}

void TFileMsgWin::NewDiagram() {
    ResetWindow();
    SetFileName(resources::LoadString(kStrNoname) + QLatin1Char('.') + DefaultExtension());
    hasFile_ = false;
    ClearModified();
    UpdateMenuChecks(true);
    UpdateCaption();
}

void TFileMsgWin::ShowHelp(const QString&, const QString&) {}

void TFileMsgWin::CleanupWindow() {
    // The attached notebook lives in its own top-level host; it goes with this window.
    if (notebook_) notebook_->OuterWidget()->deleteLater();
}

// ---------------------------------------------------------------------------- open and save

QString TFileMsgWin::FileFilter() const {
    const QString ext = DefaultExtension();
    return QStringLiteral("Diagrams (*.%1)|*.%2").arg(ext.toUpper(), ext);
}

QString TFileMsgWin::DefaultExtension() const {
    switch (kind_) {
        case kKind2D:
            return QStringLiteral("qz2");
        case kKind3D:
            return QStringLiteral("qz3");
        default:
            return QFileInfo(fileName_).suffix();
    }
}

bool TFileMsgWin::FileOpen() {
    platform::FileDialogRequest request;
    request.filter = FileFilter();
    request.defaultExtension = DefaultExtension();
    request.fileName = fileName_;
    const auto name = platform::CurrentCommonDialogs().OpenFileName(this, request);
    return name && OpenChosenFile(*name);
}

bool TFileMsgWin::BelongsToOtherKind(const QString& path) const {
    if (kind_ == 0 || !KindOfFile(path)) return false;
    return QFileInfo(path).suffix().compare(DefaultExtension(), Qt::CaseInsensitive) != 0;
}

bool TFileMsgWin::OpenChosenFile(const QString& path) {
    auto* host = dynamic_cast<DocumentHost*>(HostFrame());
    if (platform::Window* holder = host ? host->WindowOfFile(path) : nullptr) {
        host->ActivateWindow(holder);
        return false;
    }
    if (hasFile_ && SameFile(path, fileName_)) return false;  // already this window's
    if (BelongsToOtherKind(path)) {
        // Read into this window, it would take over settings it cannot show (a log-log view in
        // a plain window, a domain without its range).
        if (!host || !host->OpenByExtension(path)) platform::ErrorMsg(this, kErrCannotOpenFile);
        return false;
    }
    return AskToSaveChanges() && Load(path) == kNoError;
}

bool TFileMsgWin::CanClose() {
    if (!IsModified()) return platform::Window::CanClose();
    return AskToSaveChanges();
}

bool TFileMsgWin::AskToSaveChanges() {
    if (!IsModified()) return true;
    const QString name = QFileInfo(fileName_).fileName();
    switch (platform::MsgBox(this, QStringLiteral("Quorlin"),
                             tr("Save the changes to %1?").arg(name), platform::kMsgYesNoCancel)) {
        case platform::kIdYes:
            return FileSave();
        case platform::kIdNo:
            return true;
        default:
            return false;
    }
}

bool TFileMsgWin::FileSave() {
    if (!hasFile_) return FileSaveAs();
    return SaveTo(fileName_);
}

bool TFileMsgWin::FileSaveAs() {
    platform::FileDialogRequest request;
    request.filter = FileFilter();
    request.defaultExtension = DefaultExtension();
    request.fileName = fileName_;
    const auto name = platform::CurrentCommonDialogs().SaveFileName(this, request);
    if (!name || !ConfirmOverwrite(*name)) return false;
    return SaveTo(*name);
}

int TFileMsgWin::Load(const QString& path) {
    const int error = ReadFile(path);
    if (error != kNoError) {
        if (error != kErrAlreadyReported) platform::ErrorMsg(this, error);
        return error;
    }
    SetFileName(path);
    hasFile_ = true;
    ClearModified();
    UpdateMenuChecks(true);
    UpdateCaption();
    return kNoError;
}

bool TFileMsgWin::SaveTo(const QString& path) {
    QString reason;
    const int error = WriteFile(path, &reason);
    if (error != kNoError) {
        if (error != kErrAlreadyReported) platform::FileErrorMsg(this, error, path, reason);
        return false;
    }
    SetFileName(path);
    hasFile_ = true;
    ClearModified();
    // The notebook is saved with the diagram only once the file is on the disk.
    if (notebook_) notebook_->ClearModified();
    UpdateCaption();
    return true;
}

QString TFileMsgWin::StartFileToLoad(const QString& lastFileOfIni, bool openLast) const {
    if (!startFile_.isEmpty()) return startFile_;
    if (openLast && !lastFileOfIni.isEmpty() && QFileInfo::exists(lastFileOfIni)) {
        return lastFileOfIni;
    }
    return {};
}

int TFileMsgWin::LoadStartFile(const QString& lastFileOfIni, bool openLast) {
    const QString start = StartFileToLoad(lastFileOfIni, openLast);
    startFile_.clear();
    return start.isEmpty() ? kErrCouldNotFind : Load(start);
}

bool TFileMsgWin::ConfirmOverwrite(const QString& path) {
    if (noOverwriteQuestion_ || !QFileInfo::exists(path)) return true;
    return platform::MsgBox(this, resources::LoadString(kStrCareful),
                            resources::LoadString(kStrOverwriteExisting),
                            platform::kMsgYesNo) == platform::kIdYes;
}

int TFileMsgWin::ReadFile(const QString& path) {
    DiagramReader reader;
    int error = OpenRead(path, reader);
    if (error != kNoError) return error;
    readingVersion_ = reader.Version();
    try {
        error = ReadBody(reader.Body(), readingVersion_);
    } catch (const std::bad_alloc&) {
        // What a file asks beyond the memory leaves the open diagram as it was.
        error = kErrNoMoreRoom;
    }
    if (error == kNoError && reader.Body().Failed()) error = kErrCannotOpenFile;
    if (error != kNoError) {
        DiscardRead();
        return error;
    }
    CommitRead();
    return kNoError;
}

int TFileMsgWin::WriteFile(const QString& path, QString* reason) {
    DiagramWriter writer = OpenWrite();
    const int error = WriteBody(writer.Body());
    if (error != kNoError) return error;
    return SaveWholeFile(path, writer.Bytes(), reason);
}

int TFileMsgWin::ReadBody(ByteReader&, int) {
    return kNoError;
}

void TFileMsgWin::CommitRead() {
    protection_ = pendingProtection_.value_or(FileProtection{});
    if (pendingNotebook_ && !pendingNotebook_->empty()) {
        Notebook().SetText(FromWindows1252(*pendingNotebook_));
        Notebook().ClearModified();
        if (ShowsReadNotebook()) Notebook().ShowWindow();
    } else if (notebook_) {
        notebook_->SetText(QString());
        notebook_->ClearModified();
    }
    DiscardRead();
}

void TFileMsgWin::DiscardRead() {
    pendingProtection_.reset();
    pendingNotebook_.reset();
}

int TFileMsgWin::WriteBody(ByteWriter&) {
    return kNoError;
}

DiagramWriter TFileMsgWin::OpenWrite(int kind) const {
    return DiagramWriter(kind == 0 ? kind_ : kind, version_);
}

int TFileMsgWin::OpenRead(const QString& path, DiagramReader& reader) {
    return reader.Open(path, kind_, kProgramVersion);
}

// ---------------------------------------------------------------------------- protection

bool TFileMsgWin::CheckPassword(int mask) {
    if (!protection_.NeedsPassword(mask)) return true;
    platform::InputRequest request;
    request.title = QStringLiteral("password");
    request.prompt = QStringLiteral("This diagram is protected. Password:");
    request.maxLength = kPasswordLength;
    QString answer;
    if (platform::CurrentPrompter().Input(this, request, &answer) != platform::kIdOk) return false;
    const auto bytes = ToWindows1252(answer);
    return bytes && protection_.TryUnlock(*bytes);
}

int TFileMsgWin::ReadProtection(ByteReader& in, int mask) {
    FileProtection read;
    read.SetMaskFromFile(mask);
    const int error = read.ReadProtection(in);
    if (error == kNoError) pendingProtection_ = std::move(read);
    return error;
}

// ---------------------------------------------------------------------------- notebook

TNoteWin& TFileMsgWin::Notebook() {
    if (!notebook_) {
        notebook_ = new TNoteWin(this);
        AttachHidden(notebook_, this);
    }
    return *notebook_;
}

bool TFileMsgWin::NotebookPresent() const {
    return notebook_ && !notebook_->Text().isEmpty();
}

bool TFileMsgWin::NotebookShown() const {
    return notebook_ && !notebook_->IsHidden();
}

int TFileMsgWin::NotebookFileText(std::string& out) {
    const QString text = notebook_ ? notebook_->Text() : QString();
    const auto bytes = ToWindows1252(text);
    if (!bytes) {
        platform::MsgBox(this, resources::LoadString(platform::kStrHmmCaption),
                         QStringLiteral("The notebook holds characters that a diagram file "
                                        "cannot store; the diagram was not saved."),
                         platform::kMsgOk);
        return kErrAlreadyReported;
    }
    if (bytes->size() > kMaxNotebookLength) {
        platform::MsgBox(this, resources::LoadString(platform::kStrHmmCaption),
                         QStringLiteral("The notebook holds %1 characters; a diagram file stores "
                                        "at most %2. Shorten the notebook and save again.")
                             .arg(bytes->size())
                             .arg(kMaxNotebookLength),
                         platform::kMsgOk);
        return kErrAlreadyReported;
    }
    out = *bytes;
    return kNoError;
}

int TFileMsgWin::WriteNotebook(ByteWriter& out) {
    std::string text;
    if (const int error = NotebookFileText(text)) return error;
    ::quorlin::WriteNotebook(out, text);
    return kNoError;
}

int TFileMsgWin::ReadNotebook(ByteReader& in) {
    std::string text;
    const int error = ::quorlin::ReadNotebook(in, text);
    if (error == kNoError) pendingNotebook_ = std::move(text);
    return error;
}

// ---------------------------------------------------------------------------- background bitmap

std::optional<QString> TFileMsgWin::BitmapFileName() const {
    const auto name = ::quorlin::BitmapFileName(fileName_.toStdString());
    if (!name) return std::nullopt;
    return QString::fromStdString(*name);
}

int TFileMsgWin::LoadBitmapFile() {
    if (background_.fileName.isEmpty() || !QFileInfo::exists(background_.fileName)) {
        return kErrCouldNotFind;
    }
    const QSize largest(kMaxBackgroundSide, kMaxBackgroundSide);
    const auto bytes = ReadWholeFile(background_.fileName, MostBackgroundBytes(largest));
    if (!bytes) return kErrCannotOpenFile;
    QImage image;
    if (const int error = DecodeBackground(*bytes, image)) return error;
    background_.image = std::move(image);
    background_.present = true;
    background_.loadedFromFile = true;
    return kNoError;
}

}  // namespace quorlin
