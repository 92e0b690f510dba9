#include "text/Cls_InputLimitation.h"

#include "platform/Runtime.h"
#include "text/DateTimeText.h"
#include "text/Digits.h"
#include "text/NumberText.h"

namespace tabora {

namespace {
constexpr std::u16string_view kWholeDisplay = u"#,###,###,###,##0";
constexpr std::u16string_view kDecimalDisplay = u"#,###,###,###,##0.0#####";
constexpr std::u16string_view kWholeEdit = u"############0";
constexpr std::u16string_view kDecimalEdit = u"############0.0#####";
constexpr std::u16string_view kSlash = u"/";
constexpr std::u16string_view kJapaneseDateMarks = u"年月日";
constexpr std::u16string_view kAllDateMarks = u"/年月日";
constexpr std::u16string_view kColon = u":";

using text::IsDigit;
}  // namespace

Cls_InputLimitation::Cls_InputLimitation() { Set_Edit(true); }

Cls_InputLimitation::~Cls_InputLimitation() = default;

void Cls_InputLimitation::SetTextBox_Numeric(platform::TextBox& TxtA_Item) {
    lngM_Mode = kNumeric;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::SetTextBox_Numeric_Minus(platform::TextBox& TxtA_Item) {
    lngM_Mode = kNumeric;
    AttachTextBox(TxtA_Item, true);
}

void Cls_InputLimitation::SetTextBox_NumericDecimal(platform::TextBox& TxtA_Item) {
    lngM_Mode = kDecimal;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::SetTextBox_Date(platform::TextBox& TxtA_Item, bool blnA_isJapaneseType) {
    lngM_Mode = kDate;
    blnM_isJapaneseType = blnA_isJapaneseType;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::SetDateFormatControl(bool blnA_isNoConvert) { blnM_isNoConvert = blnA_isNoConvert; }

void Cls_InputLimitation::SetTextBox_Time(platform::TextBox& TxtA_Item) {
    lngM_Mode = kTime;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::SetTextBox_TelNo(platform::TextBox& TxtA_Item) {
    lngM_Mode = kTelNo;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::SetTextBox_Zipcode(platform::TextBox& TxtA_Item) {
    lngM_Mode = kTelNo;
    AttachTextBox(TxtA_Item, false);
}

void Cls_InputLimitation::Set_Edit(bool blnA_Value) { blnM_Edit = blnA_Value; }
void Cls_InputLimitation::Set_FormatCheck(bool blnA_Value) { blnM_FormatCheck = blnA_Value; }

void Cls_InputLimitation::AttachTextBox(platform::TextBox& TxtA_Item, bool minus) {
    const std::weak_ptr<int> alive = alive_;
    // The box may be destroyed during the yield as well; a connection notices, the reference
    // cannot.
    const platform::Connection boxAlive = TxtA_Item.Change.Connect([] {});
    platform::DoEvents();
    if (alive.expired() || !boxAlive.Connected()) return;
    // A minus box admits "-" already here, so that a negative text survives the rewrite below.
    blnM_Minus = minus;
    TxtM_Item = &TxtA_Item;
    changeConnection_ = TxtA_Item.Change.Connect([this] { TxtM_Item_Change(); });
    dblClickConnection_ = TxtA_Item.DblClick.Connect([this] { TxtM_Item_DblClick(); });
    validateConnection_ = TxtA_Item.Validate.Connect([this](bool& cancel) { TxtM_Item_Validate(cancel); });
    TxtM_Item_DblClick();
    if (alive.expired()) return;
    // A text the box already held and every character of which passes is the last accepted
    // one; without this a single refused keystroke would erase it.
    const std::u16string text = TxtA_Item.Text();
    if (TxtA_Item.Tag() != text && !FirstRefused(text)) TxtA_Item.SetTag(text);
    DisableIME();
}

void Cls_InputLimitation::DisableIME() {
    if (IsAttached()) TxtM_Item->SetIMEMode(platform::kImeModeDisable);
}

bool Cls_InputLimitation::IsAttached() const { return TxtM_Item != nullptr && changeConnection_.Connected(); }

void Cls_InputLimitation::TxtM_Item_Change() {
    const std::weak_ptr<int> alive = alive_;
    platform::DoEvents();
    if (alive.expired() || !IsAttached()) return;
    Sub_InputLimitation(*TxtM_Item);
}

void Cls_InputLimitation::TxtM_Item_DblClick() {
    if (UnformatForEdit()) SelectAllText();
}

void Cls_InputLimitation::TxtM_Item_Validate(bool& Cancel) {
    if (!FormatOnLeave()) return;
    if (blnM_FormatCheck && !blnM_FormatOK && IsAttached() && !TxtM_Item->Text().empty()) Cancel = true;
    platform::DoEvents();
}

bool Cls_InputLimitation::UnformatForEdit() {
    if (!IsAttached() || !blnM_Edit) return true;
    switch (lngM_Mode) {
        case kNumeric: return FormatNumberText(kWholeEdit);
        case kDecimal: return FormatNumberText(kDecimalEdit);
        case kDate:
            return WriteText(text::WithoutChars(TxtM_Item->Text(), blnM_isJapaneseType ? kJapaneseDateMarks : kSlash));
        case kTime: return WriteText(text::WithoutChars(TxtM_Item->Text(), kColon));
        default: return true;
    }
}

bool Cls_InputLimitation::FormatOnLeave() {
    blnM_FormatOK = true;
    if (!IsAttached() || !blnM_Edit) return true;
    switch (lngM_Mode) {
        case kNumeric: return FormatNumberText(kWholeDisplay);
        case kDecimal: return FormatNumberText(kDecimalDisplay);
        case kDate: return Format_Date();
        case kTime: return Format_Time();
        default: return true;
    }
}

void Cls_InputLimitation::SelectAllText() {
    if (!IsAttached()) return;
    TxtM_Item->SetSelStart(0);
    TxtM_Item->SetSelLength(ToPosition(TxtM_Item->Text().size()));
}

bool Cls_InputLimitation::FormatNumberText(std::u16string_view pattern) {
    return WriteText(text::FormatNumberText(TxtM_Item->Text(), pattern));
}

bool Cls_InputLimitation::Format_Date() {
    if (!WriteText(text::WithoutChars(TxtM_Item->Text(), blnM_isJapaneseType ? kAllDateMarks : kSlash)))
        return false;
    if (!IsAttached()) return true;
    if (const auto display = text::DateDisplayForm(TxtM_Item->Text(), blnM_isJapaneseType)) return WriteText(*display);
    if (blnM_isNoConvert && !WriteText(u"")) return false;
    blnM_FormatOK = false;
    return true;
}

bool Cls_InputLimitation::Format_Time() {
    if (!WriteText(text::WithoutChars(TxtM_Item->Text(), kColon))) return false;
    if (!IsAttached()) return true;
    if (const auto display = text::TimeDisplayForm(TxtM_Item->Text())) return WriteText(*display);
    blnM_FormatOK = false;
    return true;
}

// Writes the box's text; the box raises Change inside, which may run anything queued.
bool Cls_InputLimitation::WriteText(const std::u16string& text) {
    if (!IsAttached()) return true;
    const std::weak_ptr<int> alive = alive_;
    TxtM_Item->SetText(text);
    return !alive.expired();
}

std::optional<size_t> Cls_InputLimitation::FirstRefused(std::u16string_view text) const {
    for (size_t i = 0; i < text.size(); ++i)
        if (!CheckChar(text[i])) return i;
    return std::nullopt;
}

bool Cls_InputLimitation::CheckChar(char16_t code) const {
    switch (lngM_Mode) {
        case kNumeric: return CheckChar_Numeric(code);
        case kDecimal: return CheckChar_NumericDecimal(code);
        case kDate: return CheckChar_Date(code);
        case kTelNo: return CheckChar_TelNo(code);
        default: return true;  // free text, and times: checked only by their formatting
    }
}

bool Cls_InputLimitation::CheckChar_Numeric(char16_t code) const {
    return IsDigit(code) || (code == u',' && blnM_Edit) || (code == u'-' && blnM_Minus);
}

bool Cls_InputLimitation::CheckChar_NumericDecimal(char16_t code) const {
    return IsDigit(code) || code == u'.' || (code == u',' && blnM_Edit);
}

bool Cls_InputLimitation::CheckChar_Date(char16_t code) const {
    if (IsDigit(code)) return true;
    if (!blnM_Edit) return false;
    if (blnM_isJapaneseType) return kJapaneseDateMarks.find(code) != std::u16string_view::npos;
    return code == u'/';
}

bool Cls_InputLimitation::CheckChar_TelNo(char16_t code) const { return IsDigit(code) || code == u'-'; }

}  // namespace tabora
