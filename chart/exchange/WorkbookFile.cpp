#include "WorkbookFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "Biff8.h"
#include "CompoundFile.h"
#include "ReplaceExistingFile.h"

namespace humichart {
namespace {

const wchar_t kNotWorkbook[] = L"The file is not an Excel 97-2003 workbook";

// Room for the largest workbook stream the reader takes and the compound
// file's tables around it.
constexpr std::uintmax_t kMaxFileSize = kBiff8MaxStreamSize + (kBiff8MaxStreamSize >> 4) + (1u << 16);

// A wide path as the file system takes it: UTF-16 on Windows, UTF-8 natively.
std::filesystem::path PathOf(const std::wstring& path) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::filesystem::path(path);
    } else {
        std::u8string utf8;
        for (const wchar_t c : path) {
            const auto code = static_cast<std::uint32_t>(c);
            const auto put = [&](std::uint32_t byte) { utf8.push_back(static_cast<char8_t>(byte)); };
            if (code < 0x80) {
                put(code);
            } else if (code < 0x800) {
                put(0xC0 | code >> 6), put(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                put(0xE0 | code >> 12), put(0x80 | (code >> 6 & 0x3F)), put(0x80 | (code & 0x3F));
            } else {
                put(0xF0 | code >> 18), put(0x80 | (code >> 12 & 0x3F)), put(0x80 | (code >> 6 & 0x3F)),
                    put(0x80 | (code & 0x3F));
            }
        }
        return std::filesystem::path(utf8);
    }
}

std::wstring NotReadable(const std::wstring& path) { return L"The file " + path + L" cannot be read"; }

// What a file that is no compound file most likely is, for the message.
std::wstring NotCompoundFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == 3 && bytes[3] == 4)
        return L"The file is an Excel 2007 or later workbook (.xlsx); save it as an Excel 97-2003 workbook (.xls) "
               L"and try again";
    // A bare BIFF2 to BIFF5 stream, as the oldest versions saved them.
    if (bytes.size() >= 4 && bytes[1] <= 0x08 && bytes[0] == 0x09 && (bytes[1] & 1) == 0) {
        Workbook ignored;
        std::wstring error;
        if (!ReadBiff8(bytes.data(), bytes.size(), ignored, error)) return error;
        return kNotWorkbook;
    }
    return kNotWorkbook;
}

}  // namespace

std::vector<std::uint8_t> WorkbookFileBytes(const Workbook& workbook) {
    return WriteCompoundFile(u"Workbook", WriteBiff8(workbook));
}

bool SaveWorkbookFile(const std::wstring& path, const Workbook& workbook, std::wstring& error) {
    const std::vector<std::uint8_t> file = WorkbookFileBytes(workbook);
    const std::filesystem::path target = PathOf(path);
    std::filesystem::path temporary = target;
    temporary += L".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = L"The file " + path + L" cannot be written";
            return false;
        }
    }
    if (!ReplaceExistingFile(temporary, target)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        error = L"The file " + path + L" cannot be replaced; it may be open in another program";
        return false;
    }
    return true;
}

namespace {

// LoadWorkbookFile less its answer to an allocation that fails.
bool LoadFile(const std::wstring& path, Workbook& workbook, std::wstring& error) {
    const std::filesystem::path source = PathOf(path);
    std::error_code failed;
    const std::uintmax_t size = std::filesystem::file_size(source, failed);
    if (failed) {
        error = NotReadable(path);
        return false;
    }
    if (size > kMaxFileSize) {
        error = L"The workbook is too large to import";
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(source, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = NotReadable(path);
        return false;
    }
    return ReadWorkbookBytes(bytes, workbook, error);
}

}  // namespace

bool ReadWorkbookBytes(const std::vector<std::uint8_t>& bytes, Workbook& workbook, std::wstring& error) {
    workbook.sheets.clear();
    if (bytes.size() > kMaxFileSize) {
        error = L"The workbook is too large to import";
        return false;
    }
    std::vector<std::uint8_t> stream;
    switch (ReadCompoundStream(bytes.data(), bytes.size(), u"Workbook", stream)) {
    case CompoundRead::Ok:
        return ReadBiff8(stream.data(), stream.size(), workbook, error);
    case CompoundRead::NotCompoundFile:
        error = NotCompoundFile(bytes);
        return false;
    case CompoundRead::Damaged:
        error = L"The workbook is damaged and cannot be read (its file structure is broken)";
        return false;
    case CompoundRead::NoSuchStream:
        // Excel 5.0/95 named the stream "Book".
        error = ReadCompoundStream(bytes.data(), bytes.size(), u"Book", stream) == CompoundRead::Ok
                    ? L"The workbook was saved in an older Excel format (Excel 5.0/95 or earlier); save it as an "
                      L"Excel 97-2003 workbook and try again"
                    : kNotWorkbook;
        return false;
    }
    return false;
}

bool LoadWorkbookFile(const std::wstring& path, Workbook& workbook, std::wstring& error) {
    workbook.sheets.clear();
    try {
        return LoadFile(path, workbook, error);
    } catch (const std::bad_alloc&) {
        workbook.sheets.clear();
        error = kBiff8NotEnoughMemory;
        return false;
    }
}

}  // namespace humichart
