// What a screen reader hears of the two windows through Windows' accessibility layer (oleacc):
// a picture button by its window text, a text box by the hidden label just in front of it.
#include <gtest/gtest.h>

#include "platform/com/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/win32/Win32Form.h"
#include "windows/FormDescriptions.h"
#include <oleacc.h>

namespace tabora::platform::win32 {
namespace {

std::u16string AccessibleName(HWND window) {
    com::ComPtr<IAccessible> accessible;
    // __uuidof: the import library gives IID_IAccessible as an import, not as data.
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(accessible.Receive())))) {
        return u"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    com::Bstr name;
    if (accessible->get_accName(self, name.Receive()) != S_OK) return u"(no name)";
    return com::ToU16String(name.Get());
}

// The list box is left out: Windows names it by its label as well, but Wine reads its window text.
TEST(Win32Accessibility, PictureButtonsAndTextBoxesHaveTheirDescribedNames) {
    for (const FormDescription& description :
         {windows::Frm_TestDescription(), windows::Frm_MoreDescription()}) {
        Win32Form form(description);
        form.Show();
        for (const ControlDescription& d : description.controls) {
            if (d.kind != ControlKind::PictureButton && d.kind != ControlKind::TextBox) continue;
            ASSERT_FALSE(d.accessibleName.empty());
            EXPECT_EQ(AccessibleName(form.HandleOf(d.name)), d.accessibleName);
        }
    }
}

}  // namespace
}  // namespace tabora::platform::win32
