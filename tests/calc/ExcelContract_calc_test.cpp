// Excel's contract on the Calc server.
#include "calc/CalcExcelBackend.h"
#include "contract/ExcelContract.h"

namespace tabora::test {

TABORA_INSTANTIATE_EXCEL_CONTRACT(CalcServer, ::testing::Values(BackendMaker{"Calc", [] {
                                                  return std::unique_ptr<ExcelBackend>(std::make_unique<CalcExcelBackend>());
                                              }}));

}  // namespace tabora::test
