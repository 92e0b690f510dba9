#include "support/FakeExcelBackend.h"

#include "support/FakeWorkbookFile.h"

namespace tabora::test {

std::u16string FakeExcelBackend::MakeWorkbookFile(const std::u16string& fileName,
                                                  const std::vector<std::u16string>& worksheetNames,
                                                  const std::vector<int32_t>& visibility) {
    std::vector<FixtureSheet> sheets;
    for (const std::u16string& name : worksheetNames) sheets.push_back({name, false, {}});
    const std::u16string path = folder_.File(fileName);
    WriteWorkbookFile(path, sheets, visibility);
    return path;
}

std::vector<std::u16string> FakeExcelBackend::SavedWorksheetNames(const std::u16string& path) {
    return WorksheetNamesInFile(path);
}

}  // namespace tabora::test
