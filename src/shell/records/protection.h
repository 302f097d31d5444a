#pragma once
// Password protection of a diagram.
//
// A protected diagram carries a mask of the operations it guards and, in its file, the
// protection block: the scrambled password and four author lines, each a file string of at
// most 255 characters. The password opens every guarded operation for the rest of the session
// (the window is then "unlocked"); asking for it goes through the window's input box, this
// class only decides whether to ask and checks the answer.
//
// Scrambling: byte i (from 0) of the password, c in 1..255, is stored as
// ((c - 1 + 7 i + 13) mod 255) + 1, which never yields a zero byte and is undone by the
// inverse shift. It keeps the password from being read at a glance; it is not encryption.
#include <array>
#include <string>
#include <string_view>

#include "core/binio.h"

namespace quorlin {

// Operations a diagram may guard (bits of the protection mask).
inline constexpr int kProtectInventory = 2;
inline constexpr int kProtectNotebook = 4;

class FileProtection {
public:
    static constexpr int kAuthorLines = 4;

    int Mask() const { return mask_; }
    bool IsProtected() const { return mask_ > 0; }
    bool IsUnlocked() const { return unlocked_; }
    const std::string& Password() const { return password_; }
    const std::array<std::string, kAuthorLines>& AuthorLines() const { return authorLines_; }

    // Protects the operations in mask with password (an empty password or mask removes the
    // protection). The author of a diagram keeps it unlocked.
    void Protect(int mask, std::string password, std::array<std::string, kAuthorLines> lines);

    // Empty password and author lines, mask 0, unlocked.
    void ClearProtection();

    // Whether the user must give the password before one of the operations in asked runs.
    bool NeedsPassword(int asked) const { return (mask_ & asked) != 0 && !unlocked_; }
    // Unlocks the diagram when given is its password; returns whether it did.
    bool TryUnlock(std::string_view given);

    // Sets the mask read from the diagram's settings before ReadProtection.
    void SetMaskFromFile(int mask) { mask_ = mask; }

    // The protection block. WriteProtection is called only for a protected diagram;
    // false when a text is too long for the block (nothing written then).
    bool WriteProtection(ByteWriter& out) const;
    // Reads the block of a file whose mask was set with SetMaskFromFile: 0, or
    // kErrCannotOpenFile for a damaged block. A file whose password comes back empty is
    // unprotected; a protected one starts locked.
    int ReadProtection(ByteReader& in);

    static std::string Scramble(std::string_view password);
    static std::string Unscramble(std::string_view scrambled);

private:
    int mask_ = 0;
    bool unlocked_ = true;
    std::string password_;
    std::array<std::string, kAuthorLines> authorLines_;
};

}  // namespace quorlin
