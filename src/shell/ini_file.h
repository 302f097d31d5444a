#pragma once
// Binary ini files: the settings a window kind keeps between runs, in the configuration folder.
//
// Layout of every ini file (1281 bytes, little-endian):
//   TFileHead             80 bytes   field 0 the window kind, field 1 the program version
//   int blocks 0-2        3 x 21 int32
//   number blocks 0-2     3 x 21 long doubles of 10 bytes
//   flag blocks 0-2       3 x 21 bytes
//   last file name        256 bytes, zero-terminated, zero-padded
// Each window level fills its own words. The shell's words are int block 0:
//   word 0 the animation delay in ms, word 1 the constant 10 (the count of style words that
//   follow, also a check that the block is ours), words 2-11 the ten style words,
//   words 12-15 the window placement x, y, width, height in pixels (width 0: none stored).
//
// The frame keeps "qz.ini" in the same scheme under kind kFrameIniKind: int block 0 words 0-3
// its placement (the top left corner of the frame with its title bar, the size of its client
// area), word 4 whether it was maximised; flag block 0 byte 0 "Open last", byte 1
// "Use defaults".
//
// A missing, short or damaged file, or one of another kind or an unknown version, is not read
// and the caller keeps its defaults. A placement with a coordinate or size beyond 32767 pixels
// is not taken either.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shell/palette.h"
#include "shell/records/file_head.h"

namespace quorlin {

inline constexpr char kFrameIniName[] = "qz.ini";
inline constexpr char kIni2D[] = "qz2.ini";
inline constexpr char kIni3D[] = "qz3.ini";
inline constexpr char kIniDomain2D[] = "dom2.ini";
inline constexpr char kIniRange2D[] = "ran2.ini";
inline constexpr char kIniGuess[] = "guess.ini";
inline constexpr char kIniLevel[] = "lev.ini";
inline constexpr char kIniStereogram[] = "rds.ini";
inline constexpr char kIniLogAxes[] = "qzlog.ini";
// "time0.ini" ... "time3.ini" for the four time windows.
QString TimeWindowIniName(int index);
// "phase0.ini" ... "phase2.ini" for the three phase windows.
QString PhaseWindowIniName(int index);

inline constexpr int kFrameIniKind = 1;

struct WindowPlacement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct IniRecord {
    static constexpr std::size_t kBlocks = 3;
    static constexpr std::size_t kWords = 21;
    static constexpr std::size_t kNameBytes = 256;
    static constexpr std::size_t kByteSize = TFileHead::kByteSize + kBlocks * kWords * 4 +
                                             kBlocks * kWords * 10 + kBlocks * kWords + kNameBytes;

    TFileHead head;
    std::array<std::array<std::int32_t, kWords>, kBlocks> ints{};
    std::array<std::array<long double, kWords>, kBlocks> numbers{};
    std::array<std::array<std::uint8_t, kWords>, kBlocks> flags{};
    std::string lastFileName;  // at most 255 bytes are kept

    // An empty record with the head of the given window kind.
    static IniRecord ForKind(int kind);

    std::vector<std::uint8_t> Encode() const;
    // Nothing when bytes are too short or the head does not fit the kind.
    static std::optional<IniRecord> Decode(std::span<const std::uint8_t> bytes, int kind);
};

// The shell's words of int block 0.
struct ShellIniWords {
    int delay = 500;
    std::array<std::int16_t, StyleWords::kCount> styleWords = StyleWords{}.words;
    std::optional<WindowPlacement> placement;

    void StoreInto(IniRecord& record) const;
    // Takes the words from a record that was read; words that fail their checks keep the
    // values this object had.
    void LoadFrom(const IniRecord& record);
};

// Reads the ini file of the given name in the configuration folder; nothing when it is
// missing or unusable.
std::optional<IniRecord> ReadIni(const QString& name, int kind);
// Writes it safely; false (with the reason in error) when it cannot be written.
bool WriteIni(const QString& name, const IniRecord& record, QString* error = nullptr);

// The frame's "qz.ini".
struct FrameSettings {
    std::optional<WindowPlacement> placement;
    bool maximized = false;
    bool openLast = false;
    bool useDefaults = false;

    IniRecord ToIni() const;
    static FrameSettings FromIni(const IniRecord& record);
    // Defaults when the file is missing or unusable.
    static FrameSettings Load();
    bool Save(QString* error = nullptr) const;
};

}  // namespace quorlin
