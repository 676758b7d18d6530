// A folder in memory that holds names as Windows does, in UTF-16, with one
// entry per name whatever its letter case, and a rename that never
// replaces. The program's texts reach it through the conversion of texts
// (a model of code page 936), as they reach the real file system.
#pragma once

#include <map>
#include <string>

#include "exec/rename_ports.h"
#include "model_code_page.h"

namespace testing_support {

class UnicodeFolder final : public exec::FileOperations {
 public:
  struct Entry {
    std::u16string name;
    std::string contents;
  };
  std::map<std::u16string, Entry> entries;  // by folded name

  // Letter case folded as Windows folds it, for the letters these tests use.
  static std::u16string Folded(std::u16string_view name) {
    std::u16string key(name);
    for (char16_t& unit : key) {
      const bool latin1 = unit >= 0xE0 && unit <= 0xFE && unit != 0xF7;
      if ((unit >= u'a' && unit <= u'z') || latin1) unit = static_cast<char16_t>(unit - 0x20);
    }
    return key;
  }
  void Add(const std::u16string& name, const std::string& contents) {
    entries[Folded(name)] = {name, contents};
  }

  bool Exists(const std::string&, const std::string& name) override {
    std::u16string key;
    return NameKey(name, key) && entries.count(key) > 0;
  }
  exec::RenameOutcome Rename(const std::string&, const std::string& from, const std::string& to,
                             const exec::BeforeMiddleName&) override {
    std::u16string source, target, targetName;
    if (!NameKey(from, source) || !NameKey(to, target) || !ModelCodec().ToUtf16(to, targetName)) return {};
    const auto found = entries.find(source);
    if (found == entries.end() || found->second.name != Unfolded(from)) return {};
    if (target != source && entries.count(target)) return {};  // never replaces
    Entry entry{targetName, found->second.contents};
    entries.erase(found);
    entries[target] = entry;
    return {true, {}};
  }
  exec::FolderListing ListFolder(const std::string& folder) override {
    exec::FolderListing listing{{}, folder.size() + 4};
    for (const auto& [key, entry] : entries) listing.keys.push_back(key);
    return listing;
  }
  std::optional<std::string> NameOnDisk(const std::string&, const std::string& name) override {
    std::u16string key;
    const auto found = NameKey(name, key) ? entries.find(key) : entries.end();
    if (found == entries.end()) return std::nullopt;
    return ModelCodec().FromUtf16(found->second.name);
  }
  bool NameKey(std::string_view name, std::u16string& key) override {
    std::u16string utf16;
    if (!ModelCodec().ToUtf16(name, utf16)) return false;
    key = Folded(utf16);
    return true;
  }

 private:
  static std::u16string Unfolded(const std::string& name) {
    std::u16string utf16;
    ModelCodec().ToUtf16(name, utf16);
    return utf16;
  }
};

}  // namespace testing_support
