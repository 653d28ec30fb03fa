#pragma once

#include <string>

namespace platform
{

/// UTF-8 form of a wide string as Linux holds it (one UTF-32 code point per wchar_t). Values that are no
/// Unicode scalar value (surrogates, values past U+10FFFF) become U+FFFD; a null pointer gives "".
std::string toUtf8(const wchar_t* text);

} // namespace platform
