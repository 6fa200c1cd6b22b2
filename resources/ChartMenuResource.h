// Identifiers of the chart window's menu, its About box, the "Point status"
// window and the name editor.
#pragma once

#define IDR_CHARTMENU 201
#define IDD_HUMICHART_ABOUT 110
#define IDD_PARAMQUERY 114
#define IDD_INPUT 216
#define IDC_INPUT_EDIT 200
#define IDC_ABOUT_VERSION 1001

// The point status fields, top to bottom, left column first.
#define IDC_PQ_DBT 208
#define IDC_PQ_WBT 209
#define IDC_PQ_DPT 210
#define IDC_PQ_MC 211
#define IDC_PQ_RH 212
#define IDC_PQ_VP 213
#define IDC_PQ_I 214
#define IDC_PQ_P 215

// Menu commands.
#define ID_ABOUT_CONTROL 202
#define ID_POINTS 203
#define ID_TRANSFER_PROCESSES 204
#define ID_MIX_PROCESSES 205
#define ID_SHOW_PARAMETERS 206
#define ID_GRAPH_PROPERTY 207
#define ID_MOVE_AND_ZOOM 208
#define ID_CLEAR_NONAME 209
#define ID_CLEAR_ALL 210
#define ID_RESET_DEFAULT 211
#define ID_DATA_IO 32771
#define ID_PRINT 32774
// The "Tools" sub-menu: "Supply air state...", "Fresh air...", "Dew-point
// supply...".
#define ID_TOOL_1 32781
#define ID_TOOL_2 32782
#define ID_COPY_BITMAP 32785
#define ID_TOOL_3 32786
#define ID_TOOLS 32787
