#pragma once
// Restricts what may stand in one text box, by an input mode chosen when the box is attached:
// whole numbers, decimal numbers, dates, times, telephone numbers or postal codes.
//
// Every change of the box's text is scanned whole with the mode's character check, whatever
// brought it (typing, pasting, code); a refused character puts back the last accepted text, which
// the controller keeps in the box's Tag. While formatting is on, leaving the box writes the value
// in display form (digit grouping, date and time separators), and a double-click (or attaching)
// turns it back into editing form.
//
// The box raises Change inside the controller's own writes to it, and each Change and each attach
// first yields to the event loop, so the controller is re-entered; it copes with being destroyed
// or re-attached meanwhile. Errors of the box are not caught.

#include <concepts>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Controls.h"

namespace tabora {

// What the scan needs of an object: Text, Tag and the caret.
template <class T>
concept TextTagCaret = requires(T& object, const std::u16string& text, int32_t position) {
    { object.Text() } -> std::convertible_to<std::u16string>;
    { object.Tag() } -> std::convertible_to<std::u16string>;
    object.SetText(text);
    object.SetTag(text);
    object.SetSelStart(position);
};

class Cls_InputLimitation {
public:
    Cls_InputLimitation();
    ~Cls_InputLimitation();  // detaches: the connections end with it
    Cls_InputLimitation(const Cls_InputLimitation&) = delete;
    Cls_InputLimitation& operator=(const Cls_InputLimitation&) = delete;

    // Whole numbers; "-" is refused.
    void SetTextBox_Numeric(platform::TextBox& TxtA_Item);
    // Whole numbers; "-" is admitted, already while the box is attached.
    void SetTextBox_Numeric_Minus(platform::TextBox& TxtA_Item);
    void SetTextBox_NumericDecimal(platform::TextBox& TxtA_Item);
    // Dates with "/" separators, or "年", "月", "日" in the Japanese style.
    void SetTextBox_Date(platform::TextBox& TxtA_Item, bool blnA_isJapaneseType);
    // A date that cannot be formatted on leave is erased.
    void SetDateFormatControl(bool blnA_isNoConvert);
    void SetTextBox_Time(platform::TextBox& TxtA_Item);
    void SetTextBox_TelNo(platform::TextBox& TxtA_Item);
    void SetTextBox_Zipcode(platform::TextBox& TxtA_Item);
    // Formatting on leave and double-click, and the separators it inserts; takes effect at the
    // next leave or double-click.
    void Set_Edit(bool blnA_Value);
    // The focus may not leave a box whose date or time could not be formatted.
    void Set_FormatCheck(bool blnA_Value);

    // The scan of one change, on any object with Text, Tag and SelStart, with this controller's
    // mode and switches.
    template <TextTagCaret T>
    void Sub_InputLimitation(T& ObjA_Item) {
        const std::u16string text = ObjA_Item.Text();
        const std::u16string tag = ObjA_Item.Tag();
        if (tag == text) return;  // also ends the Change raised by the write below
        if (const std::optional<size_t> refused = FirstRefused(text)) {
            ObjA_Item.SetText(tag);
            ObjA_Item.SetSelStart(ToPosition(*refused));
        } else {
            ObjA_Item.SetTag(text);
        }
    }

private:
    enum Mode : int32_t { kFree = 0, kNumeric = 1, kDecimal = 2, kDate = 3, kTelNo = 4, kTime = 5 };

    void AttachTextBox(platform::TextBox& TxtA_Item, bool minus);
    void DisableIME();
    bool IsAttached() const;

    void TxtM_Item_Change();
    void TxtM_Item_DblClick();
    void TxtM_Item_Validate(bool& Cancel);

    // Each returns False when the controller was destroyed while the box raised its events.
    bool UnformatForEdit();
    bool FormatOnLeave();
    void SelectAllText();
    bool FormatNumberText(std::u16string_view pattern);
    bool Format_Date();
    bool Format_Time();
    bool WriteText(const std::u16string& text);

    std::optional<size_t> FirstRefused(std::u16string_view text) const;
    bool CheckChar(char16_t code) const;
    bool CheckChar_Numeric(char16_t code) const;
    bool CheckChar_NumericDecimal(char16_t code) const;
    bool CheckChar_Date(char16_t code) const;
    bool CheckChar_TelNo(char16_t code) const;

    static int32_t ToPosition(size_t index) {
        constexpr auto kMax = static_cast<size_t>(std::numeric_limits<int32_t>::max());
        return static_cast<int32_t>(index < kMax ? index : kMax);
    }

    platform::TextBox* TxtM_Item = nullptr;
    platform::Connection changeConnection_, dblClickConnection_, validateConnection_;
    int32_t lngM_Mode = kFree;
    bool blnM_Edit = true;
    bool blnM_Minus = false;
    bool blnM_isJapaneseType = false;
    bool blnM_isNoConvert = false;
    bool blnM_FormatCheck = false;
    bool blnM_FormatOK = false;
    // Expires with the controller: a handler that yielded checks it before going on.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace tabora
