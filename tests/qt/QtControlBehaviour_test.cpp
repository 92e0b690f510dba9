// The shared behavioural cases against the Qt controls.
#include "controls/ControlBehaviourCases.h"
#include "qt/QtControlSet.h"

namespace tabora::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ControlBehaviour, QtControlSet);

}  // namespace tabora::test
