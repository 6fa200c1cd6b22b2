// CHumichartCtl's documents, pictures, report and menu commands: what Data IO,
// the chart's menu and Humistart's document commands do, without dialogs.
#include "CHumichartCtl.h"

namespace humichart {

STDMETHODIMP CHumichartCtl::ExportWorkbook(BSTR) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::ImportWorkbook(BSTR) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::SavePicture(BSTR, VARIANT, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::SaveDocument(BSTR) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::OpenDocument(BSTR) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::PrintReport(BSTR, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::ExecuteCommand(LONG) { return E_NOTIMPL; }
STDMETHODIMP CHumichartCtl::CommandState(LONG, LONG*) { return E_NOTIMPL; }

}  // namespace humichart
