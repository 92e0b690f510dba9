#include "support/AutomationCalls.h"

namespace tabora::test {

ObjectRef AddWorkbook(const ObjectRef& application, const std::vector<std::u16string>& sheetNames) {
    application->Put(u"SheetsInNewWorkbook", static_cast<int32_t>(sheetNames.size()));
    ObjectRef workbook = application->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    ObjectRef sheets = workbook->GetObject(u"Worksheets");
    for (size_t i = 0; i < sheetNames.size(); ++i)
        sheets->GetObject(u"Item", {static_cast<int32_t>(i + 1)})->Put(u"Name", sheetNames[i]);
    return workbook;
}

std::vector<std::u16string> WorksheetNamesOf(const ObjectRef& workbook) {
    std::vector<std::u16string> names;
    for (const Variant& sheet : workbook->GetObject(u"Worksheets")->Enumerate())
        names.push_back(sheet.AsObject()->Get(u"Name").AsString());
    return names;
}

}  // namespace tabora::test
