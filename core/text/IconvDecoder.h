#pragma once
// Decoding data-file bytes with the C library's converters (iconv), which
// report each undecodable byte, so that it can become U+FFFD in place.

#include "text/TextDecoder.h"

#include <iconv.h>

#include <memory>
#include <mutex>
#include <string>

class IconvDecoder : public TextDecoder {
public:
    // A decoder from `encoding` (a name iconv knows), or nothing when the
    // name is unknown.
    static std::unique_ptr<IconvDecoder> open(const std::string& encoding);
    ~IconvDecoder() override;
    IconvDecoder(const IconvDecoder&) = delete;
    IconvDecoder& operator=(const IconvDecoder&) = delete;

    // Each call starts in the encoding's initial state. A byte that does not
    // begin a complete character becomes U+FFFD and decoding goes on after it.
    std::string toUtf8(std::string_view bytes) const override;
    // Each call starts in the encoding's initial state and ends in it.
    Result<std::string> fromUtf8(std::string_view text) const override;

private:
    IconvDecoder(iconv_t descriptor, iconv_t encoder, std::string encoding)
        : m_descriptor(descriptor), m_encoder(encoder), m_encoding(std::move(encoding)) {}

    iconv_t m_descriptor;
    iconv_t m_encoder; // UTF-8 to the encoding; (iconv_t)-1 when iconv has none
    std::string m_encoding;
    // A converter carries state between calls; one caller at a time.
    mutable std::mutex m_mutex;
};
