#include "canvas/export_format.h"

#include "platform/text_codec.h"
#include "shell/palette.h"

#include <cstdarg>
#include <cstdio>

namespace quorlin::canvas {

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list probe;
    va_copy(probe, args);
    const int needed = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(needed));
    }
    va_end(args);
    return out;
}

std::string PaddedFrameNumber(int n, int digits) {
    std::string text = std::to_string(n);
    PadToWidth(digits, text, '0');
    return text;
}

QString FrameFilePath(const QString& baseName, int frame, int frameCount, int digits,
                      QStringView extension) {
    QString path = baseName;
    if (frameCount > 1) path += QString::fromStdString(PaddedFrameNumber(frame, digits));
    return path + extension.toString();
}

int FrameDigits(int count) {
    int digits = 1;
    for (int threshold : {9, 99, 999, 9999, 99999})
        if (count > threshold) ++digits;
    return digits;
}

std::string ColorToHex(QRgb colour) {
    return quorlin::ColorToHex(Rgb{static_cast<std::uint8_t>(qRed(colour)),
                                   static_cast<std::uint8_t>(qGreen(colour)),
                                   static_cast<std::uint8_t>(qBlue(colour))});
}

std::string EpsColorString(QRgb colour) {
    auto part = [](int c) { return FormatLf(c / 255.0L, 5, 3); };
    return part(qRed(colour)) + " " + part(qGreen(colour)) + " " + part(qBlue(colour));
}

namespace {

// The Windows-1252 quotes and dashes as TeX types them: its text fonts have no glyph at those
// codes, so "\char<n>" would drop them.
std::string_view TexTypedPunctuation(unsigned char byte) {
    switch (byte) {
        case 0x91:
            return "`";
        case 0x92:
            return "'";
        case 0x93:
            return "``";
        case 0x94:
            return "''";
        case 0x96:
            return "--";
        case 0x97:
            return "---";
        default:
            return {};
    }
}

}  // namespace

std::string TexEscapeText(std::string_view text, std::string_view escape, bool mathMode) {
    constexpr unsigned char kDegree = 176;
    const std::string math = mathMode ? "" : "$";
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == kDegree) {
            out += math + "{}^" + std::string(escape) + "circ" + math;
            continue;
        }
        if (byte == kPiByte) {
            out += math + std::string(escape) + "pi" + (mathMode ? "{}" : "") + math;
            continue;
        }
        if (!mathMode && (c == '<' || c == '>')) {
            out += math + c + math;
            continue;
        }
        if (!mathMode && (c == '_' || c == '^')) {
            out += escape;
            out += c;
            if (c == '^') out += "{}";
            continue;
        }
        if (const std::string_view typed = TexTypedPunctuation(byte); !typed.empty()) {
            // In math mode the quotes would be primes and the dashes minus signs.
            if (mathMode)
                out += std::string(escape) + "hbox{" + std::string(typed) + "}";
            else
                out += typed;
            continue;
        }
        if (byte > 127) {
            out += escape;
            out += Format("char%u{}", byte);
            continue;
        }
        if (c == '#' || c == '$' || c == '%' || c == '&') out += escape;
        out += c;
    }
    return out;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (byte == kPiByte)
                    out += "\xCF\x80";  // UTF-8, as the document declares
                else if (byte > 127)
                    out +=
                        Format("&#%u;", FromWindows1252(std::string_view(&c, 1)).front().unicode());
                else if (byte >= 32 || c == '\t')
                    out += c;
                break;
        }
    }
    return out;
}

std::string PostScriptStringBody(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '(' || c == ')') {
            out += '\\';
            out += c;
        } else if (byte > 127 || byte < 32) {
            out += Format("\\%03o", byte);
        } else {
            out += c;
        }
    }
    return out;
}

QString StripExportSuffix(const QString& path, QStringView suffix) {
    const qsizetype stem = path.size() - suffix.size();
    if (stem > 0 && path.endsWith(suffix, Qt::CaseInsensitive) && path[stem - 1] != u'/' &&
        path[stem - 1] != u'\\')
        return path.left(stem);
    return path;
}

std::string FileNamePart(const QString& path) {
    return FileNameOnly(ToLatin1(path), false);
}

std::string ToLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

namespace {
constexpr char16_t kPiCharacter = 0x03C0;
}  // namespace

std::string ToExportText(const QString& text) {
    std::string out;
    const auto runs = QStringView(text).split(QChar(kPiCharacter));
    for (qsizetype k = 0; k < runs.size(); ++k) {
        if (k > 0) out += static_cast<char>(kPiByte);
        const QString piece = runs[k].toString();
        out += ToWindows1252(piece).value_or(ToLatin1(piece));
    }
    return out;
}

QString FromExportText(std::string_view bytes) {
    QString out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pi = bytes.find(static_cast<char>(kPiByte), start);
        out += FromWindows1252(bytes.substr(start, pi == std::string_view::npos ? pi : pi - start));
        if (pi == std::string_view::npos) return out;
        out += QChar(kPiCharacter);
        start = pi + 1;
    }
}

}  // namespace quorlin::canvas
