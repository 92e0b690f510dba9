// The wrapper's behaviour suite on the in-memory Excel.
#include "behaviour/WrapperBehaviour.h"
#include "support/FakeExcelBackend.h"

namespace tabora::test {

INSTANTIATE_TEST_SUITE_P(InMemoryExcel, WrapperBehaviour,
                         ::testing::Values(BackendMaker{"InMemoryExcel", [] {
                                                            return std::unique_ptr<ExcelBackend>(
                                                                std::make_unique<FakeExcelBackend>());
                                                        }}),
                         [](const auto& test) { return test.param.name; });

}  // namespace tabora::test
