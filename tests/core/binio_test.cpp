#include "core/binio.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace quorlin {
namespace {

TEST(LongDoubleCodec, KnownBytePatterns) {
    struct Case {
        long double value;
        std::array<std::uint8_t, 10> bytes;
    };
    const Case cases[] = {
        {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x3f}},
        {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xc0}},
        {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0.5L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xfe, 0x3f}},
        {3.0L, {0, 0, 0, 0, 0, 0, 0, 0xc0, 0x00, 0x40}},
    };
    for (const auto& c : cases) {
        std::uint8_t out[10];
        EncodeLongDouble(c.value, out);
        EXPECT_TRUE(std::equal(out, out + 10, c.bytes.begin())) << static_cast<double>(c.value);
        EXPECT_EQ(DecodeLongDouble(c.bytes.data()), c.value);
    }
}

TEST(LongDoubleCodec, RoundTripsExtremes) {
    const long double values[] = {std::numeric_limits<long double>::max(),
                                  std::numeric_limits<long double>::min(),
                                  std::numeric_limits<long double>::denorm_min(),
                                  -1e-4000L,
                                  3.14159265358979323846264338327950288L,
                                  std::numeric_limits<long double>::infinity()};
    for (long double v : values) {
        std::uint8_t out[10];
        EncodeLongDouble(v, out);
        EXPECT_EQ(DecodeLongDouble(out), v);
    }
    std::uint8_t out[10];
    EncodeLongDouble(std::numeric_limits<long double>::quiet_NaN(), out);
    EXPECT_TRUE(std::isnan(DecodeLongDouble(out)));
}

TEST(ByteWriterReader, FieldsAreLittleEndianAndRoundTrip) {
    ByteWriter w;
    w.U8(0xab);
    w.I16(-2);
    w.I32(0x01020304);
    w.LongDouble(1.0L);
    w.FixedText("abc", 5);
    const std::vector<std::uint8_t> expected = {0xab, 0xfe, 0xff, 0x04, 0x03, 0x02, 0x01,
                                                0,    0,    0,    0,    0,    0,    0,
                                                0x80, 0xff, 0x3f, 'a',  'b',  'c',  0,    0};
    EXPECT_EQ(w.Data(), expected);

    ByteReader r(w.Data());
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    long double ld = 0;
    std::string text;
    ASSERT_TRUE(r.U8(u8) && r.I16(i16) && r.I32(i32) && r.LongDouble(ld) && r.FixedText(text, 5));
    EXPECT_EQ(u8, 0xab);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(ld, 1.0L);
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ByteReader, RefusesReadsPastTheEndAndStaysFailed) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ByteReader r(bytes);
    std::int32_t v = 0;
    EXPECT_FALSE(r.I32(v));
    EXPECT_TRUE(r.Failed());
    std::uint8_t b = 0;
    EXPECT_FALSE(r.U8(b)) << "a failed reader must not resume";
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ByteReader, CountChecksGuardAllocations) {
    const std::vector<std::uint8_t> bytes(100);
    ByteReader r(bytes);
    EXPECT_TRUE(r.CanRead(1, 100));
    EXPECT_FALSE(r.CanRead(2, 77));
    EXPECT_FALSE(r.CanRead(std::size_t{1} << 62, 77)) << "no overflow in count * size";
}

}  // namespace
}  // namespace quorlin
