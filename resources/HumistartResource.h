// Resource identifiers of Humistart, shared by its resources and its code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_HUMISTART_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_HUMICHARTCTL1 1000
// The About entry of the system menu: system commands keep the low four bits
// free, so the id is a multiple of 16 below 0xF000.
#define IDM_ABOUTBOX 0x0010

// Dialog initialisation data of the main dialog (DLGINIT).
#define RT_HUMISTART_DLGINIT 240
