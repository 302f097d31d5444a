#include "shell/records/protection.h"

#include "core/errors.h"
#include "core/file_strings.h"
#include "core/text_helpers.h"

namespace quorlin {

namespace {

int Shift(std::size_t position) {
    return static_cast<int>((7 * position + 13) % 255);
}

// Moves a byte of 1..255 by delta inside 1..255.
char Rotate(char c, int delta) {
    const int value = static_cast<unsigned char>(c) - 1;
    return static_cast<char>((value + delta + 255) % 255 + 1);
}

}  // namespace

void FileProtection::Protect(int mask, std::string password,
                             std::array<std::string, kAuthorLines> lines) {
    password_ = std::string(UpToFirstZero(password));
    authorLines_ = std::move(lines);
    mask_ = password_.empty() ? 0 : mask;
    unlocked_ = true;
}

void FileProtection::ClearProtection() {
    mask_ = 0;
    unlocked_ = true;
    password_.clear();
    for (auto& line : authorLines_) line.clear();
}

bool FileProtection::TryUnlock(std::string_view given) {
    if (given == password_) unlocked_ = true;
    return unlocked_;
}

bool FileProtection::WriteProtection(ByteWriter& out) const {
    ByteWriter block;
    if (!WriteString(block, Scramble(password_))) return false;
    for (const auto& line : authorLines_) {
        if (!WriteString(block, line)) return false;
    }
    out.Bytes(block.Data());
    return true;
}

int FileProtection::ReadProtection(ByteReader& in) {
    std::string scrambled;
    std::array<std::string, kAuthorLines> lines;
    if (ReadString(in, scrambled) != kNoError) return kErrCannotOpenFile;
    for (auto& line : lines) {
        if (ReadString(in, line) != kNoError) return kErrCannotOpenFile;
    }
    password_ = Unscramble(scrambled);
    authorLines_ = std::move(lines);
    if (password_.empty()) mask_ = 0;
    unlocked_ = !IsProtected();
    return kNoError;
}

std::string FileProtection::Scramble(std::string_view password) {
    std::string out(UpToFirstZero(password));
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Rotate(out[i], Shift(i));
    return out;
}

std::string FileProtection::Unscramble(std::string_view scrambled) {
    std::string out(UpToFirstZero(scrambled));
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = Rotate(out[i], -Shift(i));
    return out;
}

}  // namespace quorlin
