#include "soak/SoakWorkbooks.h"

#include <string>

namespace tabora::soak {

namespace {

std::vector<SheetState> Visible(std::initializer_list<const char16_t*> names) {
    std::vector<SheetState> sheets;
    for (const char16_t* name : names) sheets.push_back({name, true});
    return sheets;
}

std::vector<SheetState> Thousand() {
    // Sheet1 begins Sheet10, Sheet100 and Sheet1000: every prefix search has work to do.
    std::vector<SheetState> sheets;
    for (int i = 1; i <= 1000; ++i) {
        const std::string name = "Sheet" + std::to_string(i);
        sheets.push_back({std::u16string(name.begin(), name.end()), true});
    }
    return sheets;
}

}  // namespace

std::vector<SoakWorkbook> MakeSoakWorkbooks(OfficeJudge& judge, pid_t office, const std::filesystem::path& folder) {
    std::vector<SoakWorkbook> books{
        {folder / "prefixes.xls", Visible({u"Sheet1", u"Sheet2", u"Summary2", u"Summary", u"Sum"})},
        {folder / u8"日本語 ブック.xls",
         Visible({u"表紙", u"集計", u"集計表", u"ｼｰﾄ1", u"シート1", u"ＳＨＥＥＴ", u"Sheet", u"売上2024年度"})},
        {folder / "hidden.XLS",
         {{u"Visible", true},
          {u"Hidden", false},
          {u"Base", true},
          {u"隠し", false},
          {u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", true},
          {u"三十一文字の名前三十一文字の名前三十一文字の名前三十一文字です", true},
          {u"Last", true}}},
        {folder / "one.xls", Visible({u"Sheet1"})},
        {folder / u8"保護 ブック.xls", {{u"表紙", true}, {u"Data", true}, {u"隠し", false}, {u"集計", true}}, true},
        {folder / "locked.xls", Visible({u"Sheet1"}), true},
        {folder / "thousand.xls", Thousand()},
    };
    for (const SoakWorkbook& book : books) judge.MakeWorkbook(office, book.file, book.sheets, book.structureProtected);
    return books;
}

}  // namespace tabora::soak
