// The chart window's clipboard copy and printing.
#include "CIDWnd.h"

namespace humichart {

void CIDWnd::CopyToClipboard() {}

void CIDWnd::PrintChart() {}

void CIDWnd::RenderForPrint(HDC) {}

}  // namespace humichart
