// Captions, message box styles and texts the dialogs' messages share.
#pragma once

#include "DataFaultText.h"
#include "IDialogView.h"

namespace humichart {

// A string of the dialogs' tables that the rules show: from texts, or the
// English text when texts has none.
std::wstring DialogText(int id, const TextSource& texts);

inline constexpr wchar_t kErrorReport[] = L"Error Report";
inline constexpr wchar_t kDeleteConfirm[] = L"Delete Confirm";
inline constexpr wchar_t kInfomation[] = L"Infomation";

// A validation error: OK with the error icon.
inline constexpr unsigned kStyleError = kMsgOk | kMsgIconError;
// A question whose Yes goes ahead.
inline constexpr unsigned kStyleQuestion = kMsgYesNo | kMsgIconQuestion;
// A confirmation before something is lost: No is the default.
inline constexpr unsigned kStyleConfirm = kMsgYesNo | kMsgIconQuestion | kMsgDefaultButton2;

}  // namespace humichart
