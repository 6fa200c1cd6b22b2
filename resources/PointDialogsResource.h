// Identifiers of the "Points" and graph property dialogs: their templates
// and controls, shared by the resource script and the dialogs' rules.
#pragma once

#define IDD_GRAPH_PROPERTY 106
#define IDD_POINTS 111

// "Points": parameter check boxes, their edit boxes, the name box and its
// buttons. OK, Cancel and Apply are 1, 2 and 4.
#define IDC_POINTS_CHECK_DBT 228
#define IDC_POINTS_CHECK_MC 222
#define IDC_POINTS_CHECK_DPT 221
#define IDC_POINTS_CHECK_VP 224
#define IDC_POINTS_CHECK_RH 223
#define IDC_POINTS_CHECK_WBT 220
#define IDC_POINTS_CHECK_I 218
#define IDC_POINTS_EDIT_DBT 208
#define IDC_POINTS_EDIT_MC 211
#define IDC_POINTS_EDIT_DPT 210
#define IDC_POINTS_EDIT_VP 213
#define IDC_POINTS_EDIT_RH 212
#define IDC_POINTS_EDIT_WBT 209
#define IDC_POINTS_EDIT_I 214
#define IDC_POINTS_NAME 227
#define IDC_POINTS_ADD 217
#define IDC_POINTS_MODIFY 226
#define IDC_POINTS_DELETE 225
#define IDC_POINTS_APPLY 4

// Graph property: pressure and range edits, display flags, Apply.
#define IDC_PROP_PRESSURE 206
#define IDC_PROP_MAX_T 232
#define IDC_PROP_MIN_T 233
#define IDC_PROP_MAX_D 234
#define IDC_PROP_MIN_D 235
#define IDC_PROP_T_LINE 207
#define IDC_PROP_D_LINE 208
#define IDC_PROP_I_LINE 209
#define IDC_PROP_F_LINE 210
#define IDC_PROP_LINE_NAME 211
#define IDC_PROP_FRAME 218
#define IDC_PROP_BACKGROUND 219
#define IDC_PROP_FOREGROUND 220
#define IDC_PROP_APPLY 4

// Strings. A string table is kept in blocks of sixteen ids, and two resource
// scripts of one module must not share a block: these start at 256.
#define IDS_POINTS_DELETE_RECORDS 260
