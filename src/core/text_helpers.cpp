#include "core/text_helpers.h"

#include <algorithm>
#include <array>

namespace quorlin {

namespace {

// Unicode of bytes 0x80-0x9f; the undefined five keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};

std::size_t NameStart(std::string_view path) {
    const std::size_t sep = path.find_last_of("/\\:");
    return sep == std::string_view::npos ? 0 : sep + 1;
}

}  // namespace

std::string_view UpToFirstZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

void AppendChar(std::string& text, char c) {
    text.push_back(c);
}

void RemoveChar(std::string& text, char c) {
    std::erase(text, c);
}

void RemoveCRLF(std::string& text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
}

void PadToWidth(int width, std::string& text, char fill) {
    const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() >= w) {
        text.resize(w);
    } else {
        text.insert(0, w - text.size(), fill);
    }
}

std::string FileNameOnly(std::string_view path, bool withoutExtension) {
    std::string_view name = path.substr(NameStart(path));
    if (withoutExtension) name = name.substr(0, name.rfind('.'));
    return std::string(name);
}

std::string BlanksToHyphens(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), ' ', '-');
    return out;
}

std::vector<std::string> SplitCommaList(std::string_view text, int count) {
    const int n = std::clamp(count, 0, 6);
    std::vector<std::string> fields(static_cast<std::size_t>(n));
    for (auto& field : fields) {
        const std::size_t comma = text.find(',');
        field.assign(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return fields;
}

std::optional<std::string> BitmapFileName(std::string_view fileName) {
    const std::size_t start = NameStart(fileName);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot < start) return std::nullopt;
    return std::string(fileName.substr(0, dot)) + "1.bmp";
}

char16_t CharOfWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xa0) return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> Windows1252OfChar(char16_t c) {
    if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) return static_cast<unsigned char>(c);
    const auto* it = std::find(kHighControls.begin(), kHighControls.end(), c);
    if (it == kHighControls.end()) return std::nullopt;
    return static_cast<unsigned char>(0x80 + (it - kHighControls.begin()));
}

}  // namespace quorlin
