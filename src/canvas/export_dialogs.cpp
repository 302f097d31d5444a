#include "canvas/export_dialogs.h"

#include "canvas/export_format.h"

#include <optional>

namespace quorlin::canvas {
namespace {

std::optional<int> ReadInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<long double> ReadLongDouble(const QString& text) {
    long double value = 0;
    if (!StrToLD(ToLatin1(text), value)) return std::nullopt;
    return value;
}

QString ShowLongDouble(long double value) {
    return QString::fromStdString(FormatLf(value, 4, 2));
}

}  // namespace

TeXDialogFields TeXDialogLogic::SetUp() const {
    TeXDialogFields f;
    f.width = ShowLongDouble(values_.pictureWidth);
    f.boxNumber = QString::number(values_.boxNumber);
    f.checkedKind = values_.outputKind;
    f.radius = values_.whitespaceRadius < 0 ? QStringLiteral("0.0")
                                            : ShowLongDouble(values_.whitespaceRadius);
    f.pages = false;
    f.frameCount = QString::number(values_.frameCount);
    f.parameters = QString::fromLatin1(values_.parameterNames.c_str());
    return f;
}

TeXDialogVisibility TeXDialogLogic::Visibility(bool pagesChecked) const {
    TeXDialogVisibility v;
    v.pages = values_.framesAllowed != kNoFrames;
    v.frameCount = pagesChecked;
    v.parameters = pagesChecked && values_.framesAllowed != kFramesWithoutParameters;
    v.radius = values_.whitespaceRadius >= 0;
    return v;
}

int TeXDialogLogic::CanClose(const TeXDialogFields& fields) {
    TeXDialogValues read = values_;
    if (fields.checkedKind < kTexStandalone || fields.checkedKind > kTexInsertable)
        return kErrorInconsistentData;
    read.outputKind = fields.checkedKind;

    const auto box = ReadInt(fields.boxNumber);
    if (!box) return kErrorInconsistentData;
    if ((read.outputKind == kTexStandalone || read.outputKind == kLatexStandalone) &&
        (*box < 0 || *box > 255))
        return kErrorInconsistentData;
    read.boxNumber = *box;

    if (values_.framesAllowed != kNoFrames && fields.pages) {
        const auto count = ReadInt(fields.frameCount);
        if (!count || *count < 1 || *count > 999999) return kErrorInconsistentData;
        read.frameCount = *count;
        read.parameterNames = ToLatin1(fields.parameters.left(kParameterLimit - 1));
    } else {
        read.frameCount = 1;
    }

    if (values_.whitespaceRadius >= 0) {
        const auto radius = ReadLongDouble(fields.radius);
        if (!radius || *radius < 0) return kErrorInconsistentData;
        read.whitespaceRadius = *radius;
    }

    const auto width = ReadLongDouble(fields.width);
    if (!width || !(*width >= 0.1L)) return kErrorInconsistentData;
    read.pictureWidth = *width;

    values_ = read;
    return 0;
}

SvgDialogFields SvgDialogLogic::SetUp() const {
    return {QString::number(values_.width), QString::number(values_.height)};
}

int SvgDialogLogic::CanClose(const SvgDialogFields& fields) {
    for (auto [text, target] :
         {std::pair{&fields.width, &values_.width}, std::pair{&fields.height, &values_.height}}) {
        const auto value = ReadInt(*text);
        *target = value.value_or(0);
        if (*target < kMinimumSize) return kErrorOutOfBounds;
    }
    return 0;
}

}  // namespace quorlin::canvas
