#include "core/binio.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace quorlin {

namespace {

constexpr bool kNativeX87 = std::numeric_limits<long double>::digits == 64 &&
                            std::numeric_limits<long double>::max_exponent == 16384;

// Software conversion for processors whose long double is not the x87 format.
void EncodePortable(long double x, std::uint8_t out[kLongDoubleBytes]) {
    std::uint64_t mantissa = 0;
    std::uint16_t exponent = 0;
    const bool negative = std::signbit(x);
    if (std::isnan(x)) {
        exponent = 0x7fff;
        mantissa = 0xc000000000000000ULL;
    } else if (std::isinf(x)) {
        exponent = 0x7fff;
        mantissa = 0x8000000000000000ULL;
    } else if (x != 0) {
        int e = 0;
        const long double fraction = std::frexp(std::fabs(x), &e);  // in [0.5, 1)
        int biased = e - 1 + 16383;
        long double scaled = std::ldexp(fraction, 64);
        if (biased <= 0) {  // denormal
            scaled = std::ldexp(scaled, biased - 1);
            biased = 0;
        }
        mantissa = static_cast<std::uint64_t>(scaled);
        exponent = static_cast<std::uint16_t>(biased);
    }
    if (negative) exponent |= 0x8000;
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    out[8] = static_cast<std::uint8_t>(exponent);
    out[9] = static_cast<std::uint8_t>(exponent >> 8);
}

long double DecodePortable(const std::uint8_t in[kLongDoubleBytes]) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const std::uint16_t word = static_cast<std::uint16_t>(in[8] | (in[9] << 8));
    const bool negative = (word & 0x8000) != 0;
    const int exponent = word & 0x7fff;
    long double value = 0;
    if (exponent == 0x7fff) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
    } else {
        const int e = exponent == 0 ? -16382 : exponent - 16383;
        value = std::ldexp(static_cast<long double>(mantissa), e - 63);
    }
    return negative ? -value : value;
}

}  // namespace

void EncodeLongDouble(long double x, std::uint8_t out[kLongDoubleBytes]) {
    if constexpr (kNativeX87) {
        std::memcpy(out, &x, kLongDoubleBytes);
    } else {
        EncodePortable(x, out);
    }
}

long double DecodeLongDouble(const std::uint8_t in[kLongDoubleBytes]) {
    if constexpr (kNativeX87) {
        long double x = 0;
        std::memcpy(&x, in, kLongDoubleBytes);
        return x;
    } else {
        return DecodePortable(in);
    }
}

void ByteWriter::U16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::LongDouble(long double v) {
    std::uint8_t buf[kLongDoubleBytes];
    EncodeLongDouble(v, buf);
    bytes_.insert(bytes_.end(), buf, buf + kLongDoubleBytes);
}

void ByteWriter::Bytes(std::span<const std::uint8_t> data) {
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void ByteWriter::FixedText(const std::string& text, std::size_t size) {
    if (size == 0) return;
    const std::size_t n = std::min(text.size(), size - 1);
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    Zeros(size - n);
}

const std::uint8_t* ByteReader::Take(std::size_t count) {
    if (failed_ || count > data_.size() - pos_) {
        failed_ = true;
        return nullptr;
    }
    const std::uint8_t* p = data_.data() + pos_;
    pos_ += count;
    return p;
}

bool ByteReader::U8(std::uint8_t& v) {
    const auto* p = Take(1);
    if (p) v = p[0];
    return p != nullptr;
}

bool ByteReader::U16(std::uint16_t& v) {
    const auto* p = Take(2);
    if (p) v = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    return p != nullptr;
}

bool ByteReader::I16(std::int16_t& v) {
    std::uint16_t u = 0;
    if (!U16(u)) return false;
    v = static_cast<std::int16_t>(u);
    return true;
}

bool ByteReader::U32(std::uint32_t& v) {
    const auto* p = Take(4);
    if (!p) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return true;
}

bool ByteReader::I32(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!U32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
}

bool ByteReader::LongDouble(long double& v) {
    const auto* p = Take(kLongDoubleBytes);
    if (p) v = DecodeLongDouble(p);
    return p != nullptr;
}

bool ByteReader::Bytes(std::span<std::uint8_t> out) {
    const auto* p = Take(out.size());
    if (p && !out.empty()) std::memcpy(out.data(), p, out.size());
    return p != nullptr;
}

bool ByteReader::Skip(std::size_t count) {
    return Take(count) != nullptr;
}

bool ByteReader::FixedText(std::string& text, std::size_t size) {
    const auto* p = Take(size);
    if (!p) return false;
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(p, 0, size));
    text.assign(reinterpret_cast<const char*>(p), end ? static_cast<std::size_t>(end - p) : size);
    return true;
}

bool ByteReader::CanRead(std::size_t count, std::size_t recordSize) const {
    if (recordSize == 0) return true;
    return count <= Remaining() / recordSize;
}

}  // namespace quorlin
