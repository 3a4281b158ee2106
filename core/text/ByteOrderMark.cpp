#include "text/ByteOrderMark.h"

ByteOrderMark byteOrderMarkOf(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (bytes.starts_with(kUtf8ByteOrderMark))
        return ByteOrderMark::Utf8;
    // UTF-32's little-endian mark begins as UTF-16's does.
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv))
        return ByteOrderMark::Utf32;
    if (bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv))
        return ByteOrderMark::Utf16;
    return ByteOrderMark::None;
}

Error unreadableEncoding(ByteOrderMark mark) {
    const std::string encoding = mark == ByteOrderMark::Utf32 ? "UTF-32" : "UTF-16";
    return Error(kErrUnreadableEncoding,
                 "データファイルは " + encoding + " で書かれています。区切り文字をバイトで探すため、" +
                     encoding + " のファイルは読めません。UTF-8 や Shift_JIS で保存して下さい。");
}
