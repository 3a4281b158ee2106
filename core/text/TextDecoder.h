#pragma once
// Turning bytes of the data file into text for the user. Fields are split on
// bytes; only what is shown is decoded, in the data file's encoding.

#include "base/Result.h"

#include <string>
#include <string_view>

class TextDecoder {
public:
    virtual ~TextDecoder() = default;
    // UTF-8 text for the bytes; undecodable bytes become U+FFFD.
    virtual std::string toUtf8(std::string_view bytes) const = 0;

    // The same encoding the other way, for text the user saves: the bytes of
    // UTF-8 `text`; the error names the first character the encoding cannot
    // hold (nothing is replaced silently), when there is one.
    virtual Result<std::string> fromUtf8(std::string_view text) const = 0;

    // The file's bytes are UTF-8 already: text can be matched without decoding.
    virtual bool isUtf8() const { return false; }
};

// Data files in UTF-8, the default where nothing else is chosen.
class Utf8Decoder : public TextDecoder {
public:
    std::string toUtf8(std::string_view bytes) const override;
    // Fails only on bytes that are not UTF-8.
    Result<std::string> fromUtf8(std::string_view text) const override;
    bool isUtf8() const override { return true; }
};

// The most characters a text taken from a data line shows (a label, a
// message, the renderer's summary); a longer one ends with "…".
inline constexpr std::size_t kMaxShownCharacters = 256;
// No character of an accepted encoding takes more bytes than this.
inline constexpr std::size_t kMaxCharacterBytes = 4;
// The bytes of a data line that can show: enough to tell whether there are
// more characters than show. What lies beyond need not be kept.
inline constexpr std::size_t kMaxShownBytes = kMaxShownCharacters * kMaxCharacterBytes + 1;

// The UTF-8 text of data-file bytes as shown to the user: at most
// kMaxShownCharacters characters of the file's encoding, then "…" when there
// are more. Only the bytes that can show are decoded.
std::string shownText(const TextDecoder& decoder, std::string_view bytes);

// The message for a character `encoding` cannot hold; `character` is its UTF-8.
Error unencodableCharacter(std::string_view character, std::string_view encoding);
