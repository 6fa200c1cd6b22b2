#include "DlgInit.h"

#include <cstring>

std::optional<std::vector<DlgInitRecord>> ParseDlgInit(const BYTE* data, size_t size) {
    std::vector<DlgInitRecord> records;
    size_t at = 0;
    for (;;) {
        WORD id = 0;
        if (size - at < sizeof id) return std::nullopt;
        std::memcpy(&id, data + at, sizeof id);
        if (id == 0) return records;
        DlgInitRecord record;
        record.controlId = id;
        DWORD length = 0;
        if (size - at < 2 * sizeof(WORD) + sizeof(DWORD)) return std::nullopt;
        std::memcpy(&record.message, data + at + 2, sizeof(WORD));
        std::memcpy(&length, data + at + 4, sizeof(DWORD));
        at += 8;
        if (length > size - at) return std::nullopt;
        record.data.assign(data + at, data + at + length);
        at += length;
        records.push_back(std::move(record));
    }
}

std::optional<std::vector<DlgInitRecord>> LoadDlgInit(HINSTANCE module, LPCWSTR templateId) {
    HRSRC found = FindResourceW(module, templateId, MAKEINTRESOURCEW(kDlgInitResourceType));
    if (!found) return std::vector<DlgInitRecord>{};
    HGLOBAL loaded = LoadResource(module, found);  // module memory: nothing to free
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return std::nullopt;
    return ParseDlgInit(bytes, SizeofResource(module, found));
}

std::optional<ControlInitData> DecodeControlInit(const DlgInitRecord& record) {
    ControlInitData init;
    init.message = record.message;
    const std::vector<BYTE>& data = record.data;
    size_t at = 0;
    switch (record.message) {
    case kDlgInitInitNew:
        return init;
    case kDlgInitLoadFromStream:
    case kDlgInitLoadFromStorage:
        break;
    case kDlgInitLoadFromStreamEx:
    case kDlgInitLoadFromStorageEx: {
        // A character count, then that many UTF-16 characters of the key.
        DWORD characters = 0;
        if (data.size() < sizeof characters) return std::nullopt;
        std::memcpy(&characters, data.data(), sizeof characters);
        at = sizeof characters;
        // UTF-16 units, read one by one whatever the width of wchar_t.
        if (characters > (data.size() - at) / sizeof(WORD)) return std::nullopt;
        for (DWORD i = 0; i < characters; ++i, at += sizeof(WORD)) {
            WORD unit = 0;
            std::memcpy(&unit, data.data() + at, sizeof unit);
            init.licenceKey.push_back(static_cast<wchar_t>(unit));
        }
        break;
    }
    default:
        return std::nullopt;
    }
    init.fromStorage = record.message == kDlgInitLoadFromStorage || record.message == kDlgInitLoadFromStorageEx;
    init.persisted.assign(data.begin() + at, data.end());
    return init;
}
