#include "platform/posix/NativePath.h"

#include <gtest/gtest.h>

namespace tabora::platform::posix {
namespace {

TEST(NativePathTest, WritesUtf8) {
    EXPECT_EQ(NativePath(u"/tmp/a.csv"), "/tmp/a.csv");
    EXPECT_EQ(NativePath(u"/データ/表.csv"), "/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF/\xE8\xA1\xA8.csv");
    EXPECT_EQ(NativePath(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(NativePath(u"\u00E9"), "\xC3\xA9");
}

TEST(NativePathTest, RefusesWhatCannotNameAFile) {
    EXPECT_EQ(NativePath(u""), std::nullopt);
    EXPECT_EQ(NativePath(std::u16string(u"/etc/passwd\0.csv", 16)), std::nullopt);
    EXPECT_EQ(NativePath(u"a\xD800"), std::nullopt);
    EXPECT_EQ(NativePath(u"\xDC00z"), std::nullopt);
    EXPECT_EQ(NativePath(u"\xD800z"), std::nullopt);
}

}  // namespace
}  // namespace tabora::platform::posix
