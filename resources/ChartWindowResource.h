// Identifiers of the chart window's resources.
#pragma once

#define IDD_IDWND 201

// The chart window's messages. String tables are kept in blocks of sixteen
// identifiers, and two resource files must not share a block: these stay
// clear of the dialogs' numbers.
#define IDS_PRINT_NO_MEMORY 1600
