// Humistart: the chart control on its own, in one resizable window.
#include <windows.h>

#include "CHumistartApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CHumistartApp app;
    return app.Run();
}
