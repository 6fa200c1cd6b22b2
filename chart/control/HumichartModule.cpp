// Humichart.dll serves one class, the chart control.
#include "CHumichartCtl.h"
#include "ServerModule.h"

namespace {
const ClassEntry kClasses[] = {{&CLSID_HumichartCtl, &humichart::CHumichartCtl::Create}};
}

const ServerModule& ThisServer() {
    static const ServerModule module{kClasses, HumichartRegistration()};
    return module;
}
