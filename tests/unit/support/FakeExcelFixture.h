#pragma once
// A FakeExcel with one instance that has a fixture workbook open, for the double's own tests.

#include <gtest/gtest.h>

#include <functional>

#include "support/FakeExcel.h"
#include "support/FakeStrings.h"
#include "support/FakeWorkbookFile.h"
#include "support/TempDir.h"

namespace tabora::test {

class FakeExcelFixture : public ::testing::Test {
protected:
    // Opens a workbook of these sheets ("*Name" makes a chart sheet) in a new instance.
    void Open(const std::vector<std::u16string>& names, const std::u16string& file = u"Book.xls") {
        std::vector<FixtureSheet> sheets;
        for (const auto& name : names) {
            const bool chart = !name.empty() && name.front() == u'*';
            sheets.push_back({chart ? name.substr(1) : name, chart, {}});
        }
        path = folder.File(file);
        WriteWorkbookFile(path, sheets);
        app = excel.CreateApplication();
        book = app->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    }
    FakeInstance& State() { return excel.Instance(1); }
    const FakeWorkbook& Book() { return *State().ActiveWorkbook(); }
    ObjectRef Sheets(const char16_t* collection = u"Sheets") { return book->GetObject(collection); }
    ObjectRef Sheet(Variant key, const char16_t* collection = u"Sheets") {
        return Sheets(collection)->GetObject(u"Item", {std::move(key)});
    }
    ObjectRef Cell(const ObjectRef& sheet, int32_t row, int32_t col) { return sheet->GetObject(u"Cells", {row, col}); }
    int32_t ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& error) {
            return error.Number();
        }
        return 0;
    }

    TempDir folder;
    FakeExcel excel;
    std::u16string path;
    ObjectRef app;
    ObjectRef book;
};

}  // namespace tabora::test
