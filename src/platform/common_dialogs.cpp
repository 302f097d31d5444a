#include "platform/common_dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/screen_metrics.h"
#include "platform/service_slot.h"

namespace quorlin::platform {

namespace {

// "*.qz2" -> {"*.qz2", "*.QZ2"}; patterns without letters stay single.
void AddCaseVariants(const QString& pattern, QStringList& patterns) {
    for (const QString& variant : {pattern.toLower(), pattern.toUpper()}) {
        if (!patterns.contains(variant)) patterns.append(variant);
    }
}

// The description without the pattern list it shows in parentheses at its end.
QString DescriptionLabel(const QString& description) {
    const QString text = description.trimmed();
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    if (text.endsWith(QLatin1Char(')')) && open > 0) return text.left(open).trimmed();
    return text;
}

QString NameFilter(const QString& description, const QString& patternList) {
    QStringList patterns;
    for (const QString& pattern : patternList.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!pattern.trimmed().isEmpty()) AddCaseVariants(pattern.trimmed(), patterns);
    }
    if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
    QString label = DescriptionLabel(description);
    if (label.isEmpty()) label = patterns.first();
    return label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QPixmap ColourSwatch(const QColor& color) {
    QPixmap swatch(24, 16);
    swatch.fill(color);
    return swatch;
}

ServiceSlot<CommonDialogs, QtCommonDialogs>& Slot() {
    static ServiceSlot<CommonDialogs, QtCommonDialogs> slot;
    return slot;
}

template <typename Answer>
std::optional<Answer> NextAnswer(std::deque<std::optional<Answer>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<Answer> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

// --- FontAndColourDialog ---

FontAndColourDialog::FontAndColourDialog(QWidget* parent, const QString& caption, const QFont& font,
                                         const QColor& color)
    : QDialog(parent), fonts_(new QFontDialog(font, this)), color_(color) {
    setWindowTitle(caption);
    // The font lists are a dialog of their own inside this one: whatever ends them (Escape in
    // one of their fields above all) ends the whole chooser, which would otherwise stay open
    // with nothing but its buttons.
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons);
    connect(fonts_, &QDialog::rejected, this, &QDialog::reject);
    connect(fonts_, &QDialog::accepted, this, &QDialog::accept);
    // Enter, which the font lists would swallow for want of a button of their own, is OK.
    fonts_->installEventFilter(this);
    auto* colourButton = new QPushButton(tr("Colour ..."), this);
    colourButton->setIcon(ColourSwatch(color_));
    connect(colourButton, &QPushButton::clicked, this, [this, colourButton, caption] {
        const QColor chosen = QColorDialog::getColor(color_, this, caption);
        if (!chosen.isValid()) return;
        color_ = chosen;
        colourButton->setIcon(ColourSwatch(color_));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colourButton);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(bottom);
}

bool FontAndColourDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fonts_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QFont FontAndColourDialog::SelectedFont() const {
    return fonts_->currentFont();
}

QString FontCaption(const FontChoice& font) {
    return QStringLiteral("%1 %2").arg(font.font.faceName).arg(font.pointSizeTenths / 10.0);
}

QStringList ToQtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        if (description.trimmed().isEmpty() && patterns.trimmed().isEmpty()) continue;
        filters.append(NameFilter(description, patterns));
    }
    return filters;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    // Callers name extensions in capitals ("SVG"); a file added on Linux gets the lower-case
    // one that the filters list first and that other programs look for.
    QString ext = extension.trimmed().toLower();
    while (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty()) return path;
    if (name.endsWith(QLatin1Char('.'))) return path.chopped(1);
    if (name.contains(QLatin1Char('.')) || ext.isEmpty()) return path;
    return path + QLatin1Char('.') + ext;
}

QFont FontOfChoice(const FontChoice& choice) {
    QFont font = ToQFont(choice.font);
    font.setPointSizeF(std::max(choice.pointSizeTenths, 10) / 10.0);
    return font;
}

FontChoice ChoiceOfFont(const QFont& font, const QColor& color, int pixelsPerInch) {
    FontChoice choice;
    QFont sized = font;
    if (font.pointSizeF() <= 0) {
        sized.setPointSizeF(FontPointsForHeight(font.pixelSize(), pixelsPerInch));
    }
    choice.font = FontSpecFromQFont(sized, pixelsPerInch);
    choice.pointSizeTenths = static_cast<int>(std::lround(sized.pointSizeF() * 10));
    choice.color = color;
    return choice;
}

QString& LastFileFolder() {
    static QString folder;
    return folder;
}

QString StartFolder(const FileDialogRequest& request) {
    if (!request.directory.isEmpty()) return request.directory;
    const QFileInfo proposed(request.fileName);
    if (!request.fileName.isEmpty() && proposed.isAbsolute()) return proposed.absolutePath();
    if (!LastFileFolder().isEmpty()) return LastFileFolder();
    return QDir::homePath();
}

// --- CommonDialogs ---

std::optional<QString> CommonDialogs::OpenFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    asked.directory = StartFolder(request);
    const std::optional<QString> chosen = RunFileDialog(parent, FileDialogMode::Open, asked);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    QString name = *chosen;
    if (!QFileInfo::exists(name)) name = WithDefaultExtension(name, request.defaultExtension);
    if (!QFileInfo(name).isFile()) return std::nullopt;
    LastFileFolder() = QFileInfo(name).absolutePath();
    return name;
}

std::optional<QString> CommonDialogs::SaveFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    asked.directory = StartFolder(request);
    const std::optional<QString> chosen = RunFileDialog(parent, FileDialogMode::Save, asked);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString name = WithDefaultExtension(*chosen, request.defaultExtension);
    if (QFileInfo(name).isDir()) return std::nullopt;
    LastFileFolder() = QFileInfo(name).absolutePath();
    return name;
}

std::optional<FontChoice> CommonDialogs::ChooseFont(QWidget* parent, const QString& caption,
                                                    const FontChoice& initial) {
    std::optional<FontChoice> choice =
        RunFontDialog(parent, caption.isEmpty() ? FontCaption(initial) : caption, initial);
    if (!choice) return std::nullopt;
    choice->font.escapement = initial.font.escapement;
    return choice;
}

std::optional<QColor> CommonDialogs::ChooseColor(QWidget* parent, const QString& caption,
                                                 const QColor& initial) {
    std::optional<QColor> color = RunColorDialog(parent, caption, initial);
    if (!color || !color->isValid()) return std::nullopt;
    return color;
}

// --- QtCommonDialogs ---

std::optional<QString> QtCommonDialogs::RunFileDialog(QWidget* parent, FileDialogMode mode,
                                                      const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setNameFilters(ToQtNameFilters(request.filter));
    if (mode == FileDialogMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks its own overwrite question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!request.fileName.isEmpty()) dialog.selectFile(QFileInfo(request.fileName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<FontChoice> QtCommonDialogs::RunFontDialog(QWidget* parent, const QString& caption,
                                                         const FontChoice& initial) {
    FontAndColourDialog dialog(parent, caption, FontOfChoice(initial), initial.color);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ChoiceOfFont(dialog.SelectedFont(), dialog.SelectedColor(),
                        ScreenMetrics().pixelsPerInchY);
}

std::optional<QColor> QtCommonDialogs::RunColorDialog(QWidget* parent, const QString& caption,
                                                      const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent, caption);
    if (!color.isValid()) return std::nullopt;
    return color;
}

// --- ScriptedCommonDialogs ---

std::optional<QString> ScriptedCommonDialogs::RunFileDialog(QWidget*, FileDialogMode mode,
                                                            const FileDialogRequest& request) {
    fileAsks.push_back({mode, request});
    return NextAnswer(fileAnswers);
}

std::optional<FontChoice> ScriptedCommonDialogs::RunFontDialog(QWidget*, const QString& caption,
                                                               const FontChoice& initial) {
    fontAsks.push_back(initial);
    fontCaptions.push_back(caption);
    return NextAnswer(fontAnswers);
}

std::optional<QColor> ScriptedCommonDialogs::RunColorDialog(QWidget*, const QString&,
                                                            const QColor& initial) {
    colorAsks.push_back(initial);
    return NextAnswer(colorAnswers);
}

CommonDialogs& CurrentCommonDialogs() {
    return Slot().Current();
}

void SetCommonDialogs(CommonDialogs* dialogs) {
    Slot().Replace(dialogs);
}

}  // namespace quorlin::platform
