#pragma once
// Little-endian byte records for diagram, ini and text files.
//
// ByteWriter appends fields to a growing buffer; ByteReader walks a bounded view of bytes and
// refuses any read that would pass the end, so a damaged or truncated file can never make a
// reader run over its input or over the buffer it fills. Long doubles travel as the 10-byte
// x87 extended format.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

inline constexpr std::size_t kLongDoubleBytes = 10;

// The 10-byte x87 extended form of x (64-bit mantissa with explicit integer bit, then sign and
// 15-bit exponent), little-endian.
void EncodeLongDouble(long double x, std::uint8_t out[kLongDoubleBytes]);
long double DecodeLongDouble(const std::uint8_t in[kLongDoubleBytes]);

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U16(std::uint16_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void U32(std::uint32_t v);
    void LongDouble(long double v);
    void Bytes(std::span<const std::uint8_t> data);
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // A fixed-size text field: the bytes of text, then zeros up to size (text is cut to
    // size - 1 bytes so the field always holds its terminator).
    void FixedText(const std::string& text, std::size_t size);

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads fields in order. Every read checks the bytes left; after the first failed read the
// reader stays failed and every later read fails too, so callers may check once at the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool U8(std::uint8_t& v);
    bool I16(std::int16_t& v);
    bool U16(std::uint16_t& v);
    bool I32(std::int32_t& v);
    bool U32(std::uint32_t& v);
    bool LongDouble(long double& v);
    bool Bytes(std::span<std::uint8_t> out);
    bool Skip(std::size_t count);
    // A fixed-size text field: reads size bytes and keeps the text up to the first zero.
    bool FixedText(std::string& text, std::size_t size);

    // Whether count records of recordSize bytes can still be read; a count taken from a file
    // is checked with this before anything is allocated for it.
    bool CanRead(std::size_t count, std::size_t recordSize) const;

    // Marks the input damaged (a field read fine but its value is impossible): every later
    // read fails, as after a read past the end.
    void Fail() { failed_ = true; }

    std::size_t Remaining() const { return failed_ ? 0 : data_.size() - pos_; }
    std::size_t Position() const { return pos_; }
    bool Failed() const { return failed_; }
    bool AtEnd() const { return Remaining() == 0; }

private:
    const std::uint8_t* Take(std::size_t count);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace quorlin
