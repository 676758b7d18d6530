#include "platform/windows_files.h"

#include <windows.h>

#include "exec/plain_name.h"
#include "platform/file_paths.h"
#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr char kMiddleSuffix[] = ".~改大小写";

// A name for the middle step of a change of letter case: the file's own
// name in front, so that a person who finds it there can tell what it was
// (shortened in front of the suffix when the whole would be too long).
std::wstring MiddleName(const std::wstring& name, unsigned attempt) {
  const std::wstring suffix =
      ToWide(kMiddleSuffix) + (attempt > 1 ? std::to_wstring(attempt) : std::wstring());
  std::wstring base = name;
  while (!base.empty() && base.size() + suffix.size() > exec::kLongestName) {
    base.pop_back();
    if (!base.empty() && IS_HIGH_SURROGATE(base.back())) base.pop_back();
  }
  return base + suffix;
}

}  // namespace

const std::optional<std::wstring>& WindowsFiles::PathOf(const std::string& folder) {
  if (!folderKnown_ || folder != folderText_) {
    folderText_ = folder;
    folderPath_ = FileSystemFolder(folder);
    folderKnown_ = true;
  }
  return folderPath_;
}

std::optional<std::wstring> WindowsFiles::EntryName(const std::wstring& folder, const std::wstring& name) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = calls_.FindFirst(folder + name, entry);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  calls_.FindEnd(search);
  return std::wstring(entry.cFileName);
}

// One rename, read back; else two through a name no entry has yet, which
// `beforeMiddle` hears before the file goes there.
exec::RenameOutcome WindowsFiles::RenameCaseOnly(const std::wstring& folder, const std::wstring& from,
                                                 const std::wstring& to,
                                                 const exec::BeforeMiddleName& beforeMiddle) {
  if (calls_.Move(folder + from, folder + to) && EntryName(folder, to) == to) return {true, {}};
  for (unsigned attempt = 1; attempt <= 100; ++attempt) {
    const std::wstring middle = MiddleName(from, attempt);
    if (EntryExists(folder + middle)) continue;
    beforeMiddle(ToGbk(middle));
    if (!calls_.Move(folder + from, folder + middle)) return {};
    if (calls_.Move(folder + middle, folder + to)) return {true, {}};
    // Never leave the file under the middle name, or else say where it is.
    if (calls_.Move(folder + middle, folder + from)) return {};
    return {false, ToGbk(middle)};
  }
  return {};
}

exec::FolderListing WindowsFiles::ListFolder(const std::string& folder) {
  exec::FolderListing listing;
  const std::optional<std::wstring>& path = PathOf(folder);
  if (!path) {
    listing.reached = false;
    return listing;
  }
  listing.pathUnits = path->size();
  DWORD serial = 0, flags = 0;
  listing.reached = ForEachIdentifiedEntry(
      calls_, *path,
      [&](const FILE_ID_BOTH_DIR_INFO& entry, std::wstring_view name) {
        const auto index = static_cast<uint32_t>(listing.keys.size());
        listing.keys.push_back(keys_.FromWide(name));
        listing.identities.push_back({static_cast<uint64_t>(entry.EndOfFile.QuadPart),
                                      static_cast<uint64_t>(entry.LastWriteTime.QuadPart),
                                      static_cast<uint64_t>(entry.FileId.QuadPart)});
        if (entry.ShortNameLength > 0) {
          const std::wstring_view shortName(entry.ShortName, entry.ShortNameLength / sizeof(WCHAR));
          listing.shortKeys.emplace_back(index, keys_.FromWide(shortName));
        }
      },
      serial, flags);
  // A volume whose serial can't be read is not known: files are then told
  // apart by size and time alone.
  listing.volume = {serial, serial != 0, (flags & FILE_SUPPORTS_OPEN_BY_FILE_ID) != 0};
  return listing;
}

std::optional<std::string> WindowsFiles::NameOnDisk(const std::string& folder, const std::string& name) {
  const std::optional<std::wstring>& path = PathOf(folder);
  const std::optional<std::wstring> wide = ToWideExactly(name);
  if (!path || !wide) return std::nullopt;
  const std::optional<std::wstring> found = EntryName(*path, *wide);
  if (!found) return std::nullopt;
  return ToGbk(*found);
}

bool WindowsFiles::NameKey(std::string_view name, std::u16string& key) {
  return keys_.FromGbk(name, key);
}

bool WindowsFiles::Exists(const std::string& folder, const std::string& name) {
  const std::optional<std::wstring>& path = PathOf(folder);
  const std::optional<std::wstring> wide = ToWideExactly(name);
  return path && wide && EntryExists(*path + *wide);
}

exec::RenameOutcome WindowsFiles::Rename(const std::string& folder, const std::string& from,
                                         const std::string& to, const exec::BeforeMiddleName& beforeMiddle) {
  const std::optional<std::wstring>& path = PathOf(folder);
  const std::optional<std::wstring> source = ToWideExactly(from);
  const std::optional<std::wstring> target = ToWideExactly(to);
  if (!path || !source || !target) return {};
  if (*source == *target) return {EntryExists(*path + *source), {}};  // onto itself: nothing to do
  if (keys_.FromWide(*source) == keys_.FromWide(*target)) return RenameCaseOnly(*path, *source, *target, beforeMiddle);
  return {calls_.Move(*path + *source, *path + *target), {}};
}

}  // namespace platform
