// Dialog initialisation data (resource type 240, RT_DLGINIT, named like its
// dialog): records of WORD control id, WORD message, DWORD length and that
// many bytes, ended by a zero control id. For an embedded control the message
// says how its data is to be loaded.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

constexpr WORD kDlgInitResourceType = 240;

// The messages that resource editors write for embedded controls.
constexpr WORD kDlgInitLoadFromStream = 0x0376;      // the data is the persisted stream
constexpr WORD kDlgInitLoadFromStorage = 0x0377;     // the data is a compound file
constexpr WORD kDlgInitInitNew = 0x0378;             // no data: start from defaults
constexpr WORD kDlgInitLoadFromStreamEx = 0x037A;    // licence key, then the stream
constexpr WORD kDlgInitLoadFromStorageEx = 0x037B;   // licence key, then the compound file

struct DlgInitRecord {
    WORD controlId = 0;
    WORD message = 0;
    std::vector<BYTE> data;
};

// The records of one DLGINIT resource; nullopt when a record runs past size
// (a damaged resource must not be read beyond its end).
std::optional<std::vector<DlgInitRecord>> ParseDlgInit(const BYTE* data, size_t size);

// The records stored for dialog templateId in module, an empty list when the
// dialog has none, nullopt when its resource is damaged: a damaged resource is
// undecodable initialisation data, never "no data".
std::optional<std::vector<DlgInitRecord>> LoadDlgInit(HINSTANCE module, LPCWSTR templateId);

// What an embedded control gets from one record: the licence key (empty when
// none) and the bytes that its persistence interface reads.
struct ControlInitData {
    WORD message = kDlgInitInitNew;
    std::wstring licenceKey;
    std::vector<BYTE> persisted;
    bool fromStorage = false;
};

// Splits the record's data; nullopt when the licence key runs past the data or
// the message is not one of the embedded-control messages.
std::optional<ControlInitData> DecodeControlInit(const DlgInitRecord& record);
