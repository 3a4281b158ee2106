#include "text/TextDecoder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

namespace {

TEST(Utf8Decoder, KeepsValidTextAndReplacesBadBytes) {
    const Utf8Decoder decoder;
    const std::string bad = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"温度", "温度"},
        {"\x95\x5c,12", bad + "\\,12"}, // Shift_JIS is not UTF-8
        {"\xC0\xAF", bad + bad},        // overlong
        {"\xE6\xB8", bad + bad},        // cut short
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(decoder.toUtf8(bytes), text) << testing::PrintToString(bytes);
}

TEST(Utf8Decoder, SavesValidTextAsItIsAndRefusesBadBytes) {
    const Utf8Decoder decoder;
    const auto saved = decoder.fromUtf8("温度\r\n①");
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, "温度\r\n①");
    const auto refused = decoder.fromUtf8("a\xE6\xB8");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, EILSEQ);
}

TEST(UnencodableCharacter, NamesTheCharacterAndItsCodePoint) {
    const Error error = unencodableCharacter("①", "ISO-8859-1");
    EXPECT_EQ(error.message, "文字「①」(U+2460) は文字コード ISO-8859-1 で保存できません。");
    EXPECT_NE(unencodableCharacter("😀", "X").message.find("U+1F600"), std::string::npos);
}

} // namespace
