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

    // The summary of what was saved there; Empty without a file, Damaged
    // with one that does not read.
    StorageSlotInfo Info(std::uint32_t slot) const override;
    // One row per slot 0 to 13.
    std::vector<StorageSlotInfo> SlotTable() const;

    std::filesystem::path SlotPath(std::uint32_t slot) const;
    const std::filesystem::path& Directory() const { return directory_; }

private:
    bool ReadSlot(std::uint32_t slot, CHumichartDataObj& data, std::wstring& remark) const;

    std::filesystem::path directory_;
};

}  // namespace humichart
