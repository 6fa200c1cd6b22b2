// Storage slots kept as files, one per slot, in a directory the owner
// chooses (the control gives the user's application-data folder). A save
// writes a temporary file and moves it over the old one, so a crash never
// leaves a half-written slot; a missing or damaged file loads as a failure.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "ISlotStore.h"
#include "StorageSlotInfo.h"

namespace humichart {

class CSlotFileStore : public ISlotStore {
public:
    // Slots the storage list shows; any other number is stored all the same.
    static constexpr std::uint32_t kTableSize = 14;

    explicit CSlotFileStore(std::filesystem::path directory);

    bool Load(std::uint32_t slot, CHumichartDataObj& target) override;
    bool Save(std::uint32_t slot, const CHumichartDataObj& source) override;

    // One row per slot 0 to 13: what was saved there, or the initial content
    // while the slot holds no readable file.
    std::vector<StorageSlotInfo> SlotTable() const;
    static StorageSlotInfo InitialSlotInfo(std::uint32_t slot);

    std::filesystem::path SlotPath(std::uint32_t slot) const;
    const std::filesystem::path& Directory() const { return directory_; }

private:
    bool ReadSlot(std::uint32_t slot, CHumichartDataObj& data, std::wstring& remark) const;

    std::filesystem::path directory_;
};

}  // namespace humichart
