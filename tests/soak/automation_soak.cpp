// A seeded random client against a live chart control hosted in our own
// container: every member of IHumichartCtl with hostile values, interleaved
// with stream and storage saves and loads, slot loads (slots written in a
// folder of the test's own), resizes and repaints. A model of what the chart
// must hold is kept beside it and checked through the counts and GetPoint,
// GetProcess and GetMixer. At the end every object is released, both
// libraries can unload, and the process's handles, GDI objects and private
// memory are back near where they started.
//
//   automation_soak [--calls=N] [--seed=S]     (a failure names its seed)
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "CSlotFileStore.h"
#include "ControlContainer.h"
#include "ControlTestSupport.h"

namespace {

long g_calls = 6000;
unsigned g_seed = 10;

using namespace humichart;

struct Figures {
    ULONG handles = 0;         // the process's kernel handles, from the system's handle list
    int gdiFree = 0;           // GDI objects that can still be made (the rest are in use)
    SIZE_T committed = 0;      // private committed memory
    SIZE_T workingSet = 0;
};

// The system's handle list, as NtQuerySystemInformation gives it
// (SystemHandleInformation), counted for this process.
struct SystemHandle {
    ULONG ProcessId;
    BYTE ObjectTypeNumber;
    BYTE Flags;
    USHORT Handle;
    PVOID Object;
    ACCESS_MASK GrantedAccess;
};
struct SystemHandles {
    ULONG Count;
    SystemHandle Handle[1];
};

ULONG HandleCount() {
    using Query = LONG(WINAPI*)(int, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        const LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) break;
        if (status != static_cast<LONG>(0xC0000004) /* length mismatch */) return 0;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
    }
    const auto* list = reinterpret_cast<const SystemHandles*>(buffer.data());
    ULONG mine = 0;
    for (ULONG i = 0; i < list->Count; ++i) mine += list->Handle[i].ProcessId == GetCurrentProcessId();
    return mine;
}

// GDI objects in use, measured the only way every platform allows: how many
// more can be made before the process's quota is reached.
int FreeGdiObjects() {
    std::vector<HRGN> made;
    made.reserve(70000);
    while (made.size() < 70000) {
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        if (!region) break;
        made.push_back(region);
    }
    for (HRGN region : made) DeleteObject(region);
    return static_cast<int>(made.size());
}

Figures Measure() {
    Figures f;
    f.handles = HandleCount();
    f.gdiFree = FreeGdiObjects();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        f.committed = memory.PagefileUsage;
        f.workingSet = memory.WorkingSetSize;
    }
    return f;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A name as the client passes it: absent (a null string) or a string that
// may hold anything, embedded nulls included.
struct Name {
    bool null = false;
    std::wstring text;
};

// What the chart must hold, by the rules of the automation interface.
struct Model {
    double pressure = 101325.0;
    std::vector<StatePoint> points;
    std::vector<TransferProcess> processes;
    std::vector<MixProcess> mixes;

    StatePoint* FindPoint(const std::wstring& name) {
        if (name.empty()) return nullptr;
        for (StatePoint& p : points)
            if (p.name == name) return &p;
        return nullptr;
    }
    bool IsMixPoint(const std::wstring& name) const {
        for (const MixProcess& m : mixes)
            if (m.ptMix == name) return true;
        return false;
    }
    // A mix that goes leaves its mix point wherever the last paint put it
    // (or on the saturation curve, when the paint put it in the fog): from
    // then on its coordinates are not known here (NaN, which the chart
    // itself never holds).
    void Forget(const MixProcess& gone) {
        for (StatePoint& p : points)
            if (p.name == gone.ptMix) p.I = p.D = std::numeric_limits<double>::quiet_NaN();
    }
    // A point that goes takes the processes and mixes naming it along.
    void RemoveRecordsNaming(const std::wstring& name) {
        std::erase_if(processes, [&](const TransferProcess& p) { return p.ptStart == name || p.ptEnd == name; });
        for (const MixProcess& m : std::vector<MixProcess>(mixes))
            if (m.ptFresh == name || m.ptReturn == name || m.ptMix == name) Forget(m);
        std::erase_if(mixes, [&](const MixProcess& m) {
            return m.ptFresh == name || m.ptReturn == name || m.ptMix == name;
        });
    }
};

// Within the chart: from -100 to 200 degC on the ordinate I - 2.5 D at D = 0,
// and from 0 to 500 g/kg.
bool OnTheChart(double I, double D) {
    const double Y = I - 2.5 * D;
    return D >= 0 && D <= 500 && Y >= 1.005 * -100 && Y <= 1.005 * 200;
}

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed) {}

    std::mt19937_64 random_;

    int Uniform(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    double Number() {
        static const double hostile[] = {std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         1e308,
                                         -1e308,
                                         5e-324,
                                         0.0,
                                         -0.0,
                                         -1.0,
                                         1e300,
                                         -1e300,
                                         3e307,
                                         -3e307,
                                         1e10,
                                         85000.0,
                                         111325.0,
                                         101325.0};
        switch (Uniform(4)) {
        case 0: return hostile[Uniform(static_cast<int>(std::size(hostile)))];
        case 1: return std::uniform_real_distribution<double>(-40.0, 120.0)(random_);  // enthalpies
        case 2: return std::uniform_real_distribution<double>(0.0, 40.0)(random_);     // humidity ratios
        default: return std::uniform_real_distribution<double>(-2000.0, 5000.0)(random_);
        }
    }

    Name RandomName() {
        static const std::wstring pool[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"M1", L"M2", L"M3",
                                            L"\U0001F321", L"\U0001F321x", std::wstring(L"a\0b", 3),
                                            std::wstring(L"a\0c", 3), L"a", L"A "};
        switch (Uniform(12)) {
        case 0: return {true, {}};
        case 1: return {false, {}};
        case 2: {
            std::wstring longName(100000, L'n');
            longName.back() = static_cast<wchar_t>(L'0' + Uniform(3));
            return {false, longName};
        }
        default: return {false, pool[Uniform(static_cast<int>(std::size(pool)))]};
        }
    }
};

class AutomationSoak : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr)); }
    void TearDown() override { OleUninitialize(); }

    TestAppData appData_{L"soak-appdata"};
};

UniqueBstr Bstr(const Name& name) {
    UniqueBstr b;
    if (!name.null) b.Reset(SysAllocStringLen(name.text.data(), static_cast<UINT>(name.text.size())));
    return b;
}

std::wstring Text(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

// Arguments a careless or hostile late-bound client passes: anything at all.
// Outputs by reference point into slots that are cleaned up afterwards.
struct HostileArgs {
    std::vector<VARIANT> args;
    std::vector<double> numbers;
    std::vector<BSTR> strings;
    std::vector<VARIANT> variants;

    HostileArgs(Soak& soak, int count) : args(count), numbers(count), strings(count, nullptr), variants(count) {
        for (int i = 0; i < count; ++i) {
            VariantInit(&args[i]);
            VariantInit(&variants[i]);
            VARIANT& v = args[i];
            switch (soak.Uniform(11)) {
            case 0: v.vt = VT_EMPTY; break;
            case 1: v.vt = VT_NULL; break;
            case 2: v.vt = VT_I4; v.lVal = static_cast<LONG>(soak.random_()); break;
            case 3: v.vt = VT_R8; v.dblVal = soak.Number(); break;
            case 4: {
                const Name name = soak.RandomName();
                v.vt = VT_BSTR;
                v.bstrVal = name.null ? nullptr : SysAllocStringLen(name.text.data(), static_cast<UINT>(name.text.size()));
                break;
            }
            case 5: v.vt = VT_BSTR; v.bstrVal = SysAllocString(L"12.5e3"); break;
            case 6: v.vt = VT_BOOL; v.boolVal = VARIANT_TRUE; break;
            case 7: v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; break;  // a missing argument
            case 8: v.vt = VT_BYREF | VT_R8; v.pdblVal = &numbers[i]; break;
            case 9: v.vt = VT_BYREF | VT_BSTR; v.pbstrVal = &strings[i]; break;
            default: v.vt = VT_BYREF | VT_VARIANT; v.pvarVal = &variants[i];
            }
        }
    }
    ~HostileArgs() {
        for (VARIANT& v : args)
            if (!(v.vt & VT_BYREF)) VariantClear(&v);
        for (BSTR b : strings) SysFreeString(b);
        for (VARIANT& v : variants) VariantClear(&v);
    }
};

TEST_F(AutomationSoak, RandomCallsAgainstAModel) {
    std::printf("soak: %ld calls, seed %u\n", g_calls, g_seed);
    HWND host = CreateWindowExW(0, L"STATIC", L"soak", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                900, 700, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    const RECT start{0, 0, 640, 480};
    // One control made and closed before the figures are taken, so that what
    // the first one sets up for good (GDI+, fonts, the type library) is not
    // counted as a leak.
    {
        CControlContainer warmUp;
        ASSERT_HRESULT_SUCCEEDED(warmUp.CreateControl(host, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE, start));
        Pump();
    }
    Pump();
    const Figures before = Measure();
    const DWORD began = GetTickCount();

    // Slots left by a run that was cut short would load into the chart
    // behind the model's back.
    appData_.Clean();
    const std::filesystem::path slotFolder = appData_.Folder() / L"Humichart" / L"slots";
    {
        CControlContainer container;
        ASSERT_HRESULT_SUCCEEDED(container.CreateControl(host, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE, start));
        ComPtr<IHumichartCtl> chart;
        ComPtr<IUnknown>::Share(container.Find(1000)->Control()).As(chart);
        ASSERT_TRUE(chart);
        CSlotFileStore slots(slotFolder);

        Soak soak(g_seed);
        Model model;
        std::map<std::uint32_t, Model> savedSlots;
        long calls = 0;
        const auto fail = [&](const char* what) {
            ADD_FAILURE() << what << " after " << calls << " calls (seed " << g_seed << ")";
        };

        const auto checkAll = [&] {
            ULONG n = 0;
            ++calls;
            if (chart->PointCount(&n) != S_OK || n != model.points.size()) return fail("point count");
            ++calls;
            if (chart->ProcessCount(&n) != S_OK || n != model.processes.size()) return fail("process count");
            ++calls;
            if (chart->MixerCount(&n) != S_OK || n != model.mixes.size()) return fail("mix count");
            double p = 0;
            ++calls;
            if (chart->get_AirPressure(&p) != S_OK || p != model.pressure) return fail("pressure");
        };

        while (calls < g_calls && !HasFailure()) {
            const int op = soak.Uniform(30);
            ++calls;
            if (op < 6) {  // AddPoint
                const double di = soak.Number(), dd = soak.Number();
                const Name name = soak.RandomName();
                const UniqueBstr b = Bstr(name);
                HRESULT expected = S_OK;
                if (!std::isfinite(di) || !std::isfinite(dd) || dd > SaturationAt(di, model.pressure) ||
                    !OnTheChart(di, dd))
                    expected = E_INVALIDARG;
                if (soak.Uniform(3) == 0) {
                    // Late-bound, as script and Basic clients call it: the
                    // arguments last to first, the failure as the method's own
                    // status or as an exception carrying it.
                    DISPID id = 0;
                    LPOLESTR member = const_cast<LPOLESTR>(L"addPOINT");
                    if (chart->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id) != S_OK || id != 16)
                        fail("AddPoint by name");
                    VARIANT args[3];
                    for (VARIANT& v : args) VariantInit(&v);
                    args[0].vt = VT_BSTR;
                    args[0].bstrVal = b.Get();
                    args[1].vt = VT_R8;
                    args[1].dblVal = dd;
                    args[2].vt = VT_R8;
                    args[2].dblVal = di;
                    DISPPARAMS params{args, nullptr, 3, 0};
                    EXCEPINFO exception{};
                    const HRESULT hr = chart->Invoke(16, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                                     nullptr, &exception, nullptr);
                    SysFreeString(exception.bstrSource);
                    SysFreeString(exception.bstrDescription);
                    SysFreeString(exception.bstrHelpFile);
                    const HRESULT got = hr == DISP_E_EXCEPTION ? exception.scode : hr;
                    if (got != expected) fail("AddPoint late-bound");
                } else if (chart->AddPoint(di, dd, b.Get()) != expected) {
                    fail("AddPoint");
                }
                if (expected == S_OK) {
                    if (StatePoint* same = model.FindPoint(name.text))
                        model.points.erase(model.points.begin() + (same - model.points.data()));
                    model.points.push_back({di, dd, name.text});
                }
            } else if (op < 8) {  // RemovePoint
                const Name name = soak.RandomName();
                const UniqueBstr b = Bstr(name);
                StatePoint* found = model.FindPoint(name.text);
                const HRESULT expected = name.text.empty() ? E_INVALIDARG : found ? S_OK : E_FAIL;
                if (chart->RemovePoint(b.Get()) != expected) fail("RemovePoint");
                if (found) {
                    model.points.erase(model.points.begin() + (found - model.points.data()));
                    model.RemoveRecordsNaming(name.text);
                }
            } else if (op < 11) {  // AddProcess
                const Name a = soak.RandomName(), b = soak.RandomName(), n = soak.RandomName();
                const double flow = soak.Number();
                const UniqueBstr ba = Bstr(a), bb = Bstr(b), bn = Bstr(n);
                const bool ok = !a.text.empty() && !b.text.empty() && std::isfinite(flow) && a.text != b.text &&
                                model.FindPoint(a.text) && model.FindPoint(b.text);
                if (chart->AddProcess(ba.Get(), bb.Get(), bn.Get(), flow) != (ok ? S_OK : E_INVALIDARG))
                    fail("AddProcess");
                if (ok) {
                    for (auto it = model.processes.begin(); it != model.processes.end(); ++it)
                        if ((it->ptStart == a.text && it->ptEnd == b.text) || (it->ptStart == b.text && it->ptEnd == a.text)) {
                            model.processes.erase(it);
                            break;
                        }
                    model.processes.push_back({a.text, b.text, n.text, flow});
                }
            } else if (op < 12) {  // RemoveProcess
                const Name a = soak.RandomName(), b = soak.RandomName();
                const UniqueBstr ba = Bstr(a), bb = Bstr(b);
                HRESULT expected = E_INVALIDARG;
                if (!a.text.empty() && !b.text.empty()) {
                    expected = E_FAIL;
                    for (auto it = model.processes.begin(); it != model.processes.end(); ++it)
                        if ((it->ptStart == a.text && it->ptEnd == b.text) || (it->ptStart == b.text && it->ptEnd == a.text)) {
                            model.processes.erase(it);
                            expected = S_OK;
                            break;
                        }
                }
                if (chart->RemoveProcess(ba.Get(), bb.Get()) != expected) fail("RemoveProcess");
            } else if (op < 15) {  // AddMixLine
                const Name f = soak.RandomName(), r = soak.RandomName(), m = soak.RandomName(), n = soak.RandomName();
                const double ff = soak.Number(), af = soak.Number();
                const UniqueBstr bf = Bstr(f), br = Bstr(r), bm = Bstr(m), bn = Bstr(n);
                const bool ok = !f.text.empty() && !r.text.empty() && !m.text.empty() && std::isfinite(ff) &&
                                std::isfinite(af) && !model.FindPoint(m.text) && f.text != r.text &&
                                model.FindPoint(f.text) && model.FindPoint(r.text);
                if (chart->AddMixLine(bf.Get(), br.Get(), bm.Get(), bn.Get(), ff, af) != (ok ? S_OK : E_INVALIDARG))
                    fail("AddMixLine");
                if (ok) {
                    for (auto it = model.mixes.begin(); it != model.mixes.end(); ++it)
                        if ((it->ptFresh == f.text && it->ptReturn == r.text) ||
                            (it->ptFresh == r.text && it->ptReturn == f.text)) {
                            const MixProcess gone = *it;
                            model.mixes.erase(it);
                            model.Forget(gone);
                            break;
                        }
                    model.points.push_back({0.0, 0.0, m.text});
                    model.mixes.push_back({f.text, r.text, m.text, n.text, ff, af});
                }
            } else if (op < 16) {  // RemoveMixLine
                const Name f = soak.RandomName(), r = soak.RandomName();
                const UniqueBstr bf = Bstr(f), br = Bstr(r);
                HRESULT expected = E_INVALIDARG;
                if (!f.text.empty() && !r.text.empty()) {
                    expected = E_FAIL;
                    for (auto it = model.mixes.begin(); it != model.mixes.end(); ++it)
                        if ((it->ptFresh == f.text && it->ptReturn == r.text) ||
                            (it->ptFresh == r.text && it->ptReturn == f.text)) {
                            const MixProcess gone = *it;
                            model.mixes.erase(it);
                            model.Forget(gone);
                            expected = S_OK;
                            break;
                        }
                }
                if (chart->RemoveMixLine(bf.Get(), br.Get()) != expected) fail("RemoveMixLine");
            } else if (op < 19) {  // GetPoint, GetProcess, GetMixer, in range or not
                const int kind = soak.Uniform(3);
                const std::size_t size = kind == 0 ? model.points.size() : kind == 1 ? model.processes.size() : model.mixes.size();
                const ULONG index = soak.Uniform(4) == 0 ? static_cast<ULONG>(soak.random_())
                                                         : static_cast<ULONG>(soak.Uniform(static_cast<int>(size) + 2));
                const HRESULT expected = index < size ? S_OK : E_INVALIDARG;
                if (kind == 0) {
                    double i = 0, d = 0;
                    UniqueBstr name;
                    if (chart->GetPoint(index, &i, &d, name.Put()) != expected) fail("GetPoint status");
                    else if (expected == S_OK) {
                        const StatePoint& p = model.points[index];
                        if (Text(name.Get()) != p.name || (!name.Get()) != p.name.empty()) fail("GetPoint name");
                        // Mix points move at every paint; the rest stay exactly as given.
                        else if (!model.IsMixPoint(p.name) && !std::isnan(p.I) &&
                                 (std::memcmp(&i, &p.I, sizeof i) != 0 || std::memcmp(&d, &p.D, sizeof d) != 0))
                            fail("GetPoint coordinates");
                    }
                } else if (kind == 1) {
                    double flow = 0;
                    UniqueBstr s, e, n;
                    if (chart->GetProcess(index, s.Put(), e.Put(), n.Put(), &flow) != expected) fail("GetProcess status");
                    else if (expected == S_OK) {
                        const TransferProcess& p = model.processes[index];
                        if (Text(s.Get()) != p.ptStart || Text(e.Get()) != p.ptEnd || Text(n.Get()) != p.name ||
                            std::memcmp(&flow, &p.dAirFlow, sizeof flow) != 0)
                            fail("GetProcess fields");
                    }
                } else {
                    double ff = 0, af = 0;
                    UniqueBstr f, r, m, n;
                    const HRESULT hr = chart->GetMixer(index, f.Put(), r.Put(), m.Put(), n.Put(), &ff, &af);
                    if (hr != expected) {
                        ULONG n = 0;
                        chart->MixerCount(&n);
                        ADD_FAILURE() << "GetMixer(" << index << ") answered " << std::hex << hr << std::dec << " with "
                                      << n << " mixes, the model " << size;
                        fail("GetMixer status");
                    }
                    else if (expected == S_OK) {
                        const MixProcess& x = model.mixes[index];
                        if (Text(f.Get()) != x.ptFresh || Text(r.Get()) != x.ptReturn || Text(m.Get()) != x.ptMix ||
                            Text(n.Get()) != x.name || std::memcmp(&ff, &x.dFreshAirFlow, sizeof ff) != 0 ||
                            std::memcmp(&af, &x.dAirFlow, sizeof af) != 0)
                            fail("GetMixer fields");
                    }
                }
            } else if (op < 20) {  // the remove-all family
                switch (soak.Uniform(4)) {
                case 0:
                    chart->RemoveAllPoints();
                    model.points.clear();
                    model.processes.clear();
                    model.mixes.clear();
                    break;
                case 1:
                    chart->RemoveNoNamePoints();
                    std::erase_if(model.points, [](const StatePoint& p) { return p.name.empty(); });
                    break;
                case 2:
                    chart->RemoveAllProcesses();
                    model.processes.clear();
                    break;
                default:
                    chart->RemoveAllMixLines();
                    for (const MixProcess& gone : std::vector<MixProcess>(model.mixes)) model.Forget(gone);
                    model.mixes.clear();
                }
            } else if (op < 21) {  // SetCSSR, Reset, Refresh
                switch (soak.Uniform(6)) {
                case 0:
                    chart->Reset();
                    model = Model{};
                    break;
                case 1: chart->Refresh(); break;
                default: {
                    const HRESULT hr = chart->SetCSSR(soak.Number(), soak.Number(), soak.Number(), soak.Number());
                    if (hr != S_OK && hr != E_INVALIDARG) fail("SetCSSR");
                }
                }
            } else if (op < 23) {  // properties
                const double value = soak.Number();
                double read = 0;
                VARIANT_BOOL flag = 0;
                switch (soak.Uniform(7)) {
                case 0: {
                    const bool ok = value >= 85000 && value <= 111325;
                    if (chart->put_AirPressure(value) != (ok ? S_OK : E_INVALIDARG)) fail("AirPressure");
                    if (ok) model.pressure = value;
                    break;
                }
                case 1: chart->put_RangeMaxT(value); break;
                case 2: chart->put_RangeMinT(value); break;
                case 3: chart->put_RangeMaxD(value); break;
                case 4: chart->put_RangeMinD(value); break;
                case 5:
                    chart->put_HasProcessLineName(static_cast<VARIANT_BOOL>(soak.random_()));
                    chart->put_HasBorder(static_cast<VARIANT_BOOL>(soak.random_()));
                    chart->put_HasTLine(static_cast<VARIANT_BOOL>(soak.random_()));
                    if (chart->get_HasFLine(&flag) != S_OK || (flag != VARIANT_TRUE && flag != VARIANT_FALSE))
                        fail("flag read-back");
                    break;
                default:
                    for (auto get : {&IHumichartCtl::get_RangeMaxT, &IHumichartCtl::get_RangeMinT,
                                     &IHumichartCtl::get_RangeMaxD, &IHumichartCtl::get_RangeMinD})
                        if ((chart.Get()->*get)(&read) != S_OK || !std::isfinite(read)) fail("range read-back");
                }
            } else if (op < 25) {  // slots: saved here, loaded by the chart through DataIndex
                const std::uint32_t slot = static_cast<std::uint32_t>(soak.Uniform(6));
                switch (soak.Uniform(3)) {
                case 0: {
                    CHumichartDataObj data;
                    data.airPressure = model.pressure;
                    data.points = model.points;
                    data.processes = model.processes;
                    data.mixes = model.mixes;
                    if (slots.Save(slot, data)) savedSlots[slot] = model;
                    break;
                }
                case 1:
                    std::filesystem::create_directories(slotFolder);
                    std::ofstream(slots.SlotPath(slot), std::ios::binary | std::ios::trunc) << "damaged";
                    savedSlots.erase(slot);
                    break;
                default:
                    if (chart->put_DataIndex(slot) != S_OK) fail("DataIndex");
                    if (const auto found = savedSlots.find(slot); found != savedSlots.end()) model = found->second;
                }
            } else if (op < 27) {  // the property copies through a stream and a storage
                ComPtr<IPersistStreamInit> persist;
                ComPtr<IStream> stream;
                chart.As(persist);
                if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) { fail("stream"); continue; }
                // The copies that are saved are what was last read through the
                // interface: read them first.
                double a = 0, b = 0, range[4] = {}, copied[4] = {};
                const auto readRange = [](IHumichartCtl* from, double* into) {
                    from->get_RangeMinT(&into[0]);
                    from->get_RangeMaxT(&into[1]);
                    from->get_RangeMinD(&into[2]);
                    from->get_RangeMaxD(&into[3]);
                };
                chart->get_AirPressure(&a);
                readRange(chart.Get(), range);
                calls += 6;
                if (persist->Save(stream.Get(), TRUE) != S_OK) fail("stream save");
                LARGE_INTEGER zero{};
                stream->Seek(zero, STREAM_SEEK_SET, nullptr);
                ComPtr<IHumichartCtl> copy = CreateChart();
                ComPtr<IPersistStreamInit> copyPersist;
                copy.As(copyPersist);
                if (!copyPersist || copyPersist->Load(stream.Get()) != S_OK) fail("stream load");
                copy->get_AirPressure(&b);
                readRange(copy.Get(), copied);
                if (a != b || std::memcmp(range, copied, sizeof range) != 0) fail("pressure or range through the stream");

                ComPtr<ILockBytes> bytes;
                ComPtr<IStorage> storage;
                ComPtr<IPersistStorage> stored;
                chart.As(stored);
                if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put())) ||
                    FAILED(StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                                        storage.Put())) || !stored) {
                    fail("storage");
                    continue;
                }
                ++calls;
                if (stored->Save(storage.Get(), FALSE) != S_OK) fail("storage save");
                stored->SaveCompleted(nullptr);
                ComPtr<IHumichartCtl> second = CreateChart();
                ComPtr<IPersistStorage> secondStored;
                second.As(secondStored);
                if (!secondStored || secondStored->Load(storage.Get()) != S_OK) fail("storage load");
                second->get_AirPressure(&b);
                if (a != b) fail("pressure through the storage");
            } else if (op < 28) {  // a hostile late-bound call
                // Members that change no list may get anything; those that do
                // get a wrong number of arguments and must refuse.
                static const DISPID readers[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 26, 27, 28, 29, 30, 31, 33};
                // Arguments each member takes, by dispatch id (a return value is none).
                static const int parameters[] = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 3, 1, 0,
                                                 0, 4, 2, 0, 6, 2, 0, 0, 0, 0, 4, 5, 7, 4, 1};
                const bool reader = soak.Uniform(2) == 0;
                DISPID id = reader ? readers[soak.Uniform(static_cast<int>(std::size(readers)))] : 14 + soak.Uniform(12);
                if (!reader && soak.Uniform(6) == 0) id = 32;
                if (soak.Uniform(20) == 0) id = static_cast<DISPID>(soak.random_() % 80) - 20;  // no such member
                WORD flags = DISPATCH_METHOD;
                if (id >= 2 && id <= 13) flags = soak.Uniform(2) ? DISPATCH_PROPERTYGET : DISPATCH_PROPERTYPUT;
                if (id == 33) flags = DISPATCH_PROPERTYGET;
                const bool changesLists = id == 14 || (id >= 16 && id <= 25) || id == 32;
                int count = soak.Uniform(8);
                if (changesLists) {
                    while (count == parameters[id]) count = soak.Uniform(8);
                }
                HostileArgs args(soak, count);
                DISPID named = DISPID_PROPERTYPUT;
                DISPPARAMS params{args.args.data(), nullptr, static_cast<UINT>(count), 0};
                if (flags == DISPATCH_PROPERTYPUT && count > 0) {
                    params.rgdispidNamedArgs = &named;
                    params.cNamedArgs = 1;
                }
                VARIANT result;
                VariantInit(&result);
                EXCEPINFO exception{};
                UINT argError = 0;
                const HRESULT hr = chart->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                                                 &exception, &argError);
                VariantClear(&result);
                SysFreeString(exception.bstrSource);
                SysFreeString(exception.bstrDescription);
                SysFreeString(exception.bstrHelpFile);
                if (changesLists && SUCCEEDED(hr))
                    ADD_FAILURE() << "member " << id << " ran with " << count << " arguments after " << calls
                                  << " calls (seed " << g_seed << ")";
            } else if (op < 29) {  // resizes, down to nothing
                static const RECT sizes[] = {{0, 0, 640, 480}, {0, 0, 1, 1}, {0, 0, 0, 0}, {5, 5, 205, 85},
                                             {0, 0, 1200, 900}, {10, 20, 110, 420}};
                container.MoveControl(1000, sizes[soak.Uniform(static_cast<int>(std::size(sizes)))], true);
                Pump();
            } else {  // repaints
                RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Pump();
            }
            if (soak.Uniform(50) == 0) {
                RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Pump();
                checkAll();
            }
        }
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        checkAll();
        std::printf("soak: %ld calls in %.1f s; held %zu points, %zu processes, %zu mixes\n", calls,
                    (GetTickCount() - began) / 1000.0, model.points.size(), model.processes.size(),
                    model.mixes.size());
        chart.Reset();
        container.CloseAll();
    }
    DestroyWindow(host);
    Pump();
    CoFreeUnusedLibraries();
    for (const wchar_t* library : {L"Humichart.dll", L"Humicalc.dll"}) {
        HMODULE module = GetModuleHandleW(library);
        if (!module) continue;  // already unloaded: nothing held it
        const auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_TRUE(canUnload);
        EXPECT_EQ(canUnload(), S_OK) << "objects of " << std::string(library, library + wcslen(library)) << " still live";
    }
    appData_.Clean();
    const Figures after = Measure();
    std::printf("soak figures, start -> end: kernel handles %lu -> %lu, GDI objects still to be had %d -> %d, "
                "private memory %.1f -> %.1f MB, working set %.1f -> %.1f MB\n",
                before.handles, after.handles, before.gdiFree, after.gdiFree, before.committed / 1048576.0,
                after.committed / 1048576.0, before.workingSet / 1048576.0, after.workingSet / 1048576.0);
    EXPECT_LE(after.handles, before.handles + 16);
    EXPECT_GE(after.gdiFree, before.gdiFree - 8);
    EXPECT_LE(after.committed, before.committed + 64u * 1048576u);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--calls=", 8) == 0) g_calls = std::strtol(argv[i] + 8, nullptr, 10);
        if (std::strncmp(argv[i], "--seed=", 7) == 0) g_seed = static_cast<unsigned>(std::strtoul(argv[i] + 7, nullptr, 10));
    }
    return RUN_ALL_TESTS();
}
