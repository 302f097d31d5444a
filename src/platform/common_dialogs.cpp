#include "platform/common_dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
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

// QFontDialog without buttons of its own, with a colour button beside it.
std::optional<std::pair<QFont, QColor>> RunFontAndColourDialog(QWidget* parent,
                                                               const QString& caption,
                                                               const QFont& font, QColor color) {
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* fonts = new QFontDialog(font, &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons);
    auto* colourButton = new QPushButton(QObject::tr("Colour ..."), &dialog);
    colourButton->setIcon(ColourSwatch(color));
    QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(color, &dialog, caption);
        if (!chosen.isValid()) return;
        color = chosen;
        colourButton->setIcon(ColourSwatch(color));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colourButton);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(bottom);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return std::pair{fonts->currentFont(), color};
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
    QString ext = extension.trimmed();
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

// --- CommonDialogs ---

std::optional<QString> CommonDialogs::OpenFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    const std::optional<QString> chosen = RunFileDialog(parent, FileDialogMode::Open, request);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    QString name = *chosen;
    if (!QFileInfo::exists(name)) name = WithDefaultExtension(name, request.defaultExtension);
    if (!QFileInfo(name).isFile()) return std::nullopt;
    return name;
}

std::optional<QString> CommonDialogs::SaveFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    const std::optional<QString> chosen = RunFileDialog(parent, FileDialogMode::Save, request);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString name = WithDefaultExtension(*chosen, request.defaultExtension);
    if (QFileInfo(name).isDir()) return std::nullopt;
    return name;
}

std::optional<FontChoice> CommonDialogs::ChooseFont(QWidget* parent, const QString& caption,
                                                    const FontChoice& initial) {
    std::optional<FontChoice> choice = RunFontDialog(parent, caption, initial);
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
    QString directory = request.directory;
    if (directory.isEmpty() && request.fileName.contains(QLatin1Char('/'))) {
        directory = QFileInfo(request.fileName).path();
    }
    QFileDialog dialog(parent, request.title, directory);
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
    const auto chosen =
        RunFontAndColourDialog(parent, caption, FontOfChoice(initial), initial.color);
    if (!chosen) return std::nullopt;
    return ChoiceOfFont(chosen->first, chosen->second, ScreenMetrics().pixelsPerInchY);
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

std::optional<FontChoice> ScriptedCommonDialogs::RunFontDialog(QWidget*, const QString&,
                                                               const FontChoice& initial) {
    fontAsks.push_back(initial);
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
