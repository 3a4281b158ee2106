#include "core/TextDecoder.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Decoder, KeepsValidTextAndReplacesBadBytes) {
    const Utf8Decoder decoder;
    const std::string bad = "\xEF\xBF\xBD";
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"温度", "温度"},
        {"\x95\x5c,12", bad + "\\,12"}, // Shift_JIS is not UTF-8
        {"\xC0\xAF", bad + bad},        // overlong
        {"\xE6\xB8", bad + bad},        // cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(decoder.toUtf8(c.bytes), c.text) << testing::PrintToString(c.bytes);
}

} // namespace
