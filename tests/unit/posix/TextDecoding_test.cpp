#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/posix/LocaleTextDecoder.h"

namespace tabora::platform::posix {
namespace {

std::span<const std::byte> Bytes(std::string_view text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

// Decodes bytes cut into pieces at the given positions. Every U+FFFD of the cases stands for bad
// bytes, and the decoding must say so: a file read over them is no text.
std::u16string Decode(const std::string& codeset, std::string_view bytes, const std::vector<size_t>& cuts = {}) {
    LocaleTextDecoder decoder(codeset);
    const auto decoding = decoder.StartDecoding();
    std::u16string out;
    size_t from = 0;
    for (size_t cut : cuts) {
        decoding->Decode(Bytes(bytes.substr(from, cut - from)), out);
        from = cut;
    }
    decoding->Decode(Bytes(bytes.substr(from)), out);
    decoding->Finish(out);
    EXPECT_EQ(decoding->Replaced(), out.find(u'\uFFFD') != std::u16string::npos);
    return out;
}

struct DecodeCase {
    const char* name;
    std::string codeset;
    std::string bytes;
    std::u16string text;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, DecodesAndReplacesInvalidBytes) {
    EXPECT_EQ(Decode(GetParam().codeset, GetParam().bytes), GetParam().text);
}

TEST_P(DecodeTest, GivesTheSameTextHoweverTheBytesArriveInChunks) {
    const std::string& bytes = GetParam().bytes;
    for (size_t cut = 0; cut <= bytes.size(); ++cut)
        EXPECT_EQ(Decode(GetParam().codeset, bytes, {cut}), GetParam().text) << "cut at " << cut;
    std::vector<size_t> everyByte;
    for (size_t i = 1; i < bytes.size(); ++i) everyByte.push_back(i);
    EXPECT_EQ(Decode(GetParam().codeset, bytes, everyByte), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codesets, DecodeTest,
    ::testing::Values(
        DecodeCase{"Utf8Ascii", "UTF-8", "0123456789abcdef,ghijklmnopqrstuvwxyz\r\n", u"0123456789abcdef,ghijklmnopqrstuvwxyz\r\n"},
        DecodeCase{"Utf8Japanese", "UTF-8", "\xE3\x82\xB7\xE3\x83\xBC\xE3\x83\x88,\xE8\xA1\xA8", u"シート,表"},
        DecodeCase{"Utf8Astral", "utf8", "a\xF0\x9F\x98\x80z", u"a\U0001F600z"},
        DecodeCase{"Utf8StrayContinuation", "UTF-8", "a\x80z", u"a\uFFFDz"},
        DecodeCase{"Utf8Overlong", "UTF-8", "\xC0\xAF!", u"\uFFFD\uFFFD!"},
        DecodeCase{"Utf8Surrogate", "UTF-8", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"Utf8BeyondUnicode", "UTF-8", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"Utf8CutSequenceThenAscii", "UTF-8", "\xE3\x82" "A", u"\uFFFD" "A"},
        DecodeCase{"Utf8CutAtTheEnd", "UTF-8", "ab\xF0\x9F\x98", u"ab\uFFFD"},
        DecodeCase{"Utf8LongAsciiRunWithOneInvalidByte", "UTF-8", std::string(40, 'x') + "\xFF" + std::string(20, 'y'),
                   std::u16string(40, u'x') + u"\uFFFD" + std::u16string(20, u'y')},
        DecodeCase{"ShiftJis", "SHIFT_JIS", "\x93\xFA\x96\x7B\x8C\xEA,\xB1\xB2", u"日本語,ｱｲ"},
        DecodeCase{"ShiftJisAsWindowsWritesIt", "SHIFT_JIS", "C:\\a~\x87\x40", u"C:\\a~①"},
        DecodeCase{"ShiftJisInvalidBytes", "SJIS", "a\x80" "b\xFD", u"a\uFFFD" "b\uFFFD"},
        DecodeCase{"ShiftJisCutAtTheEnd", "SHIFT_JIS", "x\x82", u"x\uFFFD"},
        DecodeCase{"EucJp", "EUC-JP", "\xC6\xFC\xCB\xDC", u"日本"},
        // A system without a locale reports ASCII; its files are read as UTF-8.
        DecodeCase{"AsciiReadsAsUtf8", "ANSI_X3.4-1968", "caf\xC3\xA9 \xE9", u"caf\u00E9 \uFFFD"},
        DecodeCase{"UsAsciiReadsAsUtf8", "US-ASCII", "\xE8\xA1\xA8", u"\u8868"},
        DecodeCase{"Latin1", "ISO-8859-1", "caf\xE9", u"café"}),
    [](const auto& param_info) { return param_info.param.name; });

TEST(LocaleTextDecoderTest, UnknownCodesetCannotStart) {
    LocaleTextDecoder decoder("NO-SUCH-CODESET");
    EXPECT_THROW(decoder.StartDecoding(), RuntimeError);
}

}  // namespace
}  // namespace tabora::platform::posix
