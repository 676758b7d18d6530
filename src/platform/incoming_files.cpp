#include "platform/incoming_files.h"

#include <algorithm>
#include <string_view>

#include "platform/file_calls.h"
#include "platform/file_paths.h"
#include "platform/gbk_convert.h"
#include "platform/owned_handles.h"

namespace platform {
namespace {

using Kind = exec::IncomingPath::Kind;

// A path without separators at its end, but a drive's root keeps its own.
std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

exec::IncomingPath Classify(const std::wstring& given) {
  exec::IncomingPath incoming;
  incoming.path = ToGbk(given);
  const std::wstring path = WithoutTrailingSeparators(given);
  const std::optional<std::wstring> onDisk = FileSystemPathOf(ToGbk(path));
  const DWORD attributes = onDisk ? SystemFileCalls().Attributes(*onDisk) : INVALID_FILE_ATTRIBUTES;
  if (attributes == INVALID_FILE_ATTRIBUTES) return incoming;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    incoming.kind = Kind::Folder;
    incoming.folder = ToGbk(path);
    return incoming;
  }
  const size_t split = path.find_last_of(L"\\/");
  if (split == std::wstring::npos) return incoming;
  incoming.kind = Kind::File;
  incoming.folder = ToGbk(WithoutTrailingSeparators(path.substr(0, split + 1)));
  incoming.name = ToGbk(path.substr(split + 1));
  return incoming;
}

}  // namespace

std::vector<exec::IncomingPath> ClassifyPaths(const std::vector<std::wstring>& paths) {
  std::vector<exec::IncomingPath> classified;
  for (const std::wstring& path : paths) classified.push_back(Classify(path));
  return classified;
}

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::wstring path(DragQueryFileW(drop, index, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(std::move(path));
  }
  return paths;
}

std::vector<std::wstring> CommandLinePaths() {
  int count = 0;
  const LocalArguments arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> paths;
  for (int index = 1; arguments && index < count; ++index) paths.emplace_back(arguments.get()[index]);
  return paths;
}

std::wstring PathsMessage(const std::vector<std::wstring>& paths) {
  std::wstring text;
  for (const std::wstring& path : paths) text.append(path).push_back(L'\0');
  return text;
}

std::vector<std::wstring> PathsOfMessage(const COPYDATASTRUCT& data) {
  std::vector<std::wstring> paths;
  if (data.dwData != kPathsData || !data.lpData) return paths;
  const std::wstring_view text(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find(L'\0', start), text.size());
    if (end > start) paths.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

}  // namespace platform
