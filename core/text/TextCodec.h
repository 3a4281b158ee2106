#pragma once
// Decoding data-file bytes for display, in the encoding the user chose with
// --encoding, or the locale's encoding by default.

#include "text/TextDecoder.h"

#include <memory>
#include <string>

// A decoder for the named encoding; an empty name means the locale's
// encoding. An error for the user when the name is unknown or the encoding
// does not keep every byte below 0x40 as plain ASCII (UTF-16, UTF-32,
// ISO-2022-JP), because fields are split on bytes.
Result<std::unique_ptr<TextDecoder>> makeTextDecoder(const std::string& name);
