// What one component library tells the shared server exports about itself.
// Each library defines ThisServer(); registration/ServerExports.cpp turns it
// into DllMain, DllGetClassObject, DllCanUnloadNow, DllRegisterServer and
// DllUnregisterServer.
#pragma once

#include <span>

#include "ClassFactory.h"
#include "RegistryTable.h"

struct ServerModule {
    std::span<const ClassEntry> classes;
    const ServerRegistration& registration;
};

const ServerModule& ThisServer();
