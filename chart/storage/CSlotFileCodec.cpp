#include "CSlotFileCodec.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "CByteReader.h"
#include "CByteWriter.h"
#include "Crc32.h"

namespace humichart {

namespace {

void WritePayload(CByteWriter& out, const CHumichartDataObj& data, const std::wstring& remark) {
    out.Text(remark);
    for (std::int32_t flag : {data.HasTLine, data.HasDLine, data.HasILine, data.HasFLine, data.HasProcessLineName,
                              data.HasBorder, data.HasBackground, data.HasForeground})
        out.I32(flag);
    out.F64(data.airPressure);
    const auto& c = data.cssrRegion;
    for (double value : {c.maxT, c.minT, c.maxD, c.minD}) out.F64(value);
    const auto& r = data.viewRange;
    for (double value : {r.Ymin, r.Ymax, r.Dmin, r.Dmax}) out.F64(value);

    out.U32(static_cast<std::uint32_t>(data.points.size()));
    for (const StatePoint& point : data.points) {
        out.F64(point.I);
        out.F64(point.D);
        out.Text(point.name);
    }
    out.U32(static_cast<std::uint32_t>(data.processes.size()));
    for (const TransferProcess& process : data.processes) {
        out.Text(process.ptStart);
        out.Text(process.ptEnd);
        out.Text(process.name);
        out.F64(process.dAirFlow);
    }
    out.U32(static_cast<std::uint32_t>(data.mixes.size()));
    for (const MixProcess& mix : data.mixes) {
        out.Text(mix.ptFresh);
        out.Text(mix.ptReturn);
        out.Text(mix.ptMix);
        out.Text(mix.name);
        out.F64(mix.dFreshAirFlow);
        out.F64(mix.dAirFlow);
    }
}

// Every record takes at least this many bytes, so a count larger than the
// rest of the file allows is damage, found before anything is allocated.
bool CountFits(const CByteReader& in, std::uint32_t count, std::size_t minRecord) {
    return !in.Failed() && count <= in.Remaining() / minRecord;
}

bool ReadPayload(CByteReader& in, CHumichartDataObj& data, std::wstring& remark) {
    remark = in.Text();
    for (std::int32_t* flag : {&data.HasTLine, &data.HasDLine, &data.HasILine, &data.HasFLine,
                               &data.HasProcessLineName, &data.HasBorder, &data.HasBackground, &data.HasForeground})
        *flag = in.I32();
    data.airPressure = in.F64();
    auto& c = data.cssrRegion;
    for (double* value : {&c.maxT, &c.minT, &c.maxD, &c.minD}) *value = in.F64();
    auto& r = data.viewRange;
    for (double* value : {&r.Ymin, &r.Ymax, &r.Dmin, &r.Dmax}) *value = in.F64();

    const std::uint32_t points = in.U32();
    if (!CountFits(in, points, 20)) return false;
    data.points.resize(points);
    for (StatePoint& point : data.points) {
        point.I = in.F64();
        point.D = in.F64();
        point.name = in.Text();
    }
    const std::uint32_t processes = in.U32();
    if (!CountFits(in, processes, 20)) return false;
    data.processes.resize(processes);
    for (TransferProcess& process : data.processes) {
        process.ptStart = in.Text();
        process.ptEnd = in.Text();
        process.name = in.Text();
        process.dAirFlow = in.F64();
    }
    const std::uint32_t mixes = in.U32();
    if (!CountFits(in, mixes, 32)) return false;
    data.mixes.resize(mixes);
    for (MixProcess& mix : data.mixes) {
        mix.ptFresh = in.Text();
        mix.ptReturn = in.Text();
        mix.ptMix = in.Text();
        mix.name = in.Text();
        mix.dFreshAirFlow = in.F64();
        mix.dAirFlow = in.F64();
    }
    return !in.Failed() && in.Remaining() == 0 && CSlotFileCodec::Storable(data);
}

}  // namespace

// A value that is not a finite number would poison every computation and
// every paint of the chart that loads it, and the chart's own commands never
// store one: a file that carries one is damaged or crafted.
bool CSlotFileCodec::Storable(const CHumichartDataObj& data) {
    const auto finite = [](std::initializer_list<double> values) {
        for (double value : values)
            if (!std::isfinite(value)) return false;
        return true;
    };
    const auto& r = data.viewRange;
    const auto& c = data.cssrRegion;
    if (!finite({data.airPressure, r.Ymin, r.Ymax, r.Dmin, r.Dmax, c.maxT, c.minT, c.maxD, c.minD})) return false;
    for (const StatePoint& point : data.points)
        if (!finite({point.I, point.D})) return false;
    for (const TransferProcess& process : data.processes)
        if (!finite({process.dAirFlow})) return false;
    for (const MixProcess& mix : data.mixes)
        if (!finite({mix.dFreshAirFlow, mix.dAirFlow})) return false;
    return true;
}

std::vector<std::uint8_t> CSlotFileCodec::Encode(const CHumichartDataObj& data, const std::wstring& remark) {
    CByteWriter payload;
    WritePayload(payload, data, remark);

    CByteWriter file;
    auto& bytes = file.Bytes();
    bytes.reserve(kHeaderSize + payload.Bytes().size());
    for (char c : kMagic) bytes.push_back(static_cast<std::uint8_t>(c));
    file.U32(kFormat);
    file.U32(static_cast<std::uint32_t>(payload.Bytes().size()));
    file.U32(Crc32(payload.Bytes()));
    bytes.insert(bytes.end(), payload.Bytes().begin(), payload.Bytes().end());
    return bytes;
}

bool CSlotFileCodec::Decode(std::span<const std::uint8_t> bytes, CHumichartDataObj& data, std::wstring& remark) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
    CByteReader header(bytes.subspan(sizeof kMagic, kHeaderSize - sizeof kMagic));
    const std::uint32_t format = header.U32();
    const std::uint32_t size = header.U32();
    const std::uint32_t crc = header.U32();
    const auto payload = bytes.subspan(kHeaderSize);
    if (format != kFormat || size != payload.size() || crc != Crc32(payload)) return false;

    CHumichartDataObj decoded;
    std::wstring decodedRemark;
    CByteReader in(payload);
    if (!ReadPayload(in, decoded, decodedRemark)) return false;
    data.CopyData(decoded);
    remark = std::move(decodedRemark);
    return true;
}

}  // namespace humichart
