// The shared behavioural cases against the headless controls the window tests run on.
#include "controls/ControlBehaviourCases.h"
#include "controls/HeadlessControlSet.h"

namespace tabora::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, ControlBehaviour, HeadlessControlSet);

}  // namespace tabora::test
