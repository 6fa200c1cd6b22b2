// Humicalc.dll serves one class, CalID.
#include "CCalID.h"
#include "ServerModule.h"

namespace {
const ClassEntry kClasses[] = {{&CLSID_CalID, &CCalID::Create}};
}

const ServerModule& ThisServer() {
    static const ServerModule module{kClasses, HumicalcRegistration()};
    return module;
}
