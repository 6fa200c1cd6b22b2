#include "ComModule.h"

#include <atomic>

namespace com_module {
namespace {
HINSTANCE g_module = nullptr;
std::atomic<long> g_locks{0};
}  // namespace

void Attach(HINSTANCE module) { g_module = module; }
HINSTANCE Handle() { return g_module; }

std::wstring Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) { path.resize(n); return path; }
        path.resize(path.size() * 2);
    }
}

void Lock() { ++g_locks; }
void Unlock() { --g_locks; }
bool InUse() { return g_locks.load() != 0; }

}  // namespace com_module
