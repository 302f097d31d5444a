#include "core/binio.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace quorlin {
namespace {

using Limits = std::numeric_limits<long double>;

TEST(LongDoubleCodec, KnownBytePatternsAndExtremesRoundTrip) {
    const std::pair<long double, std::array<std::uint8_t, 10>> known[] = {
        {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x3f}},
        {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0xc0}},
        {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0.5L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xfe, 0x3f}},
        {3.0L, {0, 0, 0, 0, 0, 0, 0, 0xc0, 0x00, 0x40}},
    };
    std::array<std::uint8_t, 10> out{};
    for (const auto& [value, bytes] : known) {
        EncodeLongDouble(value, out.data());
        EXPECT_EQ(out, bytes) << static_cast<double>(value);
        EXPECT_EQ(DecodeLongDouble(bytes.data()), value);
    }
    for (long double v : {Limits::max(), Limits::min(), Limits::denorm_min(), -1e-4000L,
                          3.14159265358979323846264338327950288L, Limits::infinity()}) {
        EncodeLongDouble(v, out.data());
        EXPECT_EQ(DecodeLongDouble(out.data()), v);
    }
    EncodeLongDouble(Limits::quiet_NaN(), out.data());
    EXPECT_TRUE(std::isnan(DecodeLongDouble(out.data())));
}

TEST(ByteWriterReader, FieldsAreLittleEndianAndRoundTrip) {
    ByteWriter w;
    w.U8(0xab);
    w.I16(-2);
    w.I32(0x01020304);
    w.LongDouble(1.0L);
    w.FixedText("abc", 5);
    const std::vector<std::uint8_t> expected = {0xab, 0xfe, 0xff, 0x04, 0x03, 0x02, 0x01, 0,
                                                0,    0,    0,    0,    0,    0,    0x80, 0xff,
                                                0x3f, 'a',  'b',  'c',  0,    0};
    EXPECT_EQ(w.Data(), expected);

    ByteReader r(w.Data());
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    long double ld = 0;
    std::string text;
    ASSERT_TRUE(r.U8(u8) && r.I16(i16) && r.I32(i32) && r.LongDouble(ld) && r.FixedText(text, 5));
    EXPECT_EQ(std::tuple(u8, i16, i32, ld, text), std::tuple(0xab, -2, 0x01020304, 1.0L, "abc"));
    EXPECT_TRUE(r.AtEnd());
}

TEST(ByteReader, RefusesReadsPastTheEndStaysFailedAndGuardsAllocations) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ByteReader r(bytes);
    std::int32_t v = 0;
    EXPECT_FALSE(r.I32(v));
    EXPECT_TRUE(r.Failed());
    std::uint8_t b = 0;
    EXPECT_FALSE(r.U8(b)) << "a failed reader must not resume";
    EXPECT_EQ(r.Remaining(), 0u);

    const std::vector<std::uint8_t> hundred(100);
    ByteReader counts(hundred);
    EXPECT_TRUE(counts.CanRead(1, 100));
    EXPECT_FALSE(counts.CanRead(2, 77));
    EXPECT_FALSE(counts.CanRead(std::size_t{1} << 62, 77)) << "no overflow in count * size";
}

}  // namespace
}  // namespace quorlin
