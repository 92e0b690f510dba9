// The COM layer's tests run on one single-threaded apartment, as the tool does.
#include <gtest/gtest.h>

#include "platform/com/ScopedOleInitialization.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tabora::com::ScopedOleInitialization ole;
    return RUN_ALL_TESTS();
}
