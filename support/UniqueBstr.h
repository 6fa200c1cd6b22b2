// The owner of one BSTR: frees it when it goes, hands it over on Detach.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

class UniqueBstr {
public:
    UniqueBstr() = default;
    explicit UniqueBstr(std::wstring_view text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.text_, nullptr));
        return *this;
    }
    ~UniqueBstr() { Reset(); }

    BSTR Get() const { return text_; }
    BSTR* Put() { Reset(); return &text_; }
    BSTR Detach() { return std::exchange(text_, nullptr); }
    void Reset(BSTR text = nullptr) { if (BSTR old = std::exchange(text_, text)) SysFreeString(old); }
    // The text, empty for a null string.
    std::wstring_view View() const { return text_ ? std::wstring_view(text_, SysStringLen(text_)) : std::wstring_view(); }

private:
    BSTR text_ = nullptr;
};
