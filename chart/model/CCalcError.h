// Thrown by a calculator session whose call failed (a COM-backed session turns
// a failing HRESULT into this); whoever opened the session stops its work and
// reports the status.
#pragma once

#include <cstdio>
#include <stdexcept>

#include "CalcStatus.h"

namespace humichart {

class CCalcError : public std::runtime_error {
public:
    explicit CCalcError(Status status)
        : std::runtime_error(Describe(status)), m_status(status) {}

    Status GetStatus() const { return m_status; }

private:
    static std::string Describe(Status status) {
        char text[48];
        std::snprintf(text, sizeof text, "calculator call failed: 0x%08X",
                      static_cast<unsigned>(status));
        return text;
    }

    Status m_status;
};

}  // namespace humichart
