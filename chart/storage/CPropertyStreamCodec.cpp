#include "CPropertyStreamCodec.h"

#include <array>
#include <cmath>

#include "CByteReader.h"
#include "CByteWriter.h"
#include "CHumichartDataObj.h"
#include "ChartDataCheck.h"

namespace humichart {

namespace {

Status ReadExactly(IByteSource& source, void* buffer, std::uint32_t size) {
    std::uint32_t done = 0;
    const Status status = source.Read(buffer, size, done);
    if (!Succeeded(status)) return status;
    return done == size ? kStatusOk : CPropertyStreamCodec::kStatusReadFault;
}

}  // namespace

Status CPropertyStreamCodec::Write(const ControlProperties& p, IByteSink& sink) {
    CByteWriter out;
    out.U32(kVersion);
    out.U32(p.extentCx);
    out.U32(p.extentCy);
    out.F64(p.AirPressure);
    out.F64(p.RangeMaxT);
    out.F64(p.RangeMinT);
    out.F64(p.RangeMaxD);
    out.F64(p.RangeMinD);
    out.I32(p.HasDLine);
    out.I32(p.HasTLine);
    out.I32(p.HasILine);
    out.I32(p.HasFLine);
    out.I32(p.HasProcessLineName);
    out.I32(p.HasBorder);
    out.I32(p.HasBackground);
    out.I32(p.HasForeground);
    out.U32(p.DataIndex);

    std::uint32_t done = 0;
    const Status status = sink.Write(out.Bytes().data(), static_cast<std::uint32_t>(out.Bytes().size()), done);
    if (!Succeeded(status)) return status;
    return done == out.Bytes().size() ? kStatusOk : kStatusWriteFault;
}

Status CPropertyStreamCodec::Read(IByteSource& source, ControlProperties& properties) {
    std::array<std::uint8_t, 4> head{};
    if (const Status status = ReadExactly(source, head.data(), 4); !Succeeded(status)) return status;
    if (CByteReader(head).U32() > kVersion) return kStatusFail;

    std::array<std::uint8_t, kStreamSize - 4> body{};
    if (const Status status = ReadExactly(source, body.data(), kStreamSize - 4); !Succeeded(status))
        return status;

    CByteReader in(body);
    ControlProperties p;
    p.extentCx = in.U32();
    p.extentCy = in.U32();
    p.AirPressure = in.F64();
    p.RangeMaxT = in.F64();
    p.RangeMinT = in.F64();
    p.RangeMaxD = in.F64();
    p.RangeMinD = in.F64();
    p.HasDLine = in.I32();
    p.HasTLine = in.I32();
    p.HasILine = in.I32();
    p.HasFLine = in.I32();
    p.HasProcessLineName = in.I32();
    p.HasBorder = in.I32();
    p.HasBackground = in.I32();
    p.HasForeground = in.I32();
    p.DataIndex = in.U32();

    // The pressure and range a chart would be made with must be a chart's.
    CHumichartDataObj made;
    made.airPressure = p.AirPressure;
    made.viewRange = CHumichartDataObj::OrderedRange(p.RangeMinT, p.RangeMaxT, p.RangeMinD, p.RangeMaxD);
    for (double value : {p.RangeMaxT, p.RangeMinT, p.RangeMaxD, p.RangeMinD})
        if (!std::isfinite(value)) return kStatusFail;
    if (CheckChartScalars(made)) return kStatusFail;
    properties = p;
    return kStatusOk;
}

}  // namespace humichart
