#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "CPropertyStreamCodec.h"
#include "MemoryByteSink.h"
#include "MemoryByteSource.h"

namespace humichart {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, std::initializer_list<int> values) {
    for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
}
void AppendU32(Bytes& bytes, std::uint32_t value) {
    Append(bytes, {int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF), int(value >> 24)});
}

// The default stream spelled out by hand, doubles as their IEEE bit patterns.
Bytes DefaultStream() {
    Bytes bytes;
    AppendU32(bytes, 0x0800);
    AppendU32(bytes, 5080);
    AppendU32(bytes, 5080);
    Append(bytes, {0x00, 0x00, 0x00, 0x00, 0xD0, 0xBC, 0xF8, 0x40});  // 101325.0
    Append(bytes, {0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x50, 0x40});  // 65.0
    Append(bytes, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3E, 0xC0});  // -30.0
    Append(bytes, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x45, 0x40});  // 42.0
    Append(bytes, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});  // 0.0
    for (std::uint32_t flag : {1, 1, 1, 1, 0, 0, 1, 1}) AppendU32(bytes, flag);
    AppendU32(bytes, 0);
    return bytes;
}

void PutDouble(Bytes& bytes, std::size_t offset, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i) bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Properties that differ from the defaults in every field, to see that a
// failed read leaves them all alone.
ControlProperties Distinct() {
    ControlProperties p;
    p.HasTLine = 0;
    p.HasDLine = 0;
    p.HasILine = 0;
    p.HasFLine = 0;
    p.HasProcessLineName = 1;
    p.HasBorder = 1;
    p.HasBackground = 0;
    p.HasForeground = 0;
    p.AirPressure = 90000.0;
    p.RangeMinT = -10.0;
    p.RangeMaxT = 40.0;
    p.RangeMinD = 2.0;
    p.RangeMaxD = 30.0;
    p.DataIndex = 7;
    p.extentCx = 100;
    p.extentCy = 200;
    return p;
}

void ExpectSame(const ControlProperties& a, const ControlProperties& b) {
    EXPECT_TRUE(a == b) << "properties differ";
}

Status ReadFrom(const Bytes& bytes, ControlProperties& p) {
    MemoryByteSource source(bytes);
    return CPropertyStreamCodec::Read(source, p);
}

TEST(PropertyStream, DefaultsWriteTheKnownEightyEightBytes) {
    MemoryByteSink sink;
    ASSERT_EQ(CPropertyStreamCodec::Write(ControlProperties{}, sink), kStatusOk);
    EXPECT_EQ(sink.bytes_.size(), CPropertyStreamCodec::kStreamSize);
    EXPECT_EQ(sink.bytes_, DefaultStream());
}

TEST(PropertyStream, RoundTripKeepsEveryFieldInItsPlace) {
    MemoryByteSink sink;
    ASSERT_EQ(CPropertyStreamCodec::Write(Distinct(), sink), kStatusOk);
    ControlProperties read;
    ASSERT_EQ(ReadFrom(sink.bytes_, read), kStatusOk);
    ExpectSame(read, Distinct());

    // Values are read raw, without the setters' limits: 50000 Pa and a
    // flag of 5 come in as they are.
    Bytes bytes = DefaultStream();
    PutDouble(bytes, 12, 50000.0);
    bytes[52] = 5;  // HasDLine
    ControlProperties p = Distinct();
    ASSERT_EQ(ReadFrom(bytes, p), kStatusOk);
    EXPECT_EQ(p.AirPressure, 50000.0);
    EXPECT_EQ(p.HasDLine, 5);
    EXPECT_EQ(p.HasTLine, 1);
    EXPECT_EQ(p.RangeMaxT, 65.0);
    EXPECT_EQ(p.RangeMinT, -30.0);
    EXPECT_EQ(p.extentCx, 5080u);
}

TEST(PropertyStream, VersionsAboveOursAreRefusedOlderOnesLoad) {
    for (std::uint32_t version : {0x0801u, 0x0900u, 0xFFFFFFFFu}) {
        Bytes bytes = DefaultStream();
        bytes[0] = static_cast<std::uint8_t>(version);
        bytes[1] = static_cast<std::uint8_t>(version >> 8);
        bytes[2] = static_cast<std::uint8_t>(version >> 16);
        bytes[3] = static_cast<std::uint8_t>(version >> 24);
        ControlProperties p = Distinct();
        EXPECT_LT(ReadFrom(bytes, p), 0) << std::hex << version;
        ExpectSame(p, Distinct());
    }

    // The launcher's dialog template: a zero prefix the container consumes,
    // then version 0x710 and the values.
    Bytes init;
    AppendU32(init, 0);
    AppendU32(init, 0x0710);
    AppendU32(init, 16404);
    AppendU32(init, 11615);
    Bytes rest = DefaultStream();
    init.insert(init.end(), rest.begin() + 12, rest.end());
    ASSERT_EQ(init.size(), 92u);
    MemoryByteSource source(Bytes(init.begin() + 4, init.end()));
    ControlProperties p = Distinct();
    ASSERT_EQ(CPropertyStreamCodec::Read(source, p), kStatusOk);
    EXPECT_EQ(source.Offset(), 88u);
    EXPECT_EQ(p.extentCx, 16404u);
    EXPECT_EQ(p.extentCy, 11615u);
    ControlProperties expected;
    expected.extentCx = 16404;
    expected.extentCy = 11615;
    ExpectSame(p, expected);
}

TEST(PropertyStream, ShortStreamsAndStreamErrorsChangeNothing) {
    const Bytes full = DefaultStream();
    for (std::size_t size = 0; size < full.size(); ++size) {
        ControlProperties p = Distinct();
        EXPECT_EQ(ReadFrom(Bytes(full.begin(), full.begin() + size), p), CPropertyStreamCodec::kStatusReadFault)
            << size;
        ExpectSame(p, Distinct());
    }

    // The stream's own status comes back unchanged, on reading and writing.
    const Status accessDenied = static_cast<Status>(0x80030005u);
    MemoryByteSource broken(full, accessDenied);
    ControlProperties p = Distinct();
    EXPECT_EQ(CPropertyStreamCodec::Read(broken, p), accessDenied);
    ExpectSame(p, Distinct());

    MemoryByteSink refusing(1000, accessDenied);
    EXPECT_EQ(CPropertyStreamCodec::Write(ControlProperties{}, refusing), accessDenied);
    MemoryByteSink full40(40);
    EXPECT_EQ(CPropertyStreamCodec::Write(ControlProperties{}, full40), CPropertyStreamCodec::kStatusWriteFault);
}

TEST(PropertyStream, NonFinitePressureOrBoundIsRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Pressure, then RangeMaxT, RangeMinT, RangeMaxD, RangeMinD.
    for (std::size_t offset : {12u, 20u, 28u, 36u, 44u}) {
        for (double bad : {nan, inf, -inf}) {
            Bytes bytes = DefaultStream();
            PutDouble(bytes, offset, bad);
            ControlProperties p = Distinct();
            EXPECT_LT(ReadFrom(bytes, p), 0) << "offset " << offset << " value " << bad;
            ExpectSame(p, Distinct());
        }
    }
}

}  // namespace
}  // namespace humichart
