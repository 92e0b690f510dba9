// The Windows run-time services: files, the legacy code page, the single-instance lock.
#include "platform/win32/Win32Services.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {
namespace {

// A folder of its own under the temporary folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH, base);
        path_ = FromWide(base, length) + u"tabora-test-" + std::u16string(1, u'0' + GetCurrentProcessId() % 10);
        CreateDirectoryW(Wide(path_), nullptr);
    }
    ~TempFolder() {
        for (const auto& file : files_) DeleteFileW(Wide(file));
        RemoveDirectoryW(Wide(path_ + u"\\sub"));
        RemoveDirectoryW(Wide(path_));
    }
    std::u16string Write(const std::u16string& name, const std::string& bytes) {
        const std::u16string file = path_ + u"\\" + name;
        HANDLE handle = CreateFileW(Wide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
        files_.push_back(file);
        return file;
    }
    const std::u16string& Path() const { return path_; }

private:
    std::u16string path_;
    std::vector<std::u16string> files_;
};

struct LookupCase {
    const char* name;
    std::u16string relative;  // "" is the folder itself
    int expected;             // 1 file, 0 not one, or the error number raised
};

class OrdinaryFileTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(OrdinaryFileTest, LooksUpExactlyTheNameGiven) {
    TempFolder folder;
    folder.Write(u"ブック1.xls", "x");
    CreateDirectoryW(Wide(folder.Path() + u"\\sub"), nullptr);
    const std::u16string path = GetParam().relative.empty() ? folder.Path() : folder.Path() + u"\\" + GetParam().relative;
    Win32FileSystem files;
    if (GetParam().expected > 1) {
        try {
            files.IsOrdinaryFile(path);
            FAIL() << "no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), GetParam().expected);
        }
    } else {
        EXPECT_EQ(files.IsOrdinaryFile(path), GetParam().expected == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, OrdinaryFileTest,
                         ::testing::Values(LookupCase{"File", u"ブック1.xls", 1}, LookupCase{"OtherCase", u"ブック1.XLS", 1},
                                           LookupCase{"Folder", u"", 0}, LookupCase{"SubFolder", u"sub", 0},
                                           LookupCase{"Missing", u"ブック2.xls", 0},
                                           LookupCase{"MissingFolderOnTheWay", u"nope\\ブック1.xls", 0},
                                           LookupCase{"WildcardIsNoPattern", u"*.xls", 0},
                                           LookupCase{"InvalidName", u"a<b>.xls", 52}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Win32FileSystemTest, AnEmptyPathIsNoFile) { EXPECT_FALSE(Win32FileSystem().IsOrdinaryFile(u"")); }

TEST(Win32FileSystemTest, ReadsAFileInChunksAndOpensNoFolderOrDevice) {
    TempFolder folder;
    const std::u16string file = folder.Write(u"a.csv", "0123456789");
    Win32FileSystem files;
    auto reader = files.OpenForReading(file);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->SizeHint(), 10u);
    std::string content;
    std::byte buffer[4];
    for (size_t got; (got = reader->Read(buffer)) > 0;) content.append(reinterpret_cast<const char*>(buffer), got);
    EXPECT_EQ(content, "0123456789");
    EXPECT_EQ(files.OpenForReading(folder.Path()), nullptr);
    EXPECT_EQ(files.OpenForReading(folder.Path() + u"\\none.csv"), nullptr);
    EXPECT_EQ(files.OpenForReading(u"NUL"), nullptr);  // a device, no file on a disk
}

struct DecodeCase {
    const char* name;
    std::vector<std::string> chunks;
    std::u16string text;
};

class CodePage932Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(CodePage932Test, DecodesShiftJisInAnyChunksWithoutSplittingCharacters) {
    auto decoding = StartCodePageDecoding(932);
    std::u16string out;
    for (const std::string& chunk : GetParam().chunks) {
        decoding->Decode({reinterpret_cast<const std::byte*>(chunk.data()), chunk.size()}, out);
    }
    decoding->Finish(out);
    EXPECT_EQ(out, GetParam().text);
    EXPECT_EQ(decoding->Replaced(), out.find(u'\uFFFD') != std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, CodePage932Test,
    ::testing::Values(DecodeCase{"Whole", {"\x93\xfa\x96\x7b\x8c\xea,a"}, u"日本語,a"},
                      DecodeCase{"SplitAfterLeadBytes", {"\x93", "\xfa\x96", "\x7b\x8c", "\xea"}, u"日本語"},
                      DecodeCase{"HalfWidthKana", {"\xbc\xb0\xc4"}, u"ｼｰﾄ"},
                      DecodeCase{"LeadByteLeftAtTheEnd", {"a\x93"}, u"a\uFFFD"},
                      DecodeCase{"BadTrailByteKeepsTheNextCharacter", {"\x81 b"}, u"\uFFFD b"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(NamedMutexInstanceLockTest, TheFirstHolderRunsAloneAndASecondSeesIt) {
    NamedMutexInstanceLock first(u"TaboraTest");
    NamedMutexInstanceLock second(u"TaboraTest");
    EXPECT_FALSE(first.IsAnotherInstanceRunning());
    EXPECT_TRUE(second.IsAnotherInstanceRunning());
    EXPECT_FALSE(first.IsAnotherInstanceRunning());
}

// Names another user could take first in the namespace every session shares: the program's
// name and the user's SID are no secret.
TEST(NamedMutexInstanceLockTest, NamesAnotherUserCouldTakeFirstDoNotStopTheTool) {
    const std::u16string program = u"TaboraTestSquatted";
    std::vector<HANDLE> squatted;
    for (const std::u16string& name :
         {program, program + u".Instance", program + u".Instance." + CurrentUserSid()}) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, Wide(u"Global\\" + name));
        ASSERT_NE(mutex, nullptr);
        squatted.push_back(mutex);
    }
    NamedMutexInstanceLock lock(program);
    EXPECT_FALSE(lock.IsAnotherInstanceRunning());
    EXPECT_FALSE(lock.HeldName().empty());
    for (HANDLE mutex : squatted) CloseHandle(mutex);
}

// An elevated start's mutex grants a normal start of the same user no access; it is held all
// the same.
TEST(NamedMutexInstanceLockTest, AHolderThisStartMayNotOpenStillRuns) {
    NamedMutexInstanceLock elevated(u"TaboraTestElevated");
    ASSERT_FALSE(elevated.IsAnotherInstanceRunning());
    HANDLE held = OpenMutexW(WRITE_DAC, FALSE, Wide(elevated.HeldName()));
    ASSERT_NE(held, nullptr);
    PSECURITY_DESCRIPTOR systemOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;GA;;;SY)", SDDL_REVISION_1,
                                                                     &systemOnly, nullptr));
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(systemOnly, &present, &dacl, &defaulted);
    ASSERT_EQ(SetSecurityInfo(held, SE_KERNEL_OBJECT,
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(held);
    LocalFree(systemOnly);

    NamedMutexInstanceLock normal(u"TaboraTestElevated");
    EXPECT_TRUE(normal.IsAnotherInstanceRunning());
    EXPECT_TRUE(normal.HeldName().empty());
}

TEST(NamedMutexInstanceLockTest, TheLockEndsWithItsHolder) {
    {
        NamedMutexInstanceLock first(u"TaboraTest2");
        EXPECT_FALSE(first.IsAnotherInstanceRunning());
    }
    NamedMutexInstanceLock later(u"TaboraTest2");
    EXPECT_FALSE(later.IsAnotherInstanceRunning());
}

}  // namespace
}  // namespace tabora::platform::win32
