// The shared behavioural cases against the native Win32 controls.
#include "controls/ControlBehaviourCases.h"
#include "windows/Win32ControlSet.h"

namespace tabora::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlBehaviour, Win32ControlSet);

}  // namespace tabora::test
