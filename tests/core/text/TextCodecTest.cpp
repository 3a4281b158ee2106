#include "text/TextCodec.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <tuple>

namespace {

const std::string kBad = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

TEST(TextCodec, DecodesDataFileEncodingsReplacingBadBytes) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Shift_JIS", "12,\x95\x5c;\x83\x65\x83\x58\x83\x67", "12,表;テスト"},
        {"shift-jis", "\xb1\xb2", "ｱｲ"}, // half-width katakana, one byte each
        {"Shift_JIS", "\x87\x40", "①"},  // Windows' extension, common in real files
        {"EUC-JP", "\xc9\xbd", "表"},
        {"ISO-8859-15", "\xa4", "€"},
        {"Shift_JIS", "1\x95", "1" + kBad},   // a character cut off at the end
        {"Shift_JIS", "\x95,2", kBad + ",2"}, // a delimiter is never swallowed
        {"UTF-8", "\xc3(", kBad + "("},
    };
    for (const auto& [encoding, bytes, text] : cases) {
        const auto decoder = makeTextDecoder(encoding);
        ASSERT_TRUE(decoder) << encoding << ": " << decoder.error().message;
        EXPECT_EQ((*decoder)->toUtf8(bytes), text) << encoding << " " << bytes;
    }
}

TEST(TextCodec, RefusesEncodingsThatCannotBeSplitOnBytes) {
    const std::pair<const char*, const char*> cases[] = {
        {"UTF-16", "below 0x40"},        {"UTF-32", "below 0x40"},
        {"ISO-2022-JP", "below 0x40"},   {"GB18030", "below 0x40"}, // digits inside its four-byte characters
        {"no-such-encoding", "Unknown"}, {"UTF-8//IGNORE", "Unknown"},
    };
    for (const auto& [encoding, reason] : cases) {
        const auto refused = makeTextDecoder(encoding);
        ASSERT_FALSE(refused) << encoding;
        EXPECT_EQ(refused.error().code, kErrInvalidValue) << encoding;
        const std::string& message = refused.error().message;
        EXPECT_NE(message.find(encoding), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

TEST(TextCodec, NoNameMeansTheLocaleEncodingAndPlainLocalesReadUtf8) {
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    for (const char* locale : {"C", "C.UTF-8", "no_SUCH.locale"}) {
        ::setenv("LC_ALL", locale, 1);
        const auto decoder = makeTextDecoder("");
        ASSERT_TRUE(decoder) << locale << ": " << decoder.error().message;
        EXPECT_EQ((*decoder)->toUtf8("表\xff"), "表" + kBad) << locale;
    }
    saved ? ::setenv("LC_ALL", previous.c_str(), 1) : ::unsetenv("LC_ALL");
}

TEST(TextCodec, SavesTextInTheEncodingAndRefusesWhatItCannotHold) {
    // The encoding, the text, its bytes; no bytes: refused.
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Shift_JIS", "12,表\r\nｱ①", "12,\x95\x5c\r\n\xb1\x87\x40"},
        {"EUC-JP", "表", "\xc9\xbd"},
        {"ISO-8859-15", "€", "\xa4"},
        {"ISO-8859-15", "a表b", ""},
        {"Shift_JIS", "温度😀", ""},
    };
    for (const auto& [encoding, text, bytes] : cases) {
        const auto made = makeTextDecoder(encoding);
        ASSERT_TRUE(made) << encoding << ": " << made.error().message;
        const TextDecoder& codec = **made;
        const auto saved = codec.fromUtf8(text);
        EXPECT_EQ(static_cast<bool>(saved), !bytes.empty()) << encoding << " " << text;
        if (saved) {
            EXPECT_EQ(*saved, bytes) << encoding;
            EXPECT_EQ(codec.toUtf8(*saved), text) << "round trip " << encoding;
        } else {
            const Error& failure = saved.error();
            EXPECT_EQ(failure.code, EILSEQ);
            EXPECT_NE(failure.message.find(encoding == std::string("Shift_JIS") ? "😀" : "表"),
                      std::string::npos)
                << failure.message;
        }
    }
}

// A text taken from a data line shows at most 256 characters of the file's
// encoding, whatever their width in bytes, then "…".
TEST(ShownText, CutsLongTextsOnACharacterBoundary) {
    std::string sjis, utf8;
    for (int i = 0; i < 300; ++i) {
        sjis += "\x82\xa0"; // "あ" in Shift_JIS
        utf8 += "あ";
    }
    const std::string first256 = utf8.substr(0, 256 * 3);
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Shift_JIS", sjis, first256 + "…"},
        {"Shift_JIS", sjis.substr(0, 512), first256}, // exactly 256: nothing cut
        {"Shift_JIS", "1" + sjis, "1" + utf8.substr(0, 255 * 3) + "…"},
        {"UTF-8", utf8, first256 + "…"},
        {"UTF-8", std::string(1 << 20, '9'), std::string(256, '9') + "…"},
        {"UTF-8", "12.5", "12.5"},
    };
    for (const auto& [encoding, bytes, shown] : cases) {
        const auto decoder = makeTextDecoder(encoding);
        ASSERT_TRUE(decoder);
        EXPECT_EQ(shownText(**decoder, bytes), shown) << encoding << " " << bytes.size() << " bytes";
    }
}
