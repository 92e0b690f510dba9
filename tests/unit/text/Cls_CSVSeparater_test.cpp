#include "text/Cls_CSVSeparater.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Runtime.h"
#include "support/ByteDecoder.h"
#include "support/InMemoryFileSystem.h"

namespace tabora {
namespace {

using namespace std::string_literals;  // byte strings with NULs in them

std::vector<std::u16string> AllRecords(Cls_CSVSeparater& reader) {
    std::vector<std::u16string> records;
    for (bool more = reader.MoveFirst(); more; more = reader.MoveNext()) records.push_back(reader.GetCurrentData());
    return records;
}

struct LoadCase {
    const char* name;
    std::u16string text;
    std::vector<std::u16string> records;
    int32_t itemCount;
};

class LoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, CutsAtCrLfAndDropsEmptyRecords) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(GetParam().text);
    EXPECT_EQ(reader.GetRecordCount(), static_cast<int32_t>(GetParam().records.size()));
    EXPECT_EQ(reader.GetItemCount(), GetParam().itemCount);
    EXPECT_EQ(AllRecords(reader), GetParam().records);
    EXPECT_EQ(reader.GetData(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LoadTest,
    ::testing::Values(LoadCase{"EmptyLineAndFinalCrLf", u"a,b\r\n\r\nc\r\n", {u"a,b", u"c"}, 2},
                      LoadCase{"OnlyFirstRecordCounted", u"a,b\r\nc,d,e", {u"a,b", u"c,d,e"}, 2},
                      LoadCase{"EmptyText", u"", {}, 0},
                      LoadCase{"OnlyLineEnds", u"\r\n\r\n\r\n", {}, 0},
                      LoadCase{"LoneLfStays", u"a\nb", {u"a\nb"}, 1},
                      LoadCase{"LoneCrStays", u"a\rb\r\r\nc", {u"a\rb\r", u"c"}, 1},
                      LoadCase{"NothingTrimmed", u" a , b \r\n  ", {u" a , b ", u"  "}, 2},
                      LoadCase{"EmptyFieldsCount", u",,\r\nx", {u",,", u"x"}, 3},
                      LoadCase{"NewNamesBox", u"Sheet2\r\n\r\nSheet3,memo\r\n", {u"Sheet2", u"Sheet3,memo"}, 1}),
    [](const auto& param_info) { return param_info.param.name; });

struct ItemCase {
    std::u16string record;
    int32_t index;
    std::u16string item;
};

class GetItemTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(GetItemTest, CutsTheCurrentRecordAtEverySeparator) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(GetParam().record);
    ASSERT_TRUE(reader.MoveFirst());
    EXPECT_EQ(reader.GetItem(GetParam().index), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(Fields, GetItemTest,
                         ::testing::Values(ItemCase{u"x,,y", 0, u"x"}, ItemCase{u"x,,y", 1, u""},
                                           ItemCase{u"x,,y", 2, u"y"}, ItemCase{u"x,,y", 3, u""},
                                           ItemCase{u"x,,y", -1, u""}, ItemCase{u" a , b", 0, u" a "},
                                           ItemCase{u" a , b", 1, u" b"}, ItemCase{u"\"a,b\",c", 0, u"\"a"},
                                           ItemCase{u"\"a,b\",c", 1, u"b\""}, ItemCase{u"a,", 1, u""},
                                           ItemCase{u"Sheet3,memo", 0, u"Sheet3"}, ItemCase{u"no comma", 0, u"no comma"}));

TEST(CSVSeparaterTest, NewReaderHasNothingToRead) {
    Cls_CSVSeparater reader;
    EXPECT_EQ(reader.GetItemCount(), 1);
    EXPECT_EQ(reader.GetRecordCount(), 0);
    EXPECT_TRUE(reader.IsEOF());
    EXPECT_FALSE(reader.MoveFirst());
    EXPECT_FALSE(reader.MoveNext());
    EXPECT_EQ(reader.GetCurrentData(), u"");
    EXPECT_EQ(reader.GetItem(0), u"");
    EXPECT_EQ(reader.GetData(), u"");
}

TEST(CSVSeparaterTest, CursorRunsPastTheEndAndBackToTheStart) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(u"r1,a\r\nr2,b\r\nr3,c");
    EXPECT_TRUE(reader.MoveFirst());
    EXPECT_FALSE(reader.IsEOF());
    EXPECT_TRUE(reader.MoveNext());
    EXPECT_EQ(reader.GetRecordCount(), 3);  // counting does not move the cursor
    EXPECT_EQ(reader.GetCurrentData(), u"r2,b");
    EXPECT_TRUE(reader.MoveNext());
    EXPECT_EQ(reader.GetItem(1), u"c");
    EXPECT_FALSE(reader.MoveNext());
    EXPECT_EQ(reader.GetCurrentData(), u"");
    EXPECT_EQ(reader.GetItem(0), u"");
    EXPECT_TRUE(reader.IsEOF());
    EXPECT_FALSE(reader.MoveNext());
    EXPECT_FALSE(reader.MoveNext());
    EXPECT_TRUE(reader.MoveFirst());
    EXPECT_EQ(reader.GetCurrentData(), u"r1,a");
}

TEST(CSVSeparaterTest, MoveNextWithoutMoveFirstLandsOnTheSecondRecordStillAtEof) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(u"a\r\nb\r\nc");
    EXPECT_TRUE(reader.MoveNext());
    EXPECT_EQ(reader.GetCurrentData(), u"b");
    EXPECT_TRUE(reader.IsEOF());
}

TEST(CSVSeparaterTest, CurrentRecordOfTheLastTextStaysUntilTheCursorMoves) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(u"first,1\r\nsecond,2");
    reader.MoveFirst();
    reader.MoveNext();
    reader.SetBaseData(u"other");
    EXPECT_EQ(reader.GetCurrentData(), u"second,2");
    EXPECT_EQ(reader.GetItem(1), u"2");
    EXPECT_TRUE(reader.IsEOF());
    EXPECT_TRUE(reader.MoveFirst());
    EXPECT_EQ(reader.GetCurrentData(), u"other");
}

TEST(CSVSeparaterTest, ModeChangeCutsFieldsAnewButKeepsTheCountOfTheLoad) {
    Cls_CSVSeparater reader;
    reader.SetSeparateMode_CSV();
    reader.SetBaseData(u"a,b\r\nc");
    reader.MoveFirst();
    reader.SetSeparateMode_TSV();
    EXPECT_EQ(reader.GetItem(0), u"a,b");
    EXPECT_EQ(reader.GetItemCount(), 2);
    reader.SetBaseData(u"x\ty,z\tw");
    EXPECT_EQ(reader.GetItemCount(), 3);
    reader.MoveFirst();
    EXPECT_EQ(reader.GetItem(1), u"y,z");
    reader.SetSeparateMode_CSV();
    EXPECT_EQ(reader.GetItem(1), u"z\tw");
}

TEST(CSVSeparaterTest, BaseDataJoinsWithTabsInEitherModeAndNeverTouchesTheRecords) {
    for (bool tab : {false, true}) {
        Cls_CSVSeparater reader;
        if (tab) reader.SetSeparateMode_TSV();
        reader.SetBaseData(u"a\r\nb");
        reader.ClearData();
        reader.AddData(u"x");
        EXPECT_EQ(reader.GetData(), u"x");
        reader.AddData(u"y");
        EXPECT_EQ(reader.GetData(), u"x\ty");
        EXPECT_EQ(reader.GetRecordCount(), 2);
        EXPECT_EQ(AllRecords(reader), (std::vector<std::u16string>{u"a", u"b"}));
    }
}

TEST(CSVSeparaterTest, ExtendingTheBaseDataLeavesTheRecordsLoadedFromIt) {
    Cls_CSVSeparater reader;
    reader.SetBaseData(u"a\r\nb");
    reader.MoveFirst();
    reader.AddData(u"c");
    EXPECT_EQ(reader.GetData(), u"a\r\nb\tc");
    EXPECT_EQ(reader.GetCurrentData(), u"a");
    EXPECT_TRUE(reader.MoveNext());
    EXPECT_EQ(reader.GetCurrentData(), u"b");
    reader.ClearData();
    EXPECT_EQ(reader.GetData(), u"");
    EXPECT_EQ(reader.GetCurrentData(), u"b");
}

class ReadBaseFileTest : public ::testing::Test {
protected:
    test::InMemoryFileSystem files;
    test::Latin1Decoder decoder;
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    Cls_CSVSeparater reader;

    // The reader loaded with three records and its cursor on the second.
    void LoadThreeAndStandOnTheSecond() {
        reader.SetBaseData(u"one,1\r\ntwo,2\r\nthree,3");
        reader.MoveFirst();
        reader.MoveNext();
    }
    void ExpectStillOnTheSecondOfThree() {
        EXPECT_EQ(reader.GetRecordCount(), 3);
        EXPECT_EQ(reader.GetItemCount(), 2);
        EXPECT_EQ(reader.GetCurrentData(), u"two,2");
        EXPECT_FALSE(reader.IsEOF());
        EXPECT_TRUE(reader.MoveNext());
        EXPECT_EQ(reader.GetItem(0), u"three");
    }
};

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> records;
};

class ReadBaseFileLinesTest : public ReadBaseFileTest,
                              public ::testing::WithParamInterface<std::tuple<FileCase, size_t>> {};

TEST_P(ReadBaseFileLinesTest, LinesEndAtCrLfOrLoneCrInAnyChunking) {
    const auto& [file, chunk] = GetParam();
    files.AddFile(u"in.csv", file.bytes);
    files.SetChunkSize(chunk);
    ASSERT_TRUE(reader.ReadBaseFile(u"in.csv"));
    EXPECT_EQ(AllRecords(reader), file.records);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadBaseFileLinesTest,
    ::testing::Combine(
        ::testing::Values(FileCase{"CrLf", "a,b\r\n\r\nc\r\n", {u"a,b", u"c"}},
                          FileCase{"FinalLineWithoutEnd", "a\r\nlast", {u"a", u"last"}},
                          FileCase{"LoneCrEndsALine", "a\rb\r\rc", {u"a", u"b", u"c"}},
                          FileCase{"LoneLfStaysInTheLine", "a\nb\r\n\n", {u"a\nb", u"\n"}},
                          FileCase{"CrAtTheEnd", "x\r", {u"x"}},
                          FileCase{"Empty", "", {}},
                          FileCase{"HighBytes", "\xE9t\xE9\r\n", {u"\u00E9t\u00E9"}},
                          // A byte-order mark decides the encoding, whatever the legacy code page.
                          FileCase{"Utf8MarkDropped", "\xEF\xBB\xBFSheet2\r\nt\xC3\xA9\r", {u"Sheet2", u"t\u00E9"}},
                          FileCase{"Utf8MarkOnly", "\xEF\xBB\xBF", {}},
                          FileCase{"NoMarkJustItsBeginning", "\xEF\xBB", {u"\u00EF\u00BB"}},
                          FileCase{"Utf16LittleEndian", "\xFF\xFE" "a\0,\0\r\0\n\0B0\r\0=\xD8\0\xDEz\0"s,
                                   {u"a,", u"\u3042", u"\U0001F600z"}},
                          FileCase{"Utf16BigEndian", "\xFE\xFF" "\0a\0\r\0\r\0\n\x30\x42\0\n"s, {u"a", u"\u3042\n"}}),
        ::testing::Values(size_t{1}, size_t{2}, size_t{3}, size_t{4096})),
    [](const auto& param_info) {
        return std::string(std::get<0>(param_info.param).name) + "_chunk" +
               std::to_string(std::get<1>(param_info.param));
    });

TEST_F(ReadBaseFileTest, LoadsTheFileButNotIntoTheBaseData) {
    reader.AddData(u"kept");
    files.AddFile(u"in.csv", "h1,h2,h3\r\nv");
    ASSERT_TRUE(reader.ReadBaseFile(u"in.csv"));
    EXPECT_EQ(reader.GetRecordCount(), 2);
    EXPECT_EQ(reader.GetItemCount(), 3);
    EXPECT_TRUE(reader.IsEOF());
    EXPECT_EQ(reader.GetData(), u"kept");
}

TEST_F(ReadBaseFileTest, EmptyFileLoadsNothingAndSucceeds) {
    LoadThreeAndStandOnTheSecond();
    files.AddFile(u"empty.csv", "");
    ASSERT_TRUE(reader.ReadBaseFile(u"empty.csv"));
    EXPECT_EQ(reader.GetRecordCount(), 0);
    EXPECT_EQ(reader.GetItemCount(), 0);
    EXPECT_FALSE(reader.MoveFirst());
}

TEST_F(ReadBaseFileTest, MissingFileFailsAndKeepsTheLoadedRecords) {
    LoadThreeAndStandOnTheSecond();
    EXPECT_FALSE(reader.ReadBaseFile(u"missing.csv"));
    EXPECT_FALSE(reader.ReadBaseFile(u""));
    ExpectStillOnTheSecondOfThree();
}

// A device error part-way through used to load the lines read so far and report success.
TEST_F(ReadBaseFileTest, ReadErrorAfterOpeningFailsAndKeepsTheLoadedRecords) {
    for (size_t failAfter : {size_t{0}, size_t{5}, size_t{12}}) {
        SCOPED_TRACE(failAfter);
        LoadThreeAndStandOnTheSecond();
        files.AddFile(u"bad.csv", "new1\r\nnew2\r\nnew3\r\n");
        files.FailAfter(u"bad.csv", failAfter);
        files.SetChunkSize(3);
        EXPECT_FALSE(reader.ReadBaseFile(u"bad.csv"));
        ExpectStillOnTheSecondOfThree();
    }
}

// A file marked as UTF-8 or UTF-16 that is not used to load with U+FFFD in place of its bad
// bytes, and report success.
TEST_F(ReadBaseFileTest, MarkedFileWithBytesOfNoCharacterFailsAndKeepsTheLoadedRecords) {
    for (const std::string& bytes : {"\xEF\xBB\xBFok\r\nt\xE9\r\n"s, "\xEF\xBB\xBFok\xE3\x82"s, "\xFF\xFE" "a\0b"s}) {
        SCOPED_TRACE(bytes);
        LoadThreeAndStandOnTheSecond();
        files.AddFile(u"bad.csv", bytes);
        EXPECT_FALSE(reader.ReadBaseFile(u"bad.csv"));
        ExpectStillOnTheSecondOfThree();
    }
}

TEST(ReadBaseFileWithoutServices, FailsQuietly) {
    Cls_CSVSeparater reader;
    EXPECT_FALSE(reader.ReadBaseFile(u"in.csv"));
}

}  // namespace
}  // namespace tabora
