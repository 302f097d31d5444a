#include "shell/zel_win.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/config_dir.h"
#include "platform/frame_window.h"
#include "platform/key_poll.h"
#include "platform/screen_metrics.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/col_win.h"
#include "shell/diagram_file.h"
#include "shell/help_window.h"
#include "shell/print_job.h"
#include "shell/text_win.h"

namespace quorlin {

namespace cmd = resources::cmd;

TZELWin::TZELWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TPreWin(kind, std::move(fileName), parent), iniName_(std::move(iniName)) {
    SetVersion(kGraphWindowVersion);
    useDefaults_ = FrameSettings::Load().useDefaults;
    HandleCommand(cmd::kHelp, [this] { ShowHelp({}, {}); });
}

TZELWin::~TZELWin() = default;

QSize TZELWin::OutputSize() const {
    return outputSize_.value_or(QSize(ClientWidth(), ClientHeight()));
}

QSize TZELWin::BackgroundSize() const {
    return OutputSize();
}

void TZELWin::HandleMouseMode(int id, std::unique_ptr<MouseModeHandler> handler) {
    HandleCommand(id, [this, id] { SetMouseMode(id); });
    mouseModes_.Register(id, std::move(handler));
}

void TZELWin::AddMouseModeHandler(int id, std::unique_ptr<MouseModeHandler> handler) {
    mouseModes_.Register(id, std::move(handler));
}

void TZELWin::MouseDown(const platform::MouseEvent& event) {
    if (!mouseModes_.Down(MouseMode(), event)) TPreWin::MouseDown(event);
}

void TZELWin::MouseMove(const platform::MouseEvent& event) {
    if (!mouseModes_.Move(MouseMode(), event)) TPreWin::MouseMove(event);
}

void TZELWin::MouseUp(const platform::MouseEvent& event) {
    if (!mouseModes_.Up(MouseMode(), event)) TPreWin::MouseUp(event);
}

void TZELWin::SetMouseMode(int id) {
    mouseMode_ = static_cast<std::int16_t>(id);
    UpdateMenuChecks(false);
}

// ---------------------------------------------------------------------------- placement

int TZELWin::DialogColumn() {
    return platform::ScreenMetrics().heightPixels * 2 / 3;
}

int TZELWin::DialogRow() {
    const QStyle* style = QApplication::style();
    const int caption = style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 24;
    const int menu = QFontMetrics(QApplication::font()).height() + 8;
    return caption + menu;
}

QRect TZELWin::DefaultGeometry() {
    const int side = DialogColumn();
    return QRect(0, DialogRow(), side, side);
}

QRect TZELWin::PlacementArea() const {
    // A child of the frame stays inside the frame's client area once the frame shows; any other
    // window (and a child before its frame shows) inside the screen.
    const auto* sub = qobject_cast<const QMdiSubWindow*>(OuterWidget());
    if (QMdiArea* area = sub ? sub->mdiArea() : nullptr; area && area->isVisible()) {
        return area->viewport()->rect();
    }
    const QScreen* screen = OuterWidget()->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TZELWin::ApplyIniPlacement() {
    const QRect wanted = iniPlacement_ ? QRect(iniPlacement_->x, iniPlacement_->y,
                                               iniPlacement_->width, iniPlacement_->height)
                                       : DefaultGeometry();
    OuterWidget()->setGeometry(platform::FitInside(wanted, PlacementArea()));
}

void TZELWin::Cascade(int steps) {
    const QRect area = PlacementArea();
    const QRect was = OuterWidget()->geometry();
    QRect moved = was.translated(steps * DialogRow(), steps * DialogRow());
    // Cut rather than moved back: a window moved back would cover the one it steps from.
    moved.setRight(std::min(moved.right(), area.right()));
    moved.setBottom(std::min(moved.bottom(), area.bottom()));
    moved = platform::FitInside(moved, area);
    OuterWidget()->setGeometry(moved);
    // A window moved since the last cascade starts its shift anew from where it stands.
    if (was.topLeft() != cascadedTo_) cascadeShift_ = {};
    cascadeShift_ += moved.topLeft() - was.topLeft();
    cascadedTo_ = moved.topLeft();
}

// ---------------------------------------------------------------------------- ini file

bool TZELWin::ReadIni() {
    iniRead_ = false;
    if (useDefaults_ || iniName_.isEmpty()) return false;
    const auto record = ::quorlin::ReadIni(iniName_, Kind());
    if (!record) return false;
    LoadIni(*record);
    iniRead_ = true;
    return true;
}

bool TZELWin::WriteIni() {
    if (iniName_.isEmpty()) return false;
    IniRecord record = IniRecord::ForKind(Kind());
    StoreIni(record);
    QString reason;
    if (::quorlin::WriteIni(iniName_, record, &reason)) return true;
    qWarning("Quorlin: %s: %s", qPrintable(platform::ConfigFilePath(iniName_)), qPrintable(reason));
    return false;
}

void TZELWin::StoreIni(IniRecord& record) const {
    ShellIniWords words;
    words.delay = delayMs_;
    words.styleWords = Styles().words;
    // The place a cascade came from, unless the window was moved from where the cascade put it.
    const QRect geometry = OuterWidget()->geometry();
    const QRect frame =
        geometry.topLeft() == cascadedTo_ ? geometry.translated(-cascadeShift_) : geometry;
    if (frame.width() > 0 && frame.height() > 0) {
        words.placement = WindowPlacement{frame.x(), frame.y(), frame.width(), frame.height()};
    }
    words.StoreInto(record);
    record.lastFileName = FileName().toStdString();
}

void TZELWin::LoadIni(const IniRecord& record) {
    ShellIniWords words;
    words.delay = delayMs_;
    words.styleWords = Styles().words;
    words.LoadFrom(record);
    delayMs_ = words.delay;
    Styles().words = words.styleWords;
    iniPlacement_ = words.placement;
    lastFileOfIni_ = QString::fromStdString(record.lastFileName);
}

int TZELWin::LoadStartFile(bool openLast) {
    return TFileMsgWin::LoadStartFile(lastFileOfIni_, openLast);
}

bool TZELWin::WillLoadStartFile(bool openLast) const {
    return !StartFileToLoad(lastFileOfIni_, openLast).isEmpty();
}

void TZELWin::SetupWindow() {
    TPreWin::SetupWindow();
    ReadIni();
    // A window its creator already sized keeps that size.
    if (!testAttribute(Qt::WA_Resized)) ApplyIniPlacement();
    UpdateMenuChecks(true);
}

void TZELWin::CleanupWindow() {
    WriteIni();
    TPreWin::CleanupWindow();
}

// ---------------------------------------------------------------------------- colours

void TZELWin::ChooseColor(int role) {
    OpenColorPicker(
        Roles().CaptionId(role),
        [this, role](int index) { Roles().SetRole(role, static_cast<std::int16_t>(index)); },
        Roles().Role(role));
}

void TZELWin::OpenColorPicker(int captionId, std::int16_t* target, int current,
                              const QString& text) {
    OpenColorPicker(
        captionId, [target](int index) { *target = static_cast<std::int16_t>(index); }, current,
        text);
}

void TZELWin::OpenColorPicker(int captionId, std::function<void(int)> target, int current,
                              const QString& text) {
    if (!palette_) {
        palette_ = new TColWin(GetPalette());
        AttachHidden(palette_, this);
    }
    const QString caption = text.isEmpty() ? resources::LoadString(captionId) : text;
    palette_->Open(caption, current, [this, target = std::move(target)](int index) {
        target(index);
        MarkModified();
        InvalidateImage(ImageLayer::Background);
        Invalidate();
    });
}

bool TZELWin::IsPaletteShown() const {
    return palette_ && !palette_->IsHidden();
}

QString TZELWin::CurrentValueLabel(char letter) {
    QString label = resources::LoadString(kStrCurrentValue);
    const qsizetype x = label.lastIndexOf(QLatin1Char('x'));
    if (x >= 0) label[x] = QLatin1Char(letter);
    return label;
}

// ---------------------------------------------------------------------------- attached windows

TTextWin& TZELWin::PlainTextWindow() {
    if (!plainText_) {
        plainText_ = new TTextWin(QStringLiteral("inventory.txt"));
        plainText_->SetHideOnClose(true);
        AttachHidden(plainText_, this);
    }
    return *plainText_;
}

void TZELWin::AttachTableWindow(TTableWin* table) {
    table_ = table;
    table->SetHideOnClose(true);
    AttachHidden(table, this);
}

void TZELWin::ShowHelp(const QString& helpName, const QString& topic) {
    if (!help_) help_ = new HelpWindow(this);
    help_->ShowHelp(helpName.isEmpty() ? HelpName() : helpName, topic);
}

void TZELWin::HideWindow() {
    if (help_) help_->hide();
    if (table_) table_->HideWindow();
    if (palette_) palette_->HideWindow();
    TPreWin::HideWindow();
}

// ---------------------------------------------------------------------------- other devices

void TZELWin::MeasurePrintScale(const platform::DeviceContext& dc) {
    const int screen = platform::ScreenMetrics().pixelsPerInchX;
    output_.printScale =
        screen > 0 ? static_cast<double>(dc.Metrics().pixelsPerInchX) / screen : 1.0;
}

void TZELWin::ScaleFontsBy(bool on, int factor) {
    output_.highResolutionFactor = on ? factor : 1;
    ScaleFonts(on, WindowFonts::kScreenDpi * (on ? factor : 1));
}

// ---------------------------------------------------------------------------- printing

int TZELWin::OutputFontDpi() const {
    if (Printing().printing) {
        return std::max(
            1, static_cast<int>(std::lround(WindowFonts::kScreenDpi * output_.printScale)));
    }
    return WindowFonts::kScreenDpi * std::max(output_.highResolutionFactor, 1);
}

double TZELWin::ImageScale() const {
    if (Printing().printing) return output_.printScale;
    return std::max(output_.highResolutionFactor, 1);
}

bool TZELWin::PrintOn(platform::DeviceContext& dc, const platform::PixelRect& area, bool colour) {
    Printing() = PrintState{true, colour};
    MeasurePrintScale(dc);
    const PrintedImage image =
        FitPrintedImage(QSize(ClientWidth(), ClientHeight()), area, output_.printScale);
    output_.printScale = image.scale;
    ScaleFonts(true, OutputFontDpi());
    outputSize_ = QSize(image.rect.Width(), image.rect.Height());
    dc.Painter().save();
    dc.SetClipRect(image.rect);
    dc.Painter().translate(image.rect.left, image.rect.top);
    const int result = DrawForOutput(dc);
    dc.Painter().restore();
    outputSize_.reset();
    ScaleFonts(false, 0);
    output_.printScale = 1.0;
    PrepareScreenImage();
    return result != kKeyStop;
}

int TZELWin::DrawForOutput(platform::DeviceContext& dc) {
    // What the screen's picture layers show, in the same order (RenderImage).
    PaintBackground(dc);
    if (const int stop = DrawAll(dc); stop != 0) return stop;
    return DrawPicture(dc);
}

platform::PrintResult TZELWin::PrintTo(platform::Printer& printer) {
    TZELWin* const self = this;
    return PrintWindows(std::span<TZELWin* const>(&self, 1), printer);
}

void TZELWin::Print() {
    platform::Printer& printer = SharedPrinter();
    if (!printer.SelectPrinter(this)) return;
    if (PrintTo(printer) == platform::PrintResult::CannotStart) {
        platform::ErrorMsg(this, kErrCannotOpenFile);
    }
}

platform::PrintResult TZELWin::PrintDiagramFiles(const QStringList& files,
                                                 platform::Printer& printer) {
    if (files.isEmpty()) return platform::PrintResult::NothingToPrint;
    if (files.size() > platform::kMaxDiagramsPerJob) {
        return platform::PrintResult::TooManyDiagrams;
    }
    // The window's own diagram waits in a file of its own while the others pass through.
    QTemporaryFile keep(QDir::tempPath() + QStringLiteral("/quorlin-print-XXXXXX"));
    if (!keep.open()) return platform::PrintResult::CannotStart;
    keep.close();
    DiagramWriter snapshot = OpenWrite();
    if (WriteBody(snapshot.Body()) != kNoError || !snapshot.Save(keep.fileName())) {
        return platform::PrintResult::CannotStart;
    }
    // What the file does not keep: whether the diagram was unlocked in this session.
    const FileProtection protection = Protection();
    const bool modified = IsModified();
    const bool colour = printer.IsColor();
    std::vector<platform::DiagramPainter> painters;
    for (const QString& file : files) {
        painters.push_back(
            [this, file, colour](platform::DeviceContext& dc, const platform::PixelRect& area) {
                // A file that cannot be read leaves its cell empty.
                return ReadFile(file) != kNoError || PrintOn(dc, area, colour);
            });
    }
    simultaneousPrinting_ = true;
    const platform::PrintResult result =
        printer.Print(QFileInfo(files.front()).fileName(), painters,
                      LayoutForDiagrams(static_cast<int>(files.size())));
    ReadFile(keep.fileName());
    Protection() = protection;
    simultaneousPrinting_ = false;
    if (modified) MarkModified();
    PrepareScreenImage();
    return result;
}

// ---------------------------------------------------------------------------- chain

void TZELWin::ResetWindow() {
    TPreWin::ResetWindow();
    output_.animationFrame = false;
    output_.noPolling = false;
    InvalidateImage(ImageLayer::Background);
}

void TZELWin::UpdateMenuChecks(bool flag) {
    for (int id = cmd::kMouseFirst; id <= cmd::kMouseLast; ++id) CheckMenu(id, id == mouseMode_);
    TPreWin::UpdateMenuChecks(flag);
}

bool TZELWin::OnCommand(int id) {
    // A window without help text of its own leaves the command to the frame's help.
    if (id == cmd::kHelp && HelpName().isEmpty()) return false;
    return TPreWin::OnCommand(id);
}

}  // namespace quorlin
