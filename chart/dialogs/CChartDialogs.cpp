#include "CChartDialogs.h"

#include "CIDWnd.h"

namespace humichart {

bool CChartDialogs::Open(CIDWnd&, unsigned command) {
    switch (command) {
    default:
        return false;
    }
}

}  // namespace humichart
