#pragma once
// The wrapper's behaviour as a user of it sees it, written once and run against every
// spreadsheet the tests can reach: the in-memory Excel always, a real application where one is
// installed. Each executable instantiates WrapperBehaviour with the backends it has.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "excel/Cls_ExcelCreate.h"
#include "support/ExcelBackend.h"
#include "support/TestRuntime.h"

namespace tabora::test {

struct BackendMaker {
    std::string name;
    std::function<std::unique_ptr<ExcelBackend>()> make;
};

inline std::string PrintToString(const BackendMaker& maker) { return maker.name; }

class WrapperBehaviour : public ::testing::TestWithParam<BackendMaker> {
protected:
    void SetUp() override { backend = GetParam().make(); }
    void TearDown() override;

    // A new wrapper with messages off, as the windows use it, holding an opened workbook of
    // these worksheets.
    std::unique_ptr<Cls_ExcelCreate> Opened(const std::vector<std::u16string>& sheets,
                                            const std::u16string& file = u"Book.xls");
    std::unique_ptr<Cls_ExcelCreate> Wrapper();
    std::vector<std::u16string> Listed(Cls_ExcelCreate& wrapper);

    TestRuntime runtime;
    std::unique_ptr<ExcelBackend> backend;
    std::vector<std::unique_ptr<Cls_ExcelCreate>> quitAtEnd;  // shown instances to end after the test
};

}  // namespace tabora::test
