// Workbooks on the Calc server: files it cannot read, saved in Excel's formats and reopened.
// Calc only: the in-memory Excel writes a file format of its own, not Excel's.
#include <fstream>
#include <iterator>

#include "calc/CalcTestSupport.h"

namespace tabora::calc::test {
namespace {

class Workbooks : public OfficeSuite {};

TEST_F(Workbooks, OpenOfAFileTheOfficeCannotReadFails) {
    auto workbooks = Application()->GetObject(u"Workbooks");
    ErrorRecord missing = ErrorOf([&] { workbooks->Call(u"Open", {scratch.File(u"nowhere.xls")}); });
    EXPECT_EQ(missing.Number, 1004);
    EXPECT_EQ(missing.Source, u"LibreOffice Calc");
    EXPECT_NE(missing.Description.find(u"nowhere.xls"), std::u16string::npos);
    ErrorRecord folder = ErrorOf([&] { workbooks->Call(u"Open", {U16(scratch.Path().string())}); });
    EXPECT_EQ(folder.Number, 1004);
    EXPECT_EQ(workbooks->Get(u"Count"), Variant(int32_t{0}));
}

// Saved in each of Excel's formats, closed, reopened: the names, values and formatting are back.
class SavedFormats : public Workbooks, public ::testing::WithParamInterface<const char*> {};

TEST_P(SavedFormats, AWorkbookSurvivesSavingAndReopening) {
    std::u16string path = scratch.File(U16(std::string("保存テスト.") + GetParam()));
    auto book = NewWorkbook({u"一覧", u"Data", u"Summary"});
    auto sheet = book->GetObject(u"Worksheets")->GetObject(u"Item", {u"Data"});
    sheet->Call(u"Activate");
    Cell(1, 1)->Put(u"Value", u"12.5");
    Cell(1, 2)->Put(u"Value", u"テキスト");
    Cell(1, 3)->Put(u"Value", u"=A1*2");
    Cell(2, 1)->GetObject(u"Interior")->Put(u"ColorIndex", int32_t{6});
    auto bottom = Cell(3, 1)->GetObject(u"Borders", {int32_t{9}});
    bottom->Put(u"LineStyle", int32_t{1});
    bottom->Put(u"Weight", int32_t{2});
    book->Call(u"SaveAs", {path}, {{u"AccessMode", Variant(int32_t{1})}});
    book->Call(u"Close");
    EXPECT_EQ(ErrorOf([&] { Application()->Get(u"ActiveWorkbook").AsObject(); }).Number, 91);

    auto reopened = Application()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    EXPECT_EQ(Application()->GetObject(u"ActiveWorkbook")->Get(u"Name"), reopened->Get(u"Name"));
    EXPECT_EQ(SheetNamesOf(reopened), (std::vector<std::u16string>{u"一覧", u"Data", u"Summary"}));
    reopened->GetObject(u"Sheets")->GetObject(u"Item", {u"Data"})->Call(u"Activate");
    EXPECT_EQ(Cell(1, 1)->Get(u"Value"), Variant(12.5));
    EXPECT_EQ(Cell(1, 2)->Get(u"Value"), Variant(u"テキスト"));
    EXPECT_EQ(Cell(1, 3)->Get(u"Value"), Variant(25.0));
    EXPECT_EQ(Cell(2, 1)->GetObject(u"Interior")->Get(u"ColorIndex"), Variant(int32_t{6}));
    EXPECT_EQ(Cell(3, 1)->GetObject(u"Borders", {int32_t{9}})->Get(u"LineStyle"), Variant(int32_t{1}));
    EXPECT_EQ(Cell(3, 1)->GetObject(u"Borders", {int32_t{9}})->Get(u"Weight"), Variant(int32_t{2}));
}

INSTANTIATE_TEST_SUITE_P(ExcelFormats, SavedFormats, ::testing::Values("xls", "xlsx", "ods"));

TEST_F(Workbooks, SaveAsRefusesAFormatItCannotWrite) {
    auto book = NewWorkbook();
    EXPECT_EQ(ErrorOf([&] { book->Call(u"SaveAs", {scratch.File(u"book.pdfx")}); }).Number, 1004);
    EXPECT_EQ(ErrorOf([&] { book->Call(u"SaveAs", {scratch.File(u"no/such/folder/book.xls")}); }).Number, 1004);
}

// Workbooks(name) finds a workbook by the name Excel gives it: the file name as it stands.
TEST_F(Workbooks, NameIsTheFileNameAsTheUserWroteIt) {
    for (const std::u16string name : {u"with space.xls", u"日本語ブック.xlsx", u"100%.ods"}) {
        const std::u16string path = scratch.File(name);
        auto book = NewWorkbook();
        book->Call(u"SaveAs", {path});
        EXPECT_EQ(book->Get(u"Name"), Variant(name));
        EXPECT_EQ(Application()->GetObject(u"Workbooks")->GetObject(u"Item", {name})->Get(u"FullName"), Variant(path));
        book->Call(u"Close");
    }
}

// A file named like a workbook that no spreadsheet filter reads is refused, not imported as text
// (a later Save would have written the user's file over).
TEST_F(Workbooks, AFileNamedLikeAWorkbookThatIsNoneIsRefusedAndLeftAlone) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89", 33);
    const std::string bytes[] = {"random \x01\x02\xfe\xff bytes, no workbook\n", png, "a,b,c\n1,2,3\n"};
    const std::u16string names[] = {u"random.xls", u"picture.xlsx", u"text.ods"};
    auto workbooks = Application()->GetObject(u"Workbooks");
    for (size_t i = 0; i < std::size(names); ++i) {
        SCOPED_TRACE(Utf8(names[i]));
        const std::u16string path = scratch.File(names[i]);
        std::ofstream(std::filesystem::path(Utf8(path)), std::ios::binary) << bytes[i];
        const ErrorRecord refused = ErrorOf([&] { workbooks->Call(u"Open", {path}); });
        EXPECT_EQ(refused.Number, 1004);
        EXPECT_NE(refused.Description.find(names[i]), std::u16string::npos);
        EXPECT_EQ(workbooks->Get(u"Count"), Variant(int32_t{0}));
        std::ifstream file(std::filesystem::path(Utf8(path)), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), bytes[i]);
    }
}

// As in Excel, opening a file that is already open gives the workbook that is open.
TEST_F(Workbooks, OpeningAnOpenFileAgainGivesTheSameWorkbook) {
    const std::u16string path = scratch.File(u"once.xls");
    auto made = NewWorkbook({u"A"});
    made->Call(u"SaveAs", {path});
    made->Call(u"Close");
    auto workbooks = Application()->GetObject(u"Workbooks");
    auto first = workbooks->Call(u"Open", {path}).AsObject();
    NewWorkbook();  // another in front
    auto again = workbooks->Call(u"Open", {path}).AsObject();
    EXPECT_EQ(workbooks->Get(u"Count"), Variant(int32_t{2}));
    EXPECT_EQ(Application()->GetObject(u"ActiveWorkbook")->Get(u"FullName"), Variant(path));
    again->GetObject(u"Worksheets")->GetObject(u"Item", {int32_t{1}})->Put(u"Name", u"Renamed");
    EXPECT_EQ(SheetNamesOf(first), (std::vector<std::u16string>{u"Renamed"}));
    first->Call(u"Close");
}

TEST_F(Workbooks, AFileLockedByAnotherOfficeOpensReadOnly) {
    std::u16string path = scratch.File(u"shared.xls");
    auto book = NewWorkbook({u"Only"});
    book->Call(u"SaveAs", {path});
    book->Call(u"Close");
    // A lock file as another user's office leaves it beside the document.
    std::ofstream(scratch.Path() / ".~lock.shared.xls#") << ",someone,otherhost,01.01.2026 10:00,file:///home/someone/.config/libreoffice/4;";
    auto reopened = Application()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    EXPECT_EQ(SheetNamesOf(reopened), (std::vector<std::u16string>{u"Only"}));
}

}  // namespace
}  // namespace tabora::calc::test
