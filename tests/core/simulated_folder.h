// A folder in memory, as Windows keeps one: one entry per name whatever its
// letter case, and a rename that never replaces. Each file holds a text
// that tells which file it is, so a test sees any file lost or replaced.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "exec/rename_ports.h"

namespace testing_support {

// Code page 936 as these tests model it: ASCII letters fold to upper case,
// 0x80 alone is the euro sign, 0x81 to 0xFE lead a character whose trail
// byte is 0x40 to 0xFE but not 0x7F; anything else does not convert.
inline std::optional<std::u16string> SimulatedNameKey(std::string_view name) {
  std::u16string key;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x80) {
      key.push_back(static_cast<char16_t>(byte >= 'a' && byte <= 'z' ? byte - 32 : byte));
    } else if (byte == 0x80) {
      key.push_back(u'\u20AC');
    } else {
      const auto trail = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
      if (byte == 0xFF || trail < 0x40 || trail == 0x7F || trail == 0xFF) return std::nullopt;
      key.push_back(static_cast<char16_t>(byte << 8 | trail));
      ++i;
    }
  }
  return key;
}

class SimulatedFolder final : public exec::FileOperations {
 public:
  std::map<std::string, std::string> files;  // full path -> contents
  std::set<std::string> locked;              // full paths whose renames fail
  std::vector<std::string> calls;

  // The stored path that names the same entry as `path`.
  const std::string* Find(const std::string& path) const {
    const auto key = SimulatedNameKey(path);
    for (const auto& [name, contents] : files) {
      if (key && SimulatedNameKey(name) == key) return &name;
    }
    return nullptr;
  }
  bool Exists(const std::string& folder, const std::string& name) override {
    calls.push_back("exists " + folder + name);
    return Find(folder + name) != nullptr;
  }
  // A rename from one of these full paths gets half way: the file ends up
  // under the name given, in the same folder.
  std::map<std::string, std::string> strandings;

  exec::RenameOutcome Rename(const std::string& folder, const std::string& fromName,
                             const std::string& toName) override {
    const std::string from = folder + fromName, to = folder + toName;
    calls.push_back("rename " + from + " > " + to);
    const std::string* source = Find(from);
    if (!source || locked.count(*source)) return {};
    const auto stranding = strandings.find(*source);
    const std::string* target = Find(to);
    if (stranding == strandings.end() && target && target != source) return {};  // never replaces
    const std::string contents = files.at(*source);
    files.erase(*source);
    if (stranding != strandings.end()) {
      files[folder + stranding->second] = contents;
      return {false, stranding->second};
    }
    files[to] = contents;
    return {true, {}};
  }
  // The path of a folder as the model gives it: "\\?\" in front.
  exec::FolderListing ListFolder(const std::string& folder) override {
    exec::FolderListing listing{{}, folder.size() + 4};
    for (const auto& [path, contents] : files) {
      if (path.rfind(folder, 0) == 0) listing.keys.push_back(*SimulatedNameKey(path.substr(folder.size())));
    }
    return listing;
  }
  std::optional<std::string> NameOnDisk(const std::string& folder, const std::string& name) override {
    calls.push_back("name " + folder + name);
    const std::string* found = Find(folder + name);
    if (!found || found->rfind(folder, 0) != 0) return std::nullopt;
    return found->substr(folder.size());
  }
  bool NameKey(std::string_view name, std::u16string& key) override {
    const auto folded = SimulatedNameKey(name);
    if (folded) key = *folded;
    return folded.has_value();
  }
};

}  // namespace testing_support
