// The late-bound face of the built-in workbook engine's objects: IDispatch
// over a table of member names (no type library: the exchange asks for every
// member by name), arguments unpacked in their natural order, and failures
// that fill EXCEPINFO with the engine's source and a description a user can
// act on.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <vector>

#include "ComObject.h"

namespace humichart {

inline constexpr wchar_t kWorkbookSource[] = L"Humichart workbook";
// The description of a call that ran out of memory (status E_OUTOFMEMORY).
inline constexpr wchar_t kNotEnoughMemory[] = L"There is not enough memory to finish this step";

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

// The arguments of one call: positional ones first to last, by-reference
// ones read through, omitted optional ones (VT_ERROR DISP_E_PARAMNOTFOUND)
// as absent; the value of a property put apart.
class DispatchArgs {
public:
    DispatchArgs() = default;
    DispatchArgs(const DispatchArgs&) = delete;
    DispatchArgs& operator=(const DispatchArgs&) = delete;
    ~DispatchArgs();
    HRESULT Read(const DISPPARAMS* params, WORD flags);

    std::size_t Count() const { return positional_.size(); }
    // Null when the argument is absent or omitted.
    const VARIANT* At(std::size_t index) const;
    const VARIANT* PutValue() const { return hasPut_ ? &put_ : nullptr; }

private:
    std::vector<VARIANT> positional_;
    VARIANT put_{};
    bool hasPut_ = false;
};

class CNamedDispatch : public ComObjectRoot, public IDispatch {
public:
    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

protected:
    explicit CNamedDispatch(std::vector<DispatchMember> members)
        : ComObjectRoot(nullptr), members_(std::move(members)) {}

    // One member call; flags as Invoke got them. Answers a status, through
    // Fail for anything the user should read about.
    virtual HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) = 0;

    // Records a failure for EXCEPINFO and answers DISP_E_EXCEPTION.
    HRESULT Fail(HRESULT code, std::wstring description);

    static bool IsGet(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }
    static bool IsPut(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }

private:
    void* FindOwnInterface(REFIID riid) override { return FindInterface<IDispatch>(this, riid); }

    std::vector<DispatchMember> members_;
    HRESULT failCode_ = S_OK;
    std::wstring failDescription_;
};

// Creation helpers for results.
inline void SetDispatchResult(VARIANT* result, IDispatch* object) {  // takes over one reference
    if (!result) { object->Release(); return; }
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}
void SetTextResult(VARIANT* result, const std::wstring& text);
void SetBoolResult(VARIANT* result, bool value);

// Argument readers: a text or an integer from a variant by the platform's
// conversion; nullopt when it does not convert.
std::optional<std::wstring> TextArg(const VARIANT* value);
std::optional<long> LongArg(const VARIANT* value);
std::optional<bool> BoolArg(const VARIANT* value);

}  // namespace humichart
