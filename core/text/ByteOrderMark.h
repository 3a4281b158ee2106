#pragma once
// The byte-order mark a text file may start with. A UTF-8 mark is no part of
// the first line; a UTF-16 or UTF-32 mark tells a file whose fields cannot
// be split on bytes, which is refused as those encodings are.

#include "base/Error.h"

#include <string_view>

enum class ByteOrderMark { None, Utf8, Utf16, Utf32 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The mark at the start of `bytes`, the first bytes of a file.
ByteOrderMark byteOrderMarkOf(std::string_view bytes);

// Why a file with a UTF-16 or UTF-32 mark cannot be read.
Error unreadableEncoding(ByteOrderMark mark);
