// The wrapper's behaviour suites on the Calc server.
#include "behaviour/WrapperBehaviour.h"
#include "calc/CalcExcelBackend.h"

namespace tabora::test {

INSTANTIATE_TEST_SUITE_P(Calc, WrapperBehaviour,
                         ::testing::Values(BackendMaker{"Calc", [] {
                                                            return std::unique_ptr<ExcelBackend>(
                                                                std::make_unique<CalcExcelBackend>());
                                                        }}),
                         [](const auto& test) { return test.param.name; });

}  // namespace tabora::test
