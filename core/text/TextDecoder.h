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
};

// Data files in UTF-8, the default where nothing else is chosen.
class Utf8Decoder : public TextDecoder {
public:
    std::string toUtf8(std::string_view bytes) const override;
    // Fails only on bytes that are not UTF-8.
    Result<std::string> fromUtf8(std::string_view text) const override;
};

// The message for a character `encoding` cannot hold; `character` is its UTF-8.
Error unencodableCharacter(std::string_view character, std::string_view encoding);
