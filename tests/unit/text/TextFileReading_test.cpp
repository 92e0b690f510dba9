#include "text/TextFileReading.h"

#include <gtest/gtest.h>

#include "platform/Runtime.h"
#include "support/ByteDecoder.h"
#include "support/InMemoryFileSystem.h"

namespace tabora::text {
namespace {

using namespace std::string_literals;  // byte strings with NULs in them

struct LineEndsCase {
    const char* name;
    std::string line;  // repeated to make the file
    std::string mark;  // a byte-order mark, or none
};

class TextRoomTest : public ::testing::TestWithParam<LineEndsCase> {};

// A text that outgrows its room doubles it, and a large file then takes several times its size
// at once: the room is taken once, for the characters and for the LF every lone CR gains.
TEST_P(TextRoomTest, TheTextOfAFileHasRoomForItsLineEndsAndNoMore) {
    test::InMemoryFileSystem files;
    test::Latin1Decoder decoder;
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    std::string bytes = GetParam().mark;
    for (int i = 0; i < 4000; ++i) bytes += GetParam().line;
    files.AddFile(u"in.csv", bytes);
    files.SetChunkSize(999);  // so that pieces end between every two bytes of a line

    const auto text = ReadTextFile(u"in.csv");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->ends_with(u"\r\n"));
    EXPECT_LE(text->capacity(), text->size() + text->size() / 16) << "size " << text->size();
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, TextRoomTest,
    ::testing::Values(LineEndsCase{"CrLf", "ab,c\r\n", ""}, LineEndsCase{"Lf", "ab,c\n", ""},
                      LineEndsCase{"LoneCr", "ab,c\r", ""}, LineEndsCase{"LoneCrAndCrLf", "a\rb\r\n", ""},
                      LineEndsCase{"Utf16LoneCr", "a\0\r\0"s, "\xFF\xFE"},
                      LineEndsCase{"Utf16BigEndianLoneCr", "\0a\0\r"s, "\xFE\xFF"}),
    [](const auto& param_info) { return param_info.param.name; });

}  // namespace
}  // namespace tabora::text
