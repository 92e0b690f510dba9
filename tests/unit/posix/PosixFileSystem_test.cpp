#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "platform/RuntimeError.h"
#include "platform/posix/UniqueFd.h"
#include "support/FakeStrings.h"
#include "support/TempDir.h"

namespace tabora::platform::posix {
namespace {

std::u16string U16(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::u16string(utf8.begin(), utf8.end());  // the test paths are ASCII
}

std::string ReadAll(ByteReader& reader) {
    std::string all;
    std::array<std::byte, 3> buffer{};
    while (const size_t got = reader.Read(buffer)) all.append(reinterpret_cast<const char*>(buffer.data()), got);
    return all;
}

class PosixFileSystemTest : public ::testing::Test {
protected:
    test::TempDir dir;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, ARelativePathIsTakenAgainstTheWorkingFolder) {
    const auto workingFolder = std::filesystem::current_path();
    std::filesystem::create_directory(dir.Path() / "日本語");
    std::filesystem::current_path(dir.Path() / "日本語");
    const std::u16string absolute = files.AbsolutePath(u"sub/book.xls");
    std::filesystem::current_path(workingFolder);
    const std::u8string expected = (std::filesystem::canonical(dir.Path()) / "日本語" / "sub" / "book.xls").u8string();
    EXPECT_EQ(test::ToUtf8(absolute), std::string(expected.begin(), expected.end()));
    EXPECT_EQ(files.AbsolutePath(u"/abs/book.xls"), u"/abs/book.xls");
    EXPECT_EQ(files.AbsolutePath(u""), u"");
}

TEST_F(PosixFileSystemTest, OnlyAnExistingOrdinaryFileCounts) {
    const auto file = dir.Write("book.xls", "x");
    std::filesystem::create_directory(dir.Path() / "folder");
    std::filesystem::create_symlink(file, dir.Path() / "link.xls");
    EXPECT_TRUE(files.IsOrdinaryFile(U16(file)));
    EXPECT_TRUE(files.IsOrdinaryFile(U16(dir.Path() / "link.xls")));
    EXPECT_FALSE(files.IsOrdinaryFile(U16(dir.Path() / "folder")));
    EXPECT_FALSE(files.IsOrdinaryFile(U16(dir.Path() / "missing.xls")));
    EXPECT_FALSE(files.IsOrdinaryFile(U16(dir.Path() / "book.xls" / "below")));  // ENOTDIR
    EXPECT_FALSE(files.IsOrdinaryFile(U16(dir.Path() / "b*.xls")));               // no wildcards
    EXPECT_FALSE(files.IsOrdinaryFile(u""));
}

TEST_F(PosixFileSystemTest, PathThatCannotBeLookedUpThrows) {
    const std::u16string tooLong = U16(dir.Path()) + u"/" + std::u16string(5000, u'a');
    try {
        files.IsOrdinaryFile(tooLong);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), vb_error::kBadFileNameOrNumber);
    }
    if (::geteuid() != 0) {  // root passes through any folder
        std::filesystem::create_directory(dir.Path() / "closed");
        std::filesystem::permissions(dir.Path() / "closed", std::filesystem::perms::none);
        EXPECT_THROW(files.IsOrdinaryFile(U16(dir.Path() / "closed" / "a.xls")), RuntimeError);
    }
}

TEST_F(PosixFileSystemTest, ReadsTheBytesAsTheyAre) {
    const std::string bytes = "a,b\r\n\x82\xA0\x00z";
    const auto file = dir.Write("in.csv", std::string(bytes.data(), 9));
    const auto reader = files.OpenForReading(U16(file));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader), std::string(bytes.data(), 9));
    std::array<std::byte, 4> buffer{};
    EXPECT_EQ(reader->Read(buffer), 0u);
}

TEST_F(PosixFileSystemTest, WhatCannotBeOpenedGivesNoReader) {
    std::filesystem::create_directory(dir.Path() / "folder");
    EXPECT_EQ(files.OpenForReading(U16(dir.Path() / "missing.csv")), nullptr);
    EXPECT_EQ(files.OpenForReading(U16(dir.Path() / "folder")), nullptr);
    EXPECT_EQ(files.OpenForReading(u""), nullptr);
}

TEST_F(PosixFileSystemTest, OnlyAnOrdinaryFileIsOpened) {
    const auto fifo = dir.Path() / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    {
        // With a writer on the other end, opening succeeds at once, but the pipe may never end.
        const UniqueFd writer(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
        ASSERT_TRUE(writer.Valid());
        ASSERT_EQ(files.OpenForReading(U16(fifo)), nullptr);
    }
    EXPECT_EQ(files.OpenForReading(U16(fifo)), nullptr);  // without one it does not wait for one
    EXPECT_EQ(files.OpenForReading(u"/dev/zero"), nullptr);
    EXPECT_EQ(files.OpenForReading(u"/dev/null"), nullptr);
    const auto reader = files.OpenForReading(U16(dir.Write("in.csv", "abc")));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->SizeHint(), 3u);
}

#ifdef __linux__
TEST_F(PosixFileSystemTest, DeviceErrorWhileReadingThrows57) {
    // Reading the process's own memory from address 0 fails with EIO after a successful open.
    const auto reader = files.OpenForReading(u"/proc/self/mem");
    ASSERT_NE(reader, nullptr);
    std::array<std::byte, 16> buffer{};
    try {
        reader->Read(buffer);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), vb_error::kDeviceIoError);
    }
}
#endif

}  // namespace
}  // namespace tabora::platform::posix
