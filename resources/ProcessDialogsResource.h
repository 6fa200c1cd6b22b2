// Identifiers of the process dialogs' resources: "Transfer processes",
// "Mix processes", "Get point by HOM" and "Get air flow", with their strings.
#pragma once

#define IDD_NEW_PROCESS 112
#define IDD_NEW_MIXER 113
#define IDD_SUB_PROCESS 116
#define IDD_SUB_PROCESS_FLOW 120

// Controls (the numbers repeat across the four templates). OK and Cancel are
// the dialog manager's own, spelt here too for the standard-C++ rules.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
#define IDC_APPLY 4
#define IDC_PROCESS_START 202
#define IDC_PROCESS_END 203
#define IDC_MIX_POINT 204
#define IDC_AIR_FLOW 205
#define IDC_PROCESS_RATIO 206
#define IDC_PROCESS_HEAT 207
#define IDC_PROCESS_MOIST 211
#define IDC_PROCESS_NAME 216
#define IDC_ITEM_ADD 217
#define IDC_ITEM_DELETE 225
#define IDC_ITEM_MODIFY 226
#define IDC_MIX_FRESH 229
#define IDC_MIX_RETURN 230
#define IDC_FRESH_FLOW 231
#define IDC_KNOWN_VALUE 232
#define IDC_NEW_POINT_NAME 233
// "Get point by HOM" and "Get air flow": the list of known parameters.
#define IDC_KNOWN_KIND 216

// Strings.
#define IDS_BY_HOM 201
#define IDS_KNOWN_DBT 202
#define IDS_KNOWN_RH 203
#define IDS_KNOWN_MC 204
#define IDS_KNOWN_I 205
#define IDS_KNOWN_WBT 206
#define IDS_KNOWN_DPT 207
#define IDS_KNOWN_VP 208
#define IDS_LOAD_HEAT 220
#define IDS_LOAD_MOIST 221
#define IDS_MIX_FEEDS_ITSELF 222
