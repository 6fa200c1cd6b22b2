#include "DocumentFiles.h"

#include "DocumentsResource.h"
#include "ResourceString.h"

namespace humichart {

namespace {

using Reason = FileFailure::Reason;

FileFailure Failed(Reason reason, DWORD code = ERROR_SUCCESS) { return {reason, code}; }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    // "C:\name": the root keeps its backslash.
    if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

// What the system's code says of a file that was to be replaced or read.
FileFailure FromCode(DWORD code, const std::wstring& path) {
    switch (code) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return Failed(Reason::NoFolder, code);
    case ERROR_FILE_NOT_FOUND:
        return Failed(Reason::NoFile, code);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return Failed(Reason::Locked, code);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Failed(Reason::DiskFull, code);
    case ERROR_ACCESS_DENIED: {
        const DWORD attributes = Attributes(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return Failed(Reason::IsFolder, code);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return Failed(Reason::ReadOnly, code);
        return Failed(Reason::Denied, code);
    }
    default:
        return Failed(Reason::Other, code);
    }
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Ok() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        const bool closed = !Ok() || CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

}  // namespace

FileFailure WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty()) return Failed(Reason::NoFile, ERROR_FILE_NOT_FOUND);
    // Said before anything is written: the old file stays as it is.
    const DWORD existing = Attributes(path);
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (existing & FILE_ATTRIBUTE_DIRECTORY) return Failed(Reason::IsFolder);
        if (existing & FILE_ATTRIBUTE_READONLY) return Failed(Reason::ReadOnly);
    }
    const std::wstring folder = FolderOf(path);
    const DWORD folderAttributes = Attributes(folder);
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(Reason::NoFolder, GetLastError());

    // The new file in the same folder, so that the move is a rename.
    wchar_t temporary[MAX_PATH + 16] = {};
    if (folder.size() > MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"hcd", 0, temporary)) {
        const DWORD code = GetLastError();
        return code == ERROR_ACCESS_DENIED ? Failed(Reason::Denied, code) : FromCode(code, folder);
    }
    FileFailure failure;
    {
        FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file.Ok()) failure = FromCode(GetLastError(), temporary);
        std::size_t written = 0;
        while (!failure && written < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
            DWORD done = 0;
            if (!WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr) || done == 0)
                failure = FromCode(GetLastError(), temporary);
            written += done;
        }
        if (!failure && !FlushFileBuffers(file.Get())) failure = FromCode(GetLastError(), temporary);
        if (!file.Close() && !failure) failure = FromCode(GetLastError(), temporary);
    }
    if (!failure && !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = FromCode(GetLastError(), path);
    if (failure) {
        DeleteFileW(temporary);
        // Replacing a file that another program holds open is refused as
        // access denied as often as a sharing violation.
        if (failure.reason == Reason::Denied && existing != INVALID_FILE_ATTRIBUTES) failure.reason = Reason::Locked;
    }
    return failure;
}

FileFailure ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes, std::uint64_t limit) {
    bytes.clear();
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Ok()) return FromCode(GetLastError(), path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return FromCode(GetLastError(), path);
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) return Failed(Reason::TooLarge);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t read = 0;
    while (read < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - read, 1u << 24));
        DWORD done = 0;
        if (!ReadFile(file.Get(), bytes.data() + read, chunk, &done, nullptr)) return FromCode(GetLastError(), path);
        if (done == 0) break;
        read += done;
    }
    bytes.resize(read);
    return {};
}

std::wstring FailureText(const FileFailure& failure) {
    switch (failure.reason) {
    case Reason::None: return {};
    case Reason::NoFolder: return LoadResourceString(IDS_REASON_NO_FOLDER);
    case Reason::ReadOnly: return LoadResourceString(IDS_REASON_READ_ONLY);
    case Reason::Locked: return LoadResourceString(IDS_REASON_LOCKED);
    case Reason::Denied: return LoadResourceString(IDS_REASON_DENIED);
    case Reason::NoFile: return LoadResourceString(IDS_REASON_NO_FILE);
    case Reason::DiskFull: return LoadResourceString(IDS_REASON_DISK_FULL);
    case Reason::IsFolder: return LoadResourceString(IDS_REASON_IS_FOLDER);
    case Reason::TooLarge: return LoadResourceString(IDS_REASON_TOO_LARGE);
    case Reason::Other: break;
    }
    // The system's own words for it, in the system's language.
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, failure.code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring words = length ? std::wstring(text, length) : L"error " + std::to_wstring(failure.code);
    if (text) LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
    return words;
}

}  // namespace humichart
