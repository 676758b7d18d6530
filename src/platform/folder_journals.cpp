#include "platform/folder_journals.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "platform/error_text.h"
#include "platform/gbk_convert.h"
#include "platform/owned_handles.h"

namespace platform {
namespace {

constexpr wchar_t kExtension[] = L".journal";
constexpr wchar_t kEntryExtension[] = L".entry";
constexpr wchar_t kPartExtension[] = L".part";
constexpr wchar_t kSetAsideExtension[] = L".damaged";
constexpr wchar_t kFolderName[] = L"澄川改名宝";
// Appended bytes wait in memory up to this much.
constexpr size_t kBufferBytes = size_t{256} << 10;
// A journal of a million files stays far below this.
constexpr LONGLONG kLargestJournal = LONGLONG{1} << 30;

// The whole of a file of at most kLargestJournal bytes; nothing when it
// can't be read.
std::optional<std::string> ReadWhole(const std::wstring& path) {
  const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::optional<std::string> text;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart <= kLargestJournal) {
    text.emplace(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text->data(), static_cast<DWORD>(text->size()), &read, nullptr)) text.reset();
    else text->resize(read);
  }
  return text;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 30));
    if (!WriteFile(file, bytes.data() + at, size, &written, nullptr) || written == 0) return false;
    at += written;
  }
  return true;
}

// Writes `header`, then the journal at `journalPath` a piece at a time (a
// batch of 100,000 files never stands in memory whole), as a new file made
// durable; false when it failed. The journal is read beside the run's own
// handle, which still writes it.
bool WriteEntryFile(const std::wstring& path, std::string_view header, const std::wstring& journalPath) {
  const OwnedHandle journal(CreateFileW(journalPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!journal || !file || !WriteAll(file.get(), header)) return false;
  std::string piece(kBufferBytes, '\0');
  for (DWORD read = 0;;) {
    if (!ReadFile(journal.get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr)) return false;
    if (read == 0) break;
    if (!WriteAll(file.get(), std::string_view(piece.data(), read))) return false;
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

// "yyyy-mm-dd hh:mm", local time.
std::string LocalTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute);
  return text;
}

// Names that sort as the entries were made: the system time's 100 ns
// count, 20 digits, then this store's own count (the clock may not have
// moved since the last one), then the process.
std::wstring NewEntryName(unsigned count) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long stamp = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  wchar_t name[96];
  std::swprintf(name, 96, L"entry-%020llu-%010u-%010lu%ls", stamp, count, GetCurrentProcessId(), kEntryExtension);
  return name;
}

// The files of `folder` that end in `extension`, with their sizes.
std::vector<std::pair<std::wstring, unsigned long long>> FilesEndingIn(const std::wstring& folder,
                                                                       const wchar_t* extension) {
  std::vector<std::pair<std::wstring, unsigned long long>> found;
  WIN32_FIND_DATAW entry;
  const OwnedFind search(FindFirstFileW((folder + L"*" + extension).c_str(), &entry));
  if (!search) return found;
  do {
    const std::wstring name = entry.cFileName;
    const size_t length = wcslen(extension);
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() <= length ||
        name.compare(name.size() - length, std::wstring::npos, extension) != 0) {
      continue;
    }
    found.emplace_back(name, (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
  } while (FindNextFileW(search.get(), &entry));
  return found;
}

class JournalFileOnDisk final : public exec::JournalFile {
 public:
  JournalFileOnDisk(OwnedHandle file, std::wstring path, FolderJournals& store)
      : file_(std::move(file)), path_(std::move(path)), store_(store) {}
  // A run that did not end leaves its journal, with all it appended.
  ~JournalFileOnDisk() override {
    if (file_) WriteBuffer();
  }

  void Append(std::string_view bytes) override {
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferBytes) WriteBuffer();
  }
  void MakeDurable() override {
    WriteBuffer();
    if (!FlushFileBuffers(file_.get())) Failed();
  }
  void Discard() override {
    file_.Reset();
    DeleteFileW(path_.c_str());
  }
  // The entry is whole on disk before the journal goes, and the journal
  // stays open until then: no other copy takes it for one left meanwhile.
  std::string Keep() override {
    WriteBuffer();
    const std::string entry = store_.KeepEntry(path_);
    Discard();
    return entry;
  }
  std::string Failure() const override { return failure_; }

 private:
  void WriteBuffer() {
    for (size_t at = 0; at < buffer_.size();) {
      DWORD written = 0;
      const DWORD size = static_cast<DWORD>(std::min<size_t>(buffer_.size() - at, 1u << 30));
      if (!WriteFile(file_.get(), buffer_.data() + at, size, &written, nullptr) || written == 0) {
        Failed();
        break;
      }
      at += written;
    }
    buffer_.clear();
  }
  void Failed() {
    if (failure_.empty()) failure_ = "写入 " + ToGbk(path_) + " 失败：" + ErrorText(GetLastError());
  }

  OwnedHandle file_;
  std::wstring path_;
  FolderJournals& store_;
  std::string buffer_;
  std::string failure_;
};

}  // namespace

std::unique_ptr<exec::JournalFile> FolderJournals::Create(std::string& failure) {
  if (folder_.empty()) {
    failure = "系统没有给出本地应用数据文件夹";
    return nullptr;
  }
  if (!CreateDirectoryW(folder_.c_str(), nullptr)) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(folder_.c_str());
    if (error != ERROR_ALREADY_EXISTS || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        attributes == INVALID_FILE_ATTRIBUTES) {
      failure = "无法建立文件夹 " + ToGbk(folder_) + "：" +
                (error == ERROR_ALREADY_EXISTS ? std::string("已有同名的文件") : ErrorText(error));
      return nullptr;
    }
  }
  const std::wstring path = folder_ + L"run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++created_) +
                            kExtension;
  // Others may read it, but not open it for writing or delete it: a start
  // of another copy sees it in use.
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    failure = "无法建立文件 " + ToGbk(path) + "：" + ErrorText(GetLastError());
    return nullptr;
  }
  return std::make_unique<JournalFileOnDisk>(std::move(file), path, *this);
}

std::vector<std::string> FolderJournals::Left() {
  std::vector<std::string> left;
  if (folder_.empty()) return left;
  WIN32_FIND_DATAW entry;
  const OwnedFind search(FindFirstFileW((folder_ + L"*" + kExtension).c_str(), &entry));
  if (!search) return left;
  do {
    const std::wstring name = entry.cFileName;
    const bool journal = !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                         name.size() > wcslen(kExtension) &&
                         name.compare(name.size() - wcslen(kExtension), std::wstring::npos, kExtension) == 0;
    if (!journal) continue;
    // One that a running copy writes can't be opened for reading while it
    // is open for writing.
    const OwnedHandle file(CreateFileW((folder_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && GetLastError() == ERROR_SHARING_VIOLATION) continue;
    left.push_back(ToGbk(name));
  } while (FindNextFileW(search.get(), &entry));
  return left;
}

std::optional<std::string> FolderJournals::Read(const std::string& journal) {
  return ReadWhole(folder_ + ToWide(journal));
}

void FolderJournals::Remove(const std::string& journal) {
  DeleteFileW((folder_ + ToWide(journal)).c_str());
}

void FolderJournals::SetAside(const std::string& journal) {
  const std::wstring path = folder_ + ToWide(journal);
  if (!MoveFileExW(path.c_str(), (path + kSetAsideExtension).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(path.c_str());
  }
}

std::string FolderJournals::Where(const std::string& journal) { return ToGbk(folder_) + journal; }

std::string FolderJournals::KeepEntry(const std::wstring& journalPath) {
  if (folder_.empty() || !keeping_ || !keeping_()) return {};
  const std::wstring folder = HistoryFolder();
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring name = NewEntryName(++created_);
  const std::wstring part = folder + name + kPartExtension;
  if (!WriteEntryFile(part, exec::HistoryHeader(LocalTimeNow()), journalPath) ||
      !MoveFileExW(part.c_str(), (folder + name).c_str(), MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(part.c_str());
    return {};
  }
  DropTheOldest();
  return ToGbk(name);
}

// Beyond the newest kMostEntries, or kMostEntryBytes in all, the oldest
// go; the newest always stays.
void FolderJournals::DropTheOldest() {
  auto entries = FilesEndingIn(HistoryFolder(), kEntryExtension);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  unsigned long long bytes = 0;
  for (size_t index = 0; index < entries.size(); ++index) {
    bytes += entries[index].second;
    if (index > 0 && (index >= kMostEntries || bytes > kMostEntryBytes)) {
      DeleteFileW((HistoryFolder() + entries[index].first).c_str());
    }
  }
}

std::vector<std::string> FolderJournals::Entries() {
  std::vector<std::string> names;
  if (folder_.empty()) return names;
  for (const auto& [name, size] : FilesEndingIn(HistoryFolder(), kEntryExtension)) names.push_back(ToGbk(name));
  std::sort(names.rbegin(), names.rend());
  return names;
}

std::optional<std::string> FolderJournals::ReadEntry(const std::string& entry) {
  return ReadWhole(HistoryFolder() + ToWide(entry));
}

void FolderJournals::MarkUndone(const std::string& entry) {
  const OwnedHandle file(CreateFileW((HistoryFolder() + ToWide(entry)).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(exec::kUndoneOffset);
  DWORD written = 0;
  if (!file || !SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return;
  if (WriteFile(file.get(), "1", 1, &written, nullptr)) FlushFileBuffers(file.get());
}

void FolderJournals::Forget(const std::string& entry) { DeleteFileW((HistoryFolder() + ToWide(entry)).c_str()); }

void FolderJournals::SetEntryAside(const std::string& entry) {
  const std::wstring path = HistoryFolder() + ToWide(entry);
  if (!MoveFileExW(path.c_str(), (path + kSetAsideExtension).c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(path.c_str());
  }
}

std::wstring UserJournalFolder() {
  TaskText path;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, path.Receive()))) {
    folder = std::wstring(path.get()) + L"\\" + kFolderName + L"\\";
  }
  return folder;
}

}  // namespace platform
