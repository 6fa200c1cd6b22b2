#include "CAboutDlg.h"

#include "HumistartResource.h"
#include "ModuleInstance.h"

CAboutDlg::CAboutDlg() : CControlDialog(ThisModuleInstance(), IDD_ABOUTBOX) {}
