// What a dialog's rules see of its window: controls by id, their texts,
// checks, enabled and read-only states, the items of lists and combo boxes,
// the focus, questions to the user and closing. The Win32 dialogs implement
// it over their controls; tests implement it over plain data.
//
// Writing an edit box's text notifies the rules as the user's change would
// (ControlEvent::TextChanged: Win32 edits announce every text change), so the
// rules guard their own writes where they must. As in Win32, writing a check,
// a selection or a combo box's text notifies nothing; selecting an item of a
// combo box with an edit field puts the item's text into the field.
#pragma once

#include <string>

namespace humichart {

// Message box styles and answers, with the values Win32 gives them.
enum MessageStyle : unsigned {
    kMsgOk = 0x0,
    kMsgYesNo = 0x4,
    kMsgIconError = 0x10,
    kMsgIconQuestion = 0x20,
    kMsgIconWarning = 0x30,
    kMsgIconInformation = 0x40,
    kMsgDefaultButton2 = 0x100,
};
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class IDialogView {
public:
    virtual ~IDialogView() = default;

    virtual std::wstring Text(int id) = 0;
    virtual void SetText(int id, const std::wstring& text) = 0;
    virtual bool Checked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool Enabled(int id) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void SetReadOnly(int id, bool readOnly) = 0;

    // Lists: list boxes, drop-down lists and the lists of combo boxes.
    virtual void ClearList(int id) = 0;
    // Appends (the lists are unsorted); answers the new item's index.
    virtual int AddItem(int id, const std::wstring& text) = 0;
    virtual void InsertItem(int id, int index, const std::wstring& text) = 0;
    virtual void DeleteItem(int id, int index) = 0;
    virtual int ItemCount(int id) = 0;
    virtual std::wstring ItemText(int id, int index) = 0;
    // -1 when nothing is selected; SetSelection(id, -1) clears it.
    virtual int Selection(int id) = 0;
    virtual void SetSelection(int id, int index) = 0;

    virtual void Focus(int id) = 0;
    // A message box owned by the dialog; style combines MessageStyle values.
    virtual int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) = 0;
    // Ends the dialog with result.
    virtual void Close(int result) = 0;
};

}  // namespace humichart
