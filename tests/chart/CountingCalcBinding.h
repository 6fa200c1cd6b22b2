// Test double for the calculator seam: opens core-backed sessions, counts
// sessions and computing calls, and can fail the opening or the n-th call the
// way a COM-backed session would.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "CCalcError.h"
#include "CCoreCalcBinding.h"

namespace humichart::test {

class CountingCalcBinding final : public ICalcBinding {
public:
    Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) override {
        if (!Succeeded(openStatus)) return openStatus;
        ++sessions;
        std::unique_ptr<ICalcSession> inner;
        const Status status = m_core.Open(airPressure, inner);
        if (!Succeeded(status)) return status;
        pressures = airPressure;
        session = std::make_unique<Session>(*this, std::move(inner));
        return kStatusOk;
    }

    void Reset() { sessions = 0; calls = 0; }

    Status openStatus = kStatusOk;
    long failOnCall = 0;  // 1-based call number that throws; 0: never
    Status failStatus = static_cast<Status>(0x80010108u);
    long sessions = 0;
    long calls = 0;
    double pressures = 0.0;  // pressure of the last session opened

private:
    class Session final : public ICalcSession {
    public:
        Session(CountingCalcBinding& owner, std::unique_ptr<ICalcSession> inner)
            : m_owner(owner), m_inner(std::move(inner)) {}

        void SetInit(double P) override { m_inner->SetInit(P); }

#define HUMICHART_COUNT1(op, a) \
    double op(double a) override { Count(); return m_inner->op(a); }
#define HUMICHART_COUNT2(op, a, b) \
    double op(double a, double b) override { Count(); return m_inner->op(a, b); }
        HUMICHART_COUNT1(ID_PQ_D, D)
        HUMICHART_COUNT1(ID_D_PQ, PQ)
        HUMICHART_COUNT1(ID_I_TS, TS)
        HUMICHART_COUNT2(ID_I_T_F, T, F)
        HUMICHART_COUNT2(ID_I_T_D, T, D)
        HUMICHART_COUNT2(ID_I_D_F, D, F)
        HUMICHART_COUNT2(ID_D_T_TS, T, TS)
        HUMICHART_COUNT2(ID_D_T_F, T, F)
        HUMICHART_COUNT2(ID_D_T_I, T, I)
        HUMICHART_COUNT2(ID_D_F_TS, F, TS)
        HUMICHART_COUNT2(ID_D_I_F, I, F)
        HUMICHART_COUNT2(ID_F_T_TS, T, TS)
        HUMICHART_COUNT2(ID_F_T_I, T, I)
        HUMICHART_COUNT2(ID_F_D_I, D, I)
        HUMICHART_COUNT2(ID_F_T_D, T, D)
        HUMICHART_COUNT2(ID_F_D_TS, D, TS)
        HUMICHART_COUNT2(ID_TS_T_F, T, F)
        HUMICHART_COUNT1(ID_TS_I, I)
        HUMICHART_COUNT2(ID_TS_T_D, T, D)
        HUMICHART_COUNT2(ID_TS_D_F, D, F)
        HUMICHART_COUNT2(ID_T_D_I, D, I)
        HUMICHART_COUNT2(ID_T_D_TS, D, TS)
        HUMICHART_COUNT2(ID_T_D_F, D, F)
        HUMICHART_COUNT2(ID_T_F_TS, F, TS)
        HUMICHART_COUNT2(ID_T_I_F, I, F)
        HUMICHART_COUNT2(ID_ROU_T_D, T, D)
        HUMICHART_COUNT2(ID_ROU_I_D, I, D)
        HUMICHART_COUNT2(ID_ROU_T_F, T, F)
#undef HUMICHART_COUNT1
#undef HUMICHART_COUNT2

    private:
        void Count() {
            ++m_owner.calls;
            if (m_owner.failOnCall != 0 && m_owner.calls == m_owner.failOnCall)
                throw CCalcError(m_owner.failStatus);
        }

        CountingCalcBinding& m_owner;
        std::unique_ptr<ICalcSession> m_inner;
    };

    CCoreCalcBinding m_core;
};

}  // namespace humichart::test
