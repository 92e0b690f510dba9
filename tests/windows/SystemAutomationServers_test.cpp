// The COM layer against the automation servers every Windows (and Wine) ships: real type
// libraries, real argument coercion, real errors. A test whose server is not registered skips
// itself, so the same binary runs on Windows.
#include <gtest/gtest.h>

#include "platform/com/WindowsSdk.h"

#include <functional>
#include <string>
#include <vector>

#include "ErrorChecks.h"
#include "platform/RuntimeError.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComAutomationServer.h"

namespace tabora::com {
namespace {

bool Registered(const char16_t* progId) {
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(reinterpret_cast<const wchar_t*>(progId), &clsid));
}

#define CREATE_OR_SKIP(variable, progId)                                   \
    if (!Registered(progId)) GTEST_SKIP() << "not registered here";       \
    ObjectRef variable = ComAutomationServer(progId).CreateApplication()

// The error a call raised; number 0 when it raised none.
using test::ErrorOf;

std::u16string TempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

// A Japanese text with a character outside the basic plane (a surrogate pair).
constexpr char16_t kJapaneseAndEmoji[] = u"売上_大阪 ｼｰﾄ😀";

TEST(DictionaryTest, PositionalNamedReversedAndMixedArgumentsReachTheRightParameters) {
    CREATE_OR_SKIP(dictionary, u"Scripting.Dictionary");
    dictionary->Call(u"Add", {u"positional", int32_t{1}});
    dictionary->Call(u"Add", {}, {{u"Key", u"named"}, {u"Item", int32_t{2}}});
    dictionary->Call(u"Add", {}, {{u"Item", int32_t{3}}, {u"Key", u"reversed"}});
    dictionary->Call(u"Add", {u"mixed"}, {{u"Item", int32_t{4}}});
    EXPECT_EQ(dictionary->Get(u"Count"), Variant(int32_t{4}));
    EXPECT_EQ(dictionary->Get(u"Item", {u"positional"}), Variant(int32_t{1}));
    EXPECT_EQ(dictionary->Get(u"Item", {u"named"}), Variant(int32_t{2}));
    EXPECT_EQ(dictionary->Get(u"Item", {u"reversed"}), Variant(int32_t{3}));
    EXPECT_EQ(dictionary->Get(u"Item", {u"mixed"}), Variant(int32_t{4}));
}

TEST(DictionaryTest, ValuesKeepTheirExactTypesThroughAnIndexedPut) {
    CREATE_OR_SKIP(dictionary, u"Scripting.Dictionary");
    const std::vector<Variant> values = {Variant(int16_t{7}),      Variant(int32_t{70000}), Variant(2.5),
                                         Variant(true),            Variant(DateValue{45000.5}),
                                         Variant(kJapaneseAndEmoji), Variant(u"")};
    for (size_t i = 0; i < values.size(); ++i) {
        dictionary->PutIndexed(u"Item", {int32_t(i)}, values[i]);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        Variant read = dictionary->Get(u"Item", {int32_t(i)});
        EXPECT_EQ(read, values[i]) << i << ": " << TypeName(read.Type());
    }
    // Keys of different types are different keys: 1 (Integer) and "1" (String).
    dictionary->PutIndexed(u"Item", {u"1"}, u"text key");
    EXPECT_EQ(dictionary->Get(u"Item", {int32_t{1}}), Variant(int32_t{70000}));
    EXPECT_EQ(dictionary->Get(u"Exists", {u"1"}), Variant(true));
}

TEST(DictionaryTest, ForEachGivesTheKeysInInsertionOrder) {
    CREATE_OR_SKIP(dictionary, u"Scripting.Dictionary");
    for (const char16_t* key : {u"b", u"a", kJapaneseAndEmoji, u"c"}) dictionary->Call(u"Add", {key, Variant()});
    std::vector<Variant> keys = dictionary->Enumerate();
    EXPECT_EQ(keys, (std::vector<Variant>{u"b", u"a", kJapaneseAndEmoji, u"c"}));
    EXPECT_TRUE(ComAutomationServer(u"Scripting.Dictionary").CreateApplication()->Enumerate().empty());
}

TEST(DictionaryTest, ObjectsGoInAndComeBackCallable) {
    CREATE_OR_SKIP(outer, u"Scripting.Dictionary");
    ObjectRef inner = ComAutomationServer(u"Scripting.Dictionary").CreateApplication();
    inner->Call(u"Add", {u"x", int32_t{1}});
    outer->Call(u"Add", {u"inner", inner});
    Variant back = outer->Get(u"Item", {u"inner"});
    ASSERT_TRUE(back.IsObject());
    back.AsObject()->Call(u"Add", {u"y", int32_t{2}});
    EXPECT_EQ(inner->Get(u"Count"), Variant(int32_t{2}));  // the same object, not a copy
}

TEST(DictionaryTest, ErrorsHaveVisualBasicsNumbersAndATextAndSource) {
    CREATE_OR_SKIP(dictionary, u"Scripting.Dictionary");
    dictionary->Call(u"Add", {u"k", int32_t{1}});
    struct Case {
        const char* name;
        std::function<void()> call;
        int32_t number;
    };
    const Case cases[] = {
        {"duplicate key", [&] { dictionary->Call(u"Add", {u"k", int32_t{2}}); }, 457},
        {"unknown member", [&] { dictionary->Call(u"NoSuchMember"); }, 438},
        {"unknown named argument",
         [&] { dictionary->Call(u"Add", {}, {{u"Key", u"n"}, {u"Whence", int32_t{1}}}); }, 448},
        {"too many arguments", [&] { dictionary->Call(u"Exists", {u"k", u"k", u"k"}); }, 450},
        {"argument left out", [&] { dictionary->Call(u"Add", {u"only key"}); }, 450},
    };
    for (const Case& test : cases) {
        ErrorRecord error = ErrorOf(test.call);
        EXPECT_EQ(error.Number, test.number) << test.name;
        EXPECT_FALSE(error.Description.empty()) << test.name;
        EXPECT_FALSE(error.Source.empty()) << test.name;
        if (std::u16string known = vb_error::Description(test.number); !known.empty()) {
            EXPECT_EQ(error.Description, known) << test.name;
        }
    }
    EXPECT_EQ(dictionary->Get(u"Count"), Variant(int32_t{1}));
}

TEST(RegExpTest, MatchesAreEnumeratedAsObjectsWithTheirProperties) {
    CREATE_OR_SKIP(regExp, u"VBScript.RegExp");
    regExp->Put(u"Pattern", u"大[阪分]");
    regExp->Put(u"Global", true);
    EXPECT_EQ(regExp->Get(u"Global"), Variant(true));
    ObjectRef matches = regExp->GetObject(u"Execute", {u"売上_大阪と大分😀の大阪"});
    EXPECT_EQ(matches->Get(u"Count"), Variant(int32_t{3}));
    std::vector<std::u16string> values;
    std::vector<Variant> positions;
    for (const Variant& match : matches->Enumerate()) {
        values.push_back(match.AsObject()->Get(u"Value").AsString());
        positions.push_back(match.AsObject()->Get(u"FirstIndex"));
    }
    EXPECT_EQ(values, (std::vector<std::u16string>{u"大阪", u"大分", u"大阪"}));
    // Positions count UTF-16 units: the emoji is two.
    EXPECT_EQ(positions, (std::vector<Variant>{int32_t{3}, int32_t{6}, int32_t{11}}));
    EXPECT_EQ(regExp->Call(u"Replace", {kJapaneseAndEmoji, u"京都"}), Variant(u"売上_京都 ｼｰﾄ😀"));
}

TEST(RegExpTest, WithoutClassInformationTypeNameIsTheInterfaceName) {
    CREATE_OR_SKIP(regExp, u"VBScript.RegExp");
    EXPECT_EQ(regExp->TypeName(), u"IRegExp2");
}

TEST(DictionaryTest, TypeNameIsTheClassName) {
    CREATE_OR_SKIP(dictionary, u"Scripting.Dictionary");
    EXPECT_EQ(dictionary->TypeName(), u"Dictionary");
}

class FileSystemObjectTest : public ::testing::Test {
protected:
    void TearDown() override { DeleteFileW(AsWide(path)); }
    std::u16string path = TempFolder() + u"tabora ファイル😀.txt";
};

TEST_F(FileSystemObjectTest, AJapaneseAndEmojiTextSurvivesAFileRoundTrip) {
    CREATE_OR_SKIP(files, u"Scripting.FileSystemObject");
    ObjectRef writer = files->GetObject(u"CreateTextFile", {path, true, true});  // overwrite, Unicode
    writer->Call(u"WriteLine", {kJapaneseAndEmoji});
    writer->Call(u"Close");
    EXPECT_EQ(files->Get(u"FileExists", {path}), Variant(true));
    ObjectRef reader =
        files->Call(u"OpenTextFile", {}, {{u"FileName", path}, {u"IOMode", int32_t{1}}, {u"Format", int32_t{-1}}})
            .AsObject();
    EXPECT_EQ(reader->Get(u"ReadLine"), Variant(kJapaneseAndEmoji));
    EXPECT_EQ(reader->Get(u"AtEndOfStream"), Variant(true));
    reader->Call(u"Close");
    EXPECT_EQ(files->GetObject(u"GetFile", {path})->Get(u"Name"), Variant(u"tabora ファイル😀.txt"));
}

TEST_F(FileSystemObjectTest, AMissingFileIsError53) {
    CREATE_OR_SKIP(files, u"Scripting.FileSystemObject");
    ErrorRecord error = ErrorOf([&] { files->GetObject(u"GetFile", {path}); });
    EXPECT_EQ(error.Number, 53);
    EXPECT_EQ(error.Description, vb_error::Description(53));
    EXPECT_FALSE(error.Source.empty());
}

TEST(ShellTest, ExpandsEnvironmentStringsAndReadsAnIndexedProperty) {
    CREATE_OR_SKIP(shell, u"WScript.Shell");
    Variant windows;
    EXPECT_NO_ERROR(windows = shell->Call(u"ExpandEnvironmentStrings", {u"%SystemRoot%"}));
    ASSERT_EQ(windows.Type(), VariantType::String);
    EXPECT_NE(windows.AsString().find(u'\\'), std::u16string::npos);
    // The server runs in this process and reads its environment.
    SetEnvironmentVariableW(L"TABORA_TEST", reinterpret_cast<const wchar_t*>(kJapaneseAndEmoji));
    ObjectRef environment;
    EXPECT_NO_ERROR(environment = shell->GetObject(u"Environment", {u"PROCESS"}));
    ASSERT_TRUE(environment);
    EXPECT_EQ(environment->Get(u"Item", {u"TABORA_TEST"}), Variant(kJapaneseAndEmoji));
    SetEnvironmentVariableW(L"TABORA_TEST", nullptr);
}

TEST(ShellApplicationTest, AFoldersItemsAreReachedByIndex) {
    CREATE_OR_SKIP(shell, u"Shell.Application");
    std::u16string folder = TempFolder() + u"tabora shell テスト";
    CreateDirectoryW(AsWide(folder), nullptr);
    std::u16string file = folder + u"\\売上😀.txt";
    CloseHandle(CreateFileW(AsWide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<std::u16string> names;
    EXPECT_NO_ERROR({
        ObjectRef items = shell->GetObject(u"NameSpace", {folder})->GetObject(u"Items");
        const int32_t count = items->Get(u"Count").AsLong();
        for (int32_t i = 0; i < count; ++i) names.push_back(items->GetObject(u"Item", {i})->Get(u"Name").AsString());
    });
    DeleteFileW(AsWide(file));
    RemoveDirectoryW(AsWide(folder));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with(u"売上😀"));
}

}  // namespace
}  // namespace tabora::com
