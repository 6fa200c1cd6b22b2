#include "DialogTemplate.h"

#include <objbase.h>

#include <cstring>

namespace {

// A bounded reader over template bytes; every read past the end sets failed.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    size_t Offset() const { return offset_; }
    bool Failed() const { return failed_; }

    template <class T>
    T Read() {
        T value{};
        if (!Need(sizeof(T))) return value;
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    void Skip(size_t bytes) {
        if (Need(bytes)) offset_ += bytes;
    }
    void AlignTo(size_t boundary) {
        const size_t padded = (offset_ + boundary - 1) / boundary * boundary;
        if (padded <= size_) offset_ = padded;  // a last item may end unpadded
    }
    // A zero-terminated UTF-16 string, read unit by unit whatever the width
    // of wchar_t (the parser is fuzzed natively too).
    std::wstring ReadString() {
        std::wstring text;
        for (;;) {
            const auto c = Read<WORD>();
            if (failed_ || c == 0) return text;
            text.push_back(static_cast<wchar_t>(c));
        }
    }
    // sz_Or_Ord: nothing, an ordinal after 0xFFFF, or a string. Ordinals come
    // back as an empty string: no class id is ever an ordinal.
    std::wstring ReadNameOrOrdinal() {
        const auto first = Read<WORD>();
        if (failed_ || first == 0) return {};
        if (first == 0xFFFF) {
            Read<WORD>();
            return {};
        }
        offset_ -= sizeof(WORD);
        return ReadString();
    }

private:
    bool Need(size_t bytes) {
        if (failed_ || bytes > size_ - offset_) {
            failed_ = true;
            return false;
        }
        return true;
    }

    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool failed_ = false;
};

void AppendPadded(std::vector<BYTE>& out, const BYTE* from, size_t bytes) {
    while (out.size() % sizeof(DWORD) != 0) out.push_back(0);
    out.insert(out.end(), from, from + bytes);
}

}  // namespace

std::optional<CLSID> ClassIdFromWindowClass(const std::wstring& className) {
    if (className.size() != 38 || className.front() != L'{' || className.back() != L'}') return std::nullopt;
    CLSID clsid{};
    if (FAILED(CLSIDFromString(className.c_str(), &clsid))) return std::nullopt;
    return clsid;
}

std::optional<SplitDialogTemplate> SplitOleControls(const BYTE* data, size_t size) {
    if (!data) return std::nullopt;
    TemplateReader in(data, size);
    SplitDialogTemplate result;

    // Header: the item count sits at a different place in the two layouts.
    size_t countOffset = 0;
    WORD count = 0;
    DWORD style = 0;
    const auto version = in.Read<WORD>();
    const auto signature = in.Read<WORD>();
    result.extended = version == 1 && signature == 0xFFFF;
    if (result.extended) {
        in.Read<DWORD>();  // help id
        in.Read<DWORD>();  // extended style
        result.styleOffset = in.Offset();
        style = in.Read<DWORD>();
        countOffset = in.Offset();
        count = in.Read<WORD>();
    } else {
        in = TemplateReader(data, size);
        result.styleOffset = in.Offset();
        style = in.Read<DWORD>();
        in.Read<DWORD>();
        countOffset = in.Offset();
        count = in.Read<WORD>();
    }
    in.Skip(4 * sizeof(short));
    in.ReadNameOrOrdinal();  // menu
    in.ReadNameOrOrdinal();  // window class
    in.ReadString();         // title
    if (style & DS_SETFONT) {
        in.Read<WORD>();  // point size
        if (result.extended) {
            in.Read<WORD>();  // weight
            in.Read<BYTE>();  // italic
            in.Read<BYTE>();  // character set
        }
        in.ReadString();
    }
    if (in.Failed()) return std::nullopt;
    result.dialogTemplate.assign(data, data + in.Offset());
    result.itemCount = count;
    result.style = style;

    WORD kept = 0;
    for (size_t index = 0; index < count; ++index) {
        in.AlignTo(sizeof(DWORD));
        const size_t start = in.Offset();
        OleControlItem item;
        short x, y, cx, cy;
        if (result.extended) {
            in.Read<DWORD>();  // help id
            item.exStyle = in.Read<DWORD>();
            item.style = in.Read<DWORD>();
        } else {
            item.style = in.Read<DWORD>();
            item.exStyle = in.Read<DWORD>();
        }
        x = in.Read<short>();
        y = in.Read<short>();
        cx = in.Read<short>();
        cy = in.Read<short>();
        item.id = result.extended ? in.Read<DWORD>() : in.Read<WORD>();
        const std::wstring className = in.ReadNameOrOrdinal();
        item.text = in.ReadNameOrOrdinal();
        // The dialog manager counts creation data after its size word in both
        // layouts, whatever the older documentation says.
        const auto extra = in.Read<WORD>();
        in.Skip(extra);
        if (in.Failed()) return std::nullopt;

        if (auto clsid = ClassIdFromWindowClass(className)) {
            item.clsid = *clsid;
            item.rect = RECT{x, y, x + cx, y + cy};
            item.templateIndex = index;
            result.controls.push_back(std::move(item));
        } else {
            AppendPadded(result.dialogTemplate, data + start, in.Offset() - start);
            ++kept;
        }
    }
    std::memcpy(result.dialogTemplate.data() + countOffset, &kept, sizeof kept);
    while (result.dialogTemplate.size() % sizeof(DWORD) != 0) result.dialogTemplate.push_back(0);
    return result;
}
