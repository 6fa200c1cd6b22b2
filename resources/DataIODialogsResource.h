// Identifiers of the Data IO dialog and the storage list.
#pragma once

#define IDD_DATAIO 118
#define IDD_FILELIST 121

#define IDC_DATAIO_EXPORT 218
#define IDC_DATAIO_READ 219
#define IDC_DATAIO_SAVE 220
#define IDC_DATAIO_STORAGE 221
#define IDC_DATAIO_IMPORT 222
#define IDC_DATAIO_TREE 235
#define IDC_FILELIST_LIST 238

#define IDS_DATAIO_REPEATED_POINT 240
