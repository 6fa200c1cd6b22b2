// Record identifiers of the BIFF8 records the codec writes or reads.
#pragma once

#include <cstdint>

namespace humichart::biff8 {

enum Record : std::uint16_t {
    kFormula = 0x0006,
    kEof = 0x000A,
    kCalcCount = 0x000C,
    kCalcMode = 0x000D,
    kPrecision = 0x000E,
    kRefMode = 0x000F,
    kDelta = 0x0010,
    kIteration = 0x0011,
    kProtect = 0x0012,
    kPassword = 0x0013,
    kHeader = 0x0014,
    kFooter = 0x0015,
    kWindowProtect = 0x0019,
    kDateMode = 0x0022,
    kPrintHeaders = 0x002A,
    kPrintGridlines = 0x002B,
    kFilePass = 0x002F,
    kFont = 0x0031,
    kContinue = 0x003C,
    kWindow1 = 0x003D,
    kBackup = 0x0040,
    kCodePage = 0x0042,
    kDefColWidth = 0x0055,
    kWriteAccess = 0x005C,
    kSaveRecalc = 0x005F,
    kGuts = 0x0080,
    kWsBool = 0x0081,
    kGridSet = 0x0082,
    kHCenter = 0x0083,
    kVCenter = 0x0084,
    kBoundSheet = 0x0085,
    kCountry = 0x008C,
    kHideObj = 0x008D,
    kFnGroupCount = 0x009C,
    kMulRk = 0x00BD,
    kMulBlank = 0x00BE,
    kMms = 0x00C1,
    kRString = 0x00D6,
    kBookBool = 0x00DA,
    kXf = 0x00E0,
    kInterfaceHdr = 0x00E1,
    kInterfaceEnd = 0x00E2,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kExtSst = 0x00FF,
    kTabId = 0x013D,
    kUsesElfs = 0x0160,
    kDsf = 0x0161,
    kProt4Rev = 0x01AF,
    kRefreshAll = 0x01B7,
    kProt4RevPass = 0x01BC,
    kDimensions = 0x0200,
    kBlank = 0x0201,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRow = 0x0208,
    kDefaultRowHeight = 0x0225,
    kWindow2 = 0x023E,
    kRk = 0x027E,
    kStyle = 0x0293,
    kFormat = 0x041E,
    kBof = 0x0809,
};

// BOF: the version of BIFF8 and the kinds of substream.
inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kGlobalsSubstream = 0x0005;
inline constexpr std::uint16_t kWorksheetSubstream = 0x0010;

// Records carry at most this many bytes; longer data goes on in CONTINUE.
inline constexpr std::size_t kMaxRecordData = 8224;

// The cell format every written cell uses: the first cell XF after the 15
// style XFs.
inline constexpr std::uint16_t kDefaultCellXf = 15;

inline constexpr std::uint8_t kErrorNum = 0x24;  // #NUM!

}  // namespace humichart::biff8
