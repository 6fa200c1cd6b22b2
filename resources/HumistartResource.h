// Resource identifiers of Humistart, shared by its resources and its code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_HUMISTART_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_HUMISTART_MENU 129
#define IDR_HUMISTART_ACCELERATORS 130
#define IDC_HUMICHARTCTL1 1000
// The About entry of the system menu: system commands keep the low four bits
// free, so the id is a multiple of 16 below 0xF000.
#define IDM_ABOUTBOX 0x0010

// Dialog initialisation data of the main dialog (DLGINIT).
#define RT_HUMISTART_DLGINIT 240

// Strings of the document window.
#define IDS_UNTITLED 140
#define IDS_SAVE_CHANGES 141
#define IDS_DOCUMENT_FILTER 142
#define IDS_PICTURE_FILTER 143
#define IDS_CHART_FAILED 144

// The menu bar's own commands.
#define ID_FILE_NEW 40001
#define ID_FILE_OPEN 40002
#define ID_FILE_SAVE 40003
#define ID_FILE_SAVE_AS 40004
#define ID_FILE_SAVE_PICTURE 40005
#define ID_FILE_PRINT_REPORT 40006
#define ID_FILE_EXIT 40007
#define ID_HELP_ABOUT 40008
// The recent documents, most recent first: four ids in a row.
#define ID_FILE_RECENT_FIRST 40011
#define ID_FILE_RECENT_COUNT 4
// The chart's display flags, one item each.
#define ID_VIEW_TLINE 40021
#define ID_VIEW_DLINE 40022
#define ID_VIEW_ILINE 40023
#define ID_VIEW_FLINE 40024
#define ID_VIEW_PROCESS_NAMES 40025
#define ID_VIEW_FRAME 40026
#define ID_VIEW_BACKGROUND 40027
#define ID_VIEW_FOREGROUND 40028
// Items that run the chart's own context-menu commands carry the chart's ids.
#define ID_CHART_SHOW_PARAMETERS 206
#define ID_CHART_MOVE_AND_ZOOM 208
#define ID_CHART_SUPPLY_AIR 32781
#define ID_CHART_FRESH_AIR 32782
#define ID_CHART_COPY 32785
#define ID_CHART_DEW_POINT_SUPPLY 32786
