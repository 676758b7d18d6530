// The one place where GBK texts meet the UTF-16 of the W functions. Code
// page 936 is named explicitly, so the program behaves the same on a
// Windows of any language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring ToWide(std::string_view gbk);
std::string ToGbk(std::wstring_view wide);
// The UTF-16 form of `gbk` when code page 936 carries it there and back
// without loss (0x80 alone is the euro sign); nothing otherwise.
std::optional<std::wstring> ToWideExactly(std::string_view gbk);

}  // namespace platform
