// The one place where GBK texts meet the UTF-16 of the W functions. Code
// page 936 is named explicitly, so the program behaves the same on a
// Windows of any language.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring ToWide(std::string_view gbk);
std::string ToGbk(std::wstring_view wide);

}  // namespace platform
