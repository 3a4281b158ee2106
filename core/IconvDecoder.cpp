#include "core/IconvDecoder.h"

#include <cerrno>
#include <string_view>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
const auto kFailed = static_cast<std::size_t>(-1);

} // namespace

std::unique_ptr<IconvDecoder> IconvDecoder::open(const std::string& encoding) {
    iconv_t descriptor = ::iconv_open("UTF-8", encoding.c_str());
    if (descriptor == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return std::unique_ptr<IconvDecoder>(new IconvDecoder(descriptor));
}

IconvDecoder::~IconvDecoder() {
    ::iconv_close(m_descriptor);
}

std::string IconvDecoder::toUtf8(std::string_view bytes) const {
    const std::lock_guard lock(m_mutex);
    ::iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);

    // Three output bytes per input byte cover the Japanese encodings; more
    // space is made when a converter asks for it.
    std::string text(bytes.size() * 3 + 16, '\0');
    std::size_t used = 0;
    char* in = const_cast<char*>(bytes.data()); // iconv does not write through it
    std::size_t inLeft = bytes.size();
    for (;;) {
        char* out = text.data() + used;
        std::size_t outLeft = text.size() - used;
        const bool flushing = inLeft == 0; // ends any shift state
        const std::size_t result = flushing ? ::iconv(m_descriptor, nullptr, nullptr, &out, &outLeft)
                                            : ::iconv(m_descriptor, &in, &inLeft, &out, &outLeft);
        const int reason = errno;
        used = static_cast<std::size_t>(out - text.data());
        if (result != kFailed) {
            if (flushing)
                break;
            continue;
        }
        if (reason == E2BIG) {
            text.resize(text.size() * 2);
            continue;
        }
        if (flushing)
            break; // nothing pending can be written; what was decoded stands
        // EILSEQ or EINVAL: the byte at `in` starts no complete character.
        if (text.size() - used < kReplacement.size())
            text.resize(text.size() * 2);
        text.replace(used, kReplacement.size(), kReplacement);
        used += kReplacement.size();
        ++in;
        --inLeft;
        ::iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
    }
    text.resize(used);
    return text;
}
