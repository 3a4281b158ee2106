#include "text/IconvDecoder.h"

#include <cerrno>
#include <string_view>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
const auto kFailed = static_cast<std::size_t>(-1);
const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

// The UTF-8 character at the start of `text`, at most four bytes.
std::string_view firstCharacter(std::string_view text) {
    std::size_t length = 1;
    while (length < text.size() && length < 4 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return text.substr(0, length);
}

} // namespace

std::unique_ptr<IconvDecoder> IconvDecoder::open(const std::string& encoding) {
    iconv_t descriptor = ::iconv_open("UTF-8", encoding.c_str());
    if (descriptor == kNoConverter)
        return nullptr;
    const iconv_t encoder = ::iconv_open(encoding.c_str(), "UTF-8");
    return std::unique_ptr<IconvDecoder>(new IconvDecoder(descriptor, encoder, encoding));
}

IconvDecoder::~IconvDecoder() {
    ::iconv_close(m_descriptor);
    if (m_encoder != kNoConverter)
        ::iconv_close(m_encoder);
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

Result<std::string> IconvDecoder::fromUtf8(std::string_view text) const {
    if (m_encoder == kNoConverter)
        return Error{EINVAL, "文字コード " + m_encoding + " では保存できません。"};
    const std::lock_guard lock(m_mutex);
    ::iconv(m_encoder, nullptr, nullptr, nullptr, nullptr);

    std::string out(text.size() + 16, '\0');
    std::size_t used = 0;
    char* in = const_cast<char*>(text.data()); // iconv does not write through it
    std::size_t inLeft = text.size();
    for (;;) {
        char* next = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const bool flushing = inLeft == 0; // back to the initial shift state
        const std::size_t result = flushing ? ::iconv(m_encoder, nullptr, nullptr, &next, &outLeft)
                                            : ::iconv(m_encoder, &in, &inLeft, &next, &outLeft);
        const int reason = errno;
        used = static_cast<std::size_t>(next - out.data());
        if (result != kFailed) {
            if (flushing)
                break;
            continue;
        }
        if (reason == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        const std::string_view rest(in, inLeft);
        return reason == EILSEQ ? unencodableCharacter(firstCharacter(rest), m_encoding)
                                : Error{reason, "UTF-8 として正しくないバイトがあるため保存できません。"};
    }
    out.resize(used);
    return out;
}
