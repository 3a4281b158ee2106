#include "text/TextCodec.h"

#include "text/IconvDecoder.h"

#include <cctype>

#include <langinfo.h>
#include <locale.h>

namespace {

// Upper case without '-' and '_', so that "Shift-JIS", "shift_jis" and
// "SHIFTJIS" are one name.
std::string comparable(const std::string& name) {
    std::string key;
    for (const unsigned char c : name)
        if (c != '-' && c != '_')
            key += static_cast<char>(std::toupper(c));
    return key;
}

// Shift_JIS files come from Windows, whose Shift_JIS is code page 932: the
// same characters plus NEC and IBM extensions, so it decodes a superset.
std::string iconvName(const std::string& name) {
    const std::string key = comparable(name);
    for (const char* alias : {"SHIFTJIS", "SJIS", "MSKANJI", "CSSHIFTJIS", "XSJIS"})
        if (key == alias)
            return "CP932";
    return name;
}

bool isUtf8(const std::string& name) {
    return comparable(name) == "UTF8";
}

// The character set of the user's locale, read from the environment without
// touching the process's own locale. The plain C locale (ASCII) and a locale
// that is not installed count as UTF-8, a superset of ASCII, as Qt does.
std::string localeEncoding() {
    const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return "UTF-8";
    std::string codeset = ::nl_langinfo_l(CODESET, locale);
    ::freelocale(locale);
    if (codeset.empty() || codeset == "ANSI_X3.4-1968")
        return "UTF-8";
    return codeset;
}

// Fields are split on bytes below 0x40, so each such byte must decode to its
// ASCII character alone and also after any byte of 0x80 and above (where a
// multi-byte encoding would take it as part of a character). Twice, so that
// four-byte sequences such as GB18030's are caught too.
bool keepsLowBytesAscii(const TextDecoder& decoder) {
    for (int low = 0; low < 0x40; ++low) {
        const std::string lowText(1, static_cast<char>(low));
        if (decoder.toUtf8(lowText) != lowText)
            return false;
        for (int high = 0x80; high <= 0xFF; ++high) {
            const std::string highByte(1, static_cast<char>(high));
            const std::string highText = decoder.toUtf8(highByte);
            const std::string pair = highByte + lowText;
            if (decoder.toUtf8(pair + pair) != highText + lowText + highText + lowText)
                return false;
        }
    }
    return true;
}

} // namespace

Result<std::unique_ptr<TextDecoder>> makeTextDecoder(const std::string& name) {
    const std::string encoding = name.empty() ? localeEncoding() : name;
    const std::string shown =
        name.empty() ? "the locale's encoding \"" + encoding + "\"" : "\"" + name + "\"";

    if (isUtf8(encoding))
        return std::unique_ptr<TextDecoder>(std::make_unique<Utf8Decoder>());

    // iconv reads "NAME//OPTION" as options that would drop or alter bytes.
    std::unique_ptr<IconvDecoder> decoder;
    if (encoding.find('/') == std::string::npos)
        decoder = IconvDecoder::open(iconvName(encoding));
    if (!decoder)
        return Error(kErrInvalidValue, "Unknown text encoding: " + shown + ".");
    if (!keepsLowBytesAscii(*decoder))
        return Error(kErrInvalidValue,
                     "The text encoding " + shown +
                         " cannot be used for data files: it does not keep every byte below "
                         "0x40 as a plain ASCII character, and fields are split on such bytes.");
    return std::unique_ptr<TextDecoder>(std::move(decoder));
}
