#pragma once
// Turning bytes of the data file into text for the user. Fields are split on
// bytes; only what is shown is decoded, in the data file's encoding.

#include <string>
#include <string_view>

class TextDecoder {
public:
    virtual ~TextDecoder() = default;
    // UTF-8 text for the bytes; undecodable bytes become U+FFFD.
    virtual std::string toUtf8(std::string_view bytes) const = 0;
};

// Data files in UTF-8, the default where nothing else is chosen.
class Utf8Decoder : public TextDecoder {
public:
    std::string toUtf8(std::string_view bytes) const override;
};
