// The shared wrapper suite on the in-memory Excel.
#include "shared/WrapperBehaviour.h"
#include "support/FakeExcelBackend.h"

namespace tabora::test {

INSTANTIATE_TEST_SUITE_P(FakeExcel, WrapperBehaviour,
                         ::testing::Values(BackendKind{"FakeExcel", [] { return std::make_unique<FakeExcelBackend>(); }}),
                         BackendName);

}  // namespace tabora::test
