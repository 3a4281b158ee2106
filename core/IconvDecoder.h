#pragma once
// Decoding data-file bytes with the C library's converters (iconv), which
// report each undecodable byte, so that it can become U+FFFD in place.

#include "core/TextDecoder.h"

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

private:
    explicit IconvDecoder(iconv_t descriptor) : m_descriptor(descriptor) {}

    iconv_t m_descriptor;
    // A converter carries state between calls; one caller at a time.
    mutable std::mutex m_mutex;
};
