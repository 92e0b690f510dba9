// The shared wrapper suite on the Calc server.
#include "calc/CalcExcelBackend.h"
#include "shared/WrapperBehaviour.h"

namespace tabora::test {

INSTANTIATE_TEST_SUITE_P(Calc, WrapperBehaviour,
                         ::testing::Values(BackendKind{"Calc", [] { return std::make_unique<CalcExcelBackend>(); }}),
                         BackendName);

}  // namespace tabora::test
