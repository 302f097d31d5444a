#include "canvas/export_format.h"

#include <QFileInfo>

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

std::string FormatLf(long double value, int width, int places) {
    return Format("%*.*Lf", width, places, value);
}

std::string PadToWidth(std::string text, int width, char fill) {
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), fill);
    return text;
}

int FrameDigits(int count) {
    int digits = 1;
    for (int threshold : {9, 99, 999, 9999, 99999})
        if (count > threshold) ++digits;
    return digits;
}

std::string ColorToHex(QRgb colour) {
    return Format("#%02x%02x%02x", qRed(colour), qGreen(colour), qBlue(colour));
}

std::string EpsColorString(QRgb colour) {
    auto part = [](int c) { return FormatLf(c / 255.0L, 5, 3); };
    return part(qRed(colour)) + " " + part(qGreen(colour)) + " " + part(qBlue(colour));
}

std::string BlanksToHyphens(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ' ') c = '-';
    return out;
}

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
        if (!mathMode && (c == '<' || c == '>')) {
            out += math + c + math;
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
                if (byte > 127)
                    out += Format("&#%u;", byte);
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
    const QString name = FileNameOnly(path);
    if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
        return path.left(path.size() - suffix.size());
    return path;
}

QString FileNameOnly(const QString& path, bool withoutExtension) {
    QString name = path;
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (cut >= 0) name = name.mid(cut + 1);
    if (withoutExtension) {
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot >= 0) name.truncate(dot);
    }
    return name;
}

std::string ToLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quorlin::canvas
