// Humistart: the chart control on its own, in one resizable window, with the
// document named on its command line.
#include <windows.h>

#include "CHumistartApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CHumistartApp app;
    return app.Run(CHumistartApp::DocumentOf(GetCommandLineW()));
}
