// Self-registration from data: each library describes its registry entries as
// a table (RegistryEntries.h), and one mechanism writes and removes them.
#pragma once

#include "RegistryEntries.h"

// The module is the one the calling code was linked into (com_module).
HRESULT RegisterServer(const ServerRegistration& server);
HRESULT UnregisterServer(const ServerRegistration& server);
