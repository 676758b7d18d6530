#include "platform/error_text.h"

#include "platform/gbk_convert.h"
#include "platform/owned_handles.h"

namespace platform {

std::string ErrorText(DWORD error) {
  LocalText text;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(text.Receive()), 0, nullptr);
  std::wstring line(text ? text.get() : L"", text ? length : 0);
  for (wchar_t& unit : line) {
    if (unit == L'\r' || unit == L'\n') unit = L' ';
  }
  while (!line.empty() && (line.back() == L' ' || line.back() == L'.' || line.back() == L'。')) line.pop_back();
  if (line.empty()) return "错误代码 " + std::to_string(error);
  return ToGbk(line);
}

}  // namespace platform
