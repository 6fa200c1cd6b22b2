// The GDI+ startup token: GDI+ runs from construction to destruction. Sessions
// nest, so every window that paints with GDI+ may hold its own.
#pragma once

#include <windows.h>

#include <gdiplus.h>

class GdiplusSession {
public:
    GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession();

    bool Ok() const { return status_ == Gdiplus::Ok; }
    Gdiplus::Status GetStatus() const { return status_; }

private:
    ULONG_PTR token_ = 0;
    Gdiplus::Status status_ = Gdiplus::GenericError;
};
