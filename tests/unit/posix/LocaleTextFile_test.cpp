// Reading text files in the character set of the user's locale, end to end: real files, the
// POSIX file system and the locale's decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Runtime.h"
#include "platform/posix/LocaleTextDecoder.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/TempDir.h"
#include "text/Cls_CSVSeparater.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace tabora {
namespace {

using platform::posix::LocaleTextDecoder;

// Sets locale variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        ::setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

private:
    void Remember(const char* name) {
        if (saved_.contains(name)) return;
        const char* value = std::getenv(name);
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    std::map<std::string, std::optional<std::string>> saved_;
};

std::u16string U16(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::u16string(utf8.begin(), utf8.end());  // ASCII paths only
}

// glibc's newlocale() does not free its copy of LOCPATH; only the tests set LOCPATH.
std::string UserLocaleCodeset() {
#ifdef __SANITIZE_ADDRESS__
    __lsan::ScopedDisabler glibcKeepsLocpath;
#endif
    return LocaleTextDecoder::UserLocaleCodeset();
}

class LocaleTextFileTest : public ::testing::Test {
protected:
    void UseLocale(const std::string& name) {
        environment.Unset("LC_CTYPE");
        environment.Unset("LANG");
        environment.Set("LC_ALL", name);
    }
    // A Japanese Shift_JIS locale, compiled into the test's own folder.
    void UseShiftJisLocale() {
        const auto locales = dir.Path() / "locales";
        std::filesystem::create_directory(locales);
        const std::string command = "localedef -c --no-warnings=ascii -i ja_JP -f SHIFT_JIS '" +
                                    (locales / "ja_JP.SJIS").string() + "' >/dev/null 2>&1";
        (void)std::system(command.c_str());  // exits 1 for the locale's ISO C warning
        ASSERT_TRUE(std::filesystem::exists(locales / "ja_JP.SJIS" / "LC_CTYPE"))
            << "localedef could not build ja_JP.SJIS (package locales missing?)";
        environment.Set("LOCPATH", locales.string());
        UseLocale("ja_JP.SJIS");
    }

    test::TempDir dir;
    ScopedEnvironment environment;
    platform::posix::PosixFileSystem files;
};

TEST_F(LocaleTextFileTest, CodesetFollowsTheLocaleOfTheEnvironment) {
    UseLocale("C.UTF-8");
    EXPECT_EQ(UserLocaleCodeset(), "UTF-8");
    UseLocale("C");
    EXPECT_EQ(UserLocaleCodeset(), "ANSI_X3.4-1968");
    UseLocale("xx_NOWHERE.SJIS");
    EXPECT_EQ(UserLocaleCodeset(), "UTF-8");
    UseShiftJisLocale();
    EXPECT_EQ(UserLocaleCodeset(), "SHIFT_JIS");
}

TEST_F(LocaleTextFileTest, ReadsAShiftJisFileInAShiftJisLocale) {
    UseShiftJisLocale();
    LocaleTextDecoder decoder(UserLocaleCodeset());
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    // "シート1,表" / "C:\data" / "ｱｲ" without a line end.
    const auto file = dir.Write("names.csv", "\x83\x56\x81\x5B\x83\x67\x31,\x95\x5C\r\nC:\\data\r\n\r\n\xB1\xB2");
    Cls_CSVSeparater reader;
    ASSERT_TRUE(reader.ReadBaseFile(U16(file)));
    ASSERT_EQ(reader.GetRecordCount(), 3);
    EXPECT_EQ(reader.GetItemCount(), 2);
    ASSERT_TRUE(reader.MoveFirst());
    EXPECT_EQ(reader.GetItem(0), u"シート1");
    EXPECT_EQ(reader.GetItem(1), u"表");
    reader.MoveNext();
    EXPECT_EQ(reader.GetCurrentData(), u"C:\\data");
    reader.MoveNext();
    EXPECT_EQ(reader.GetCurrentData(), u"ｱｲ");
}

struct FallbackCase {
    const char* name;
    const char* locale;  // "ja_JP.SJIS" is built by the test
    std::string bytes;
    std::optional<std::vector<std::u16string>> records;  // none: the read fails
    int32_t asciiLinesBefore = 0;  // lines "0123456789" before the bytes, not among the records
};

class LegacyFallbackTest : public LocaleTextFileTest, public ::testing::WithParamInterface<FallbackCase> {};

// Files that are not text in the locale's code set mostly come from Japanese Windows: they read
// as code page 932, and a file that is neither fails and leaves the records loaded before.
TEST_P(LegacyFallbackTest, BytesInvalidInTheLocaleReadAsCodePage932OrFail) {
    const FallbackCase& c = GetParam();
    if (std::string(c.locale) == "ja_JP.SJIS") {
        UseShiftJisLocale();
    } else {
        UseLocale(c.locale);
    }
    LocaleTextDecoder decoder(UserLocaleCodeset());
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    Cls_CSVSeparater reader;
    reader.SetBaseData(u"kept1\r\nkept2");
    reader.MoveFirst();
    std::string bytes;
    for (int32_t i = 0; i < c.asciiLinesBefore; ++i) bytes += "0123456789\r\n";
    const bool read = reader.ReadBaseFile(U16(dir.Write("in.csv", bytes + c.bytes)));
    if (!c.records) {
        EXPECT_FALSE(read);
        EXPECT_EQ(reader.GetRecordCount(), 2);
        EXPECT_EQ(reader.GetCurrentData(), u"kept1");
        return;
    }
    ASSERT_TRUE(read);
    ASSERT_EQ(reader.GetRecordCount(), c.asciiLinesBefore + static_cast<int32_t>(c.records->size()));
    std::vector<std::u16string> records;
    for (bool more = reader.MoveFirst(); more; more = reader.MoveNext()) {
        if (records.empty() && reader.GetCurrentData() == u"0123456789") continue;
        records.push_back(reader.GetCurrentData());
    }
    EXPECT_EQ(records, *c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LegacyFallbackTest,
    ::testing::Values(
        FallbackCase{"ShiftJisInAUtf8Locale", "C.UTF-8", "\x83\x56\x81\x5B\x83\x67\x31,\x87\x40\r\nC:\\data\r",
                     std::vector<std::u16string>{u"シート1,①", u"C:\\data"}},
        FallbackCase{"ShiftJisWithoutALocale", "C", "\x93\xFA\x96\x7B", std::vector<std::u16string>{u"日本"}},
        // past the first piece the reader takes of a file
        FallbackCase{"ShiftJisAfterALongAsciiBeginning", "C.UTF-8", "\x95\x5C", std::vector<std::u16string>{u"表"}, 30000},
        FallbackCase{"NeitherUtf8NorCodePage932", "C.UTF-8", "ok\r\n\x80\r\n", std::nullopt},
        FallbackCase{"CutOffAtTheEnd", "C.UTF-8", "x\x93", std::nullopt},
        FallbackCase{"InvalidInAShiftJisLocale", "ja_JP.SJIS", "x\x80y", std::nullopt}),
    [](const auto& param_info) { return param_info.param.name; });

TEST_F(LocaleTextFileTest, ReadsUtf8WhereTheSystemHasNoLocale) {
    const auto file = dir.Write("names.csv", "\xE3\x82\xB7\xE3\x83\xBC\xE3\x83\x88\r\n");
    for (const char* locale : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) {
        SCOPED_TRACE(locale);
        UseLocale(locale);
        LocaleTextDecoder decoder(UserLocaleCodeset());
        platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
        Cls_CSVSeparater reader;
        ASSERT_TRUE(reader.ReadBaseFile(U16(file)));
        reader.MoveFirst();
        EXPECT_EQ(reader.GetCurrentData(), u"シート");
    }
}

TEST_F(LocaleTextFileTest, ReadsAUtf8FileInAUtf8LocaleAndKeepsRecordsOnFailure) {
    UseLocale("C.UTF-8");
    LocaleTextDecoder decoder(UserLocaleCodeset());
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    const auto file = dir.Write("names.csv", "\xE3\x82\xB7\xE3\x83\xBC\xE3\x83\x88\xE2\x91\xA0\rnext\n");
    Cls_CSVSeparater reader;
    ASSERT_TRUE(reader.ReadBaseFile(U16(file)));
    reader.MoveFirst();
    EXPECT_EQ(reader.GetCurrentData(), u"シート①");
    EXPECT_FALSE(reader.ReadBaseFile(U16(dir.Path() / "missing.csv")));
    EXPECT_FALSE(reader.ReadBaseFile(U16(dir.Path())));
    EXPECT_FALSE(reader.ReadBaseFile(u"/dev/zero"));  // would read until memory runs out
    EXPECT_EQ(reader.GetRecordCount(), 2);
    EXPECT_TRUE(reader.MoveNext());
    EXPECT_EQ(reader.GetCurrentData(), u"next\n");
}

}  // namespace
}  // namespace tabora
