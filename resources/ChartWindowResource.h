// Identifiers of the chart window's resources.
#pragma once

#define IDD_IDWND 201
