// The one place where the program's texts meet the UTF-16 of the W
// functions. Code page 936 is taken from the system by name, so the program
// behaves the same on a Windows of any language; a character it lacks is
// carried as its GB18030 four-byte code (rules/text_codec.h), so no name
// is ever changed on the way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/text_codec.h"

namespace platform {

inline constexpr unsigned kGbkCodePage = 936;

// Code page 936 as the system converts it, read afresh.
rules::CodePage936 SystemCodePage();
// The conversion, made once from the system's code page 936.
const rules::TextCodec& Codec();

// For showing: bytes that are no character show as U+FFFD.
std::wstring ToWide(std::string_view text);
std::string ToGbk(std::wstring_view wide);
// The UTF-16 of `text`, or nothing when some of its bytes are no character.
std::optional<std::wstring> ToWideExactly(std::string_view text);

}  // namespace platform
