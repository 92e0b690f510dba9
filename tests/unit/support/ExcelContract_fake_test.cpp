// Excel's contract on the in-memory Excel.
#include "contract/ExcelContract.h"
#include "support/FakeExcelBackend.h"

namespace tabora::test {

TABORA_INSTANTIATE_EXCEL_CONTRACT(InMemoryExcel, ::testing::Values(BackendMaker{"InMemoryExcel", [] {
                                                     return std::unique_ptr<ExcelBackend>(std::make_unique<FakeExcelBackend>());
                                                 }}));

}  // namespace tabora::test
