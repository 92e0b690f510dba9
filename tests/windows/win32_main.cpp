// The Win32 layer's tests: native windows on the UI thread's apartment, as the tool makes them.
// They need a display (Xvfb under Wine).
#include <gtest/gtest.h>

#include "platform/com/ScopedOleInitialization.h"
#include "platform/com/WindowsSdk.h"
#include <commctrl.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    tabora::com::ScopedOleInitialization ole;
    return RUN_ALL_TESTS();
}
