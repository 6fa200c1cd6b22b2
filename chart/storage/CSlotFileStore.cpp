#include "CSlotFileStore.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <utility>

#include "CSlotFileCodec.h"
#include "ReplaceExistingFile.h"

namespace humichart {

namespace {

// Far beyond any chart a person draws; a larger file is not ours.
constexpr std::uintmax_t kMaxFileSize = 256u * 1024 * 1024;

std::wstring SaveTimeRemark() {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "Saved %Y-%m-%d %H:%M:%S", local);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// Two savers of one slot must not share a temporary file.
std::filesystem::path TemporaryPath(const std::filesystem::path& target) {
    static std::mt19937 random{std::random_device{}()};
    std::filesystem::path path = target;
    std::string suffix = ".";
    suffix += std::to_string(random());
    suffix += ".tmp";
    path += suffix;
    return path;
}

}  // namespace

CSlotFileStore::CSlotFileStore(std::filesystem::path directory) : directory_(std::move(directory)) {}

std::filesystem::path CSlotFileStore::SlotPath(std::uint32_t slot) const {
    return directory_ / ("slot" + std::to_string(slot) + ".hcs");
}

bool CSlotFileStore::ReadSlot(std::uint32_t slot, CHumichartDataObj& data, std::wstring& remark) const {
    const std::filesystem::path path = SlotPath(slot);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileSize) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // A file that grew meanwhile is read to its old size and fails its length
    // check; one that shrank fails here.
    if (file.gcount() != static_cast<std::streamsize>(bytes.size())) return false;
    return CSlotFileCodec::Decode(bytes, data, remark);
}

bool CSlotFileStore::Load(std::uint32_t slot, CHumichartDataObj& target) {
    try {
        std::wstring remark;
        return ReadSlot(slot, target, remark);
    } catch (const std::exception&) {
        return false;
    }
}

bool CSlotFileStore::Save(std::uint32_t slot, const CHumichartDataObj& source) {
    if (!CSlotFileCodec::Storable(source)) return false;
    try {
        const std::vector<std::uint8_t> bytes = CSlotFileCodec::Encode(source, SaveTimeRemark());
        std::error_code error;
        std::filesystem::create_directories(directory_, error);
        if (error) return false;

        const std::filesystem::path target = SlotPath(slot);
        const std::filesystem::path temporary = TemporaryPath(target);
        {
            std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            file.close();
            if (!file) {
                std::filesystem::remove(temporary, error);
                return false;
            }
        }
        if (!ReplaceExistingFile(temporary, target)) {
            std::filesystem::remove(temporary, error);
            return false;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

StorageSlotInfo CSlotFileStore::Info(std::uint32_t slot) const {
    StorageSlotInfo info;
    std::error_code error;
    if (!std::filesystem::exists(SlotPath(slot), error) || error) return info;
    CHumichartDataObj data;
    std::wstring remark;
    bool read = false;
    try {
        read = ReadSlot(slot, data, remark);
    } catch (const std::exception&) {
    }
    if (!read) {
        info.state = StorageSlotInfo::State::Damaged;
        return info;
    }
    info.state = StorageSlotInfo::State::Saved;
    info.airPressure = static_cast<float>(data.airPressure);
    info.pointCount = static_cast<std::uint32_t>(data.points.size());
    info.processCount = static_cast<std::uint32_t>(data.processes.size());
    info.mixCount = static_cast<std::uint32_t>(data.mixes.size());
    info.remark = remark.substr(0, StorageSlotInfo::kMaxRemark);
    return info;
}

std::vector<StorageSlotInfo> CSlotFileStore::SlotTable() const {
    std::vector<StorageSlotInfo> table;
    table.reserve(kTableSize);
    for (std::uint32_t slot = 0; slot < kTableSize; ++slot) table.push_back(Info(slot));
    return table;
}

}  // namespace humichart
