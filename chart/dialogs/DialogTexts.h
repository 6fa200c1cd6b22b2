// Captions and message box styles the dialogs' messages share.
#pragma once

#include "IDialogView.h"

namespace humichart {

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
