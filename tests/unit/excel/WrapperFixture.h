#pragma once
// A wrapper on the in-memory Excel, with the test runtime installed, for the tests that look at
// the calls the wrapper makes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "excel/Cls_ExcelCreate.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace tabora::test {

class WrapperFixture : public ::testing::Test {
protected:
    // Sheet names; a leading "*" makes a chart sheet.
    std::u16string MakeFile(const std::vector<std::u16string>& names, const std::u16string& file = u"Book.xls") {
        std::vector<FixtureSheet> sheets;
        for (const auto& name : names) {
            const bool chart = !name.empty() && name.front() == u'*';
            sheets.push_back({chart ? name.substr(1) : name, chart, {}});
        }
        const std::u16string path = folder.File(file);
        WriteWorkbookFile(path, sheets);
        return path;
    }
    Cls_ExcelCreate& NewWrapper(bool messages = false) {
        wrapper = std::make_unique<Cls_ExcelCreate>(excel);
        wrapper->MsgDisplayFlg_Prop(messages);
        return *wrapper;
    }
    // A wrapper with the workbook open and the call log emptied.
    Cls_ExcelCreate& OpenedWrapper(const std::vector<std::u16string>& names, bool messages = false) {
        NewWrapper(messages);
        EXPECT_TRUE(wrapper->FileOpen(MakeFile(names), u""));
        excel.ClearCalls();
        return *wrapper;
    }
    FakeInstance& State() { return excel.Instance(1); }
    FakeWorkbook& Book() { return *State().ActiveWorkbook(); }
    const std::vector<ShownBox>& Boxes() { return runtime.boxes.Shown(); }

    TestRuntime runtime;
    TempDir folder;
    FakeExcel excel;
    std::unique_ptr<Cls_ExcelCreate> wrapper;
};

using Texts = std::vector<std::string>;

}  // namespace tabora::test
