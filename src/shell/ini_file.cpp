#include "shell/ini_file.h"

#include "core/binio.h"
#include "core/errors.h"
#include "platform/config_dir.h"
#include "shell/diagram_file.h"

namespace quorlin {

namespace {

constexpr std::size_t kCountWord = 1;
constexpr std::size_t kFirstStyleWord = 2;
constexpr std::size_t kPlacementWord = 12;
constexpr std::int32_t kStyleWordCount = StyleWords::kCount;

void StorePlacement(const std::optional<WindowPlacement>& placement,
                    std::array<std::int32_t, IniRecord::kWords>& words, std::size_t first) {
    const WindowPlacement p = placement.value_or(WindowPlacement{});
    words[first] = p.x;
    words[first + 1] = p.y;
    words[first + 2] = p.width;
    words[first + 3] = p.height;
}

// Window coordinates and sizes beyond this fit no desktop; a file that holds them is damaged.
constexpr std::int32_t kLargestCoordinate = 32767;

bool Plausible(const WindowPlacement& p) {
    const auto coordinate = [](std::int32_t v) {
        return v >= -kLargestCoordinate && v <= kLargestCoordinate;
    };
    const auto size = [](std::int32_t v) { return v > 0 && v <= kLargestCoordinate; };
    return coordinate(p.x) && coordinate(p.y) && size(p.width) && size(p.height);
}

std::optional<WindowPlacement> LoadPlacement(
    const std::array<std::int32_t, IniRecord::kWords>& words, std::size_t first) {
    const WindowPlacement p{words[first], words[first + 1], words[first + 2], words[first + 3]};
    if (!Plausible(p)) return std::nullopt;
    return p;
}

}  // namespace

QString TimeWindowIniName(int index) {
    return QStringLiteral("time%1.ini").arg(index);
}

QString PhaseWindowIniName(int index) {
    return QStringLiteral("phase%1.ini").arg(index);
}

IniRecord IniRecord::ForKind(int kind) {
    IniRecord record;
    record.head = TFileHead::Make(kind, kProgramVersion);
    return record;
}

std::vector<std::uint8_t> IniRecord::Encode() const {
    ByteWriter out;
    head.Write(out);
    for (const auto& block : ints) {
        for (std::int32_t word : block) out.I32(word);
    }
    for (const auto& block : numbers) {
        for (long double number : block) out.LongDouble(number);
    }
    for (const auto& block : flags) out.Bytes(block);
    out.FixedText(lastFileName, kNameBytes);
    return out.Take();
}

std::optional<IniRecord> IniRecord::Decode(std::span<const std::uint8_t> bytes, int kind) {
    ByteReader in(bytes);
    if (!in.CanRead(1, kByteSize)) return std::nullopt;
    IniRecord record;
    record.head.Read(in);
    if (CheckFileHead(record.head, kind) != kNoError) return std::nullopt;
    for (auto& block : record.ints) {
        for (std::int32_t& word : block) in.I32(word);
    }
    for (auto& block : record.numbers) {
        for (long double& number : block) in.LongDouble(number);
    }
    for (auto& block : record.flags) in.Bytes(block);
    in.FixedText(record.lastFileName, kNameBytes);
    if (in.Failed()) return std::nullopt;
    return record;
}

void ShellIniWords::StoreInto(IniRecord& record) const {
    auto& words = record.ints[0];
    words[0] = delay;
    words[kCountWord] = kStyleWordCount;
    for (std::size_t i = 0; i < StyleWords::kCount; ++i) words[kFirstStyleWord + i] = styleWords[i];
    StorePlacement(placement, words, kPlacementWord);
}

void ShellIniWords::LoadFrom(const IniRecord& record) {
    const auto& words = record.ints[0];
    if (words[kCountWord] != kStyleWordCount) return;  // not written by this shell
    if (words[0] >= 0) delay = words[0];
    for (std::size_t i = 0; i < StyleWords::kCount; ++i) {
        styleWords[i] = static_cast<std::int16_t>(words[kFirstStyleWord + i]);
    }
    if (auto stored = LoadPlacement(words, kPlacementWord)) placement = stored;
}

std::optional<IniRecord> ReadIni(const QString& name, int kind) {
    // An ini file is 1281 bytes; anything far larger is not one of ours.
    constexpr std::int64_t kMaxIniBytes = 64 * 1024;
    const auto bytes = ReadWholeFile(platform::ConfigFilePath(name), kMaxIniBytes);
    if (!bytes) return std::nullopt;
    return IniRecord::Decode(*bytes, kind);
}

bool WriteIni(const QString& name, const IniRecord& record, QString* error) {
    const QString path = platform::ConfigFilePath(name);
    const std::vector<std::uint8_t> bytes = record.Encode();
    // Most windows close with the settings their ini file holds already: that file is left as
    // it is rather than written, flushed to the disk and renamed over itself again.
    if (ReadWholeFile(path, static_cast<std::int64_t>(bytes.size())) == bytes) return true;
    return WriteWholeFile(path, bytes, error);
}

IniRecord FrameSettings::ToIni() const {
    IniRecord record = IniRecord::ForKind(kFrameIniKind);
    StorePlacement(placement, record.ints[0], 0);
    record.ints[0][4] = maximized ? 1 : 0;
    record.flags[0][0] = openLast ? 1 : 0;
    record.flags[0][1] = useDefaults ? 1 : 0;
    return record;
}

FrameSettings FrameSettings::FromIni(const IniRecord& record) {
    FrameSettings settings;
    settings.placement = LoadPlacement(record.ints[0], 0);
    settings.maximized = record.ints[0][4] != 0;
    settings.openLast = record.flags[0][0] != 0;
    settings.useDefaults = record.flags[0][1] != 0;
    return settings;
}

FrameSettings FrameSettings::Load() {
    const auto record = ReadIni(QString::fromLatin1(kFrameIniName), kFrameIniKind);
    return record ? FromIni(*record) : FrameSettings{};
}

bool FrameSettings::Save(QString* error) const {
    return WriteIni(QString::fromLatin1(kFrameIniName), ToIni(), error);
}

}  // namespace quorlin
