#include "text/TextDecoder.h"

#include <cerrno>
#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at `bytes`, or 0 when it is not one.
std::size_t validSequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The code point of the UTF-8 sequence at the start of `bytes`, which must be valid.
char32_t codePoint(std::string_view bytes, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (length == 1)
        return byte(0);
    char32_t value = byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        value = (value << 6) | (byte(i) & 0x3F);
    return value;
}

} // namespace

std::string Utf8Decoder::toUtf8(std::string_view bytes) const {
    std::string text;
    text.reserve(bytes.size());
    // Valid runs are copied whole, so plain ASCII costs one scan and one copy.
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = validSequenceLength(bytes.substr(i));
        if (length > 0) {
            i += length;
            continue;
        }
        text.append(bytes.substr(runStart, i - runStart));
        text += kReplacement;
        runStart = ++i;
    }
    text.append(bytes.substr(runStart));
    return text;
}

Result<std::string> Utf8Decoder::fromUtf8(std::string_view text) const {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = validSequenceLength(text.substr(i));
        if (length == 0)
            return Error{EILSEQ, "UTF-8 として正しくないバイトがあるため保存できません。"};
        i += length;
    }
    return std::string(text);
}

std::string shownText(const TextDecoder& decoder, std::string_view bytes) {
    // The characters that show lie within their most bytes; a character cut
    // at that point lies beyond them, however it decodes.
    const std::size_t decodedBytes = kMaxShownCharacters * kMaxCharacterBytes;
    const bool cut = bytes.size() > decodedBytes;
    std::string text = decoder.toUtf8(bytes.substr(0, decodedBytes));
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue; // a continuation byte
        if (characters == kMaxShownCharacters) {
            text.resize(i);
            return text + "…";
        }
        ++characters;
    }
    return cut ? text + "…" : text;
}

Error unencodableCharacter(std::string_view character, std::string_view encoding) {
    const std::size_t length = character.empty() ? 0 : validSequenceLength(character);
    char code[16] = "?";
    if (length > 0)
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint(character, length)));
    std::string description = "文字「";
    description += character.substr(0, length);
    description += "」(";
    description += code;
    description += ") は文字コード ";
    description += encoding;
    description += " で保存できません。";
    return Error{EILSEQ, description};
}
