#include "platform/folder_journals.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/error_text.h"
#include "platform/gbk_convert.h"
#include "platform/owned_handles.h"

namespace platform {
namespace {

constexpr wchar_t kExtension[] = L".journal";
constexpr wchar_t kSetAsideExtension[] = L".damaged";
constexpr wchar_t kFolderName[] = L"澄川改名宝";
// Appended bytes wait in memory up to this much.
constexpr size_t kBufferBytes = size_t{256} << 10;
// A journal of a million files stays far below this.
constexpr LONGLONG kLargestJournal = LONGLONG{1} << 30;

class JournalFileOnDisk final : public exec::JournalFile {
 public:
  JournalFileOnDisk(OwnedHandle file, std::wstring path) : file_(std::move(file)), path_(std::move(path)) {}
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
  return std::make_unique<JournalFileOnDisk>(std::move(file), path);
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
  const OwnedHandle file(CreateFileW((folder_ + ToWide(journal)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

std::wstring UserJournalFolder() {
  TaskText path;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, path.Receive()))) {
    folder = std::wstring(path.get()) + L"\\" + kFolderName + L"\\";
  }
  return folder;
}

}  // namespace platform
