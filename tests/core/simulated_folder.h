// A folder in memory, as Windows keeps one: one entry per name whatever its
// letter case, and a rename that never replaces. Each file holds a text
// that tells which file it is, so a test sees any file lost or replaced;
// the listing gives each file an identity from that text: its ID from the
// part before any "#" (text after it is an edit), its size and time from
// the whole.
#pragma once

#include <algorithm>
#include <functional>
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

// Thrown by a rename that a kill stops half way.
struct Killed {};

class SimulatedFolder final : public exec::FileOperations {
 public:
  std::map<std::string, std::string> files;  // full path -> contents
  std::set<std::string> locked;              // full paths whose renames fail
  std::vector<std::string> calls;
  std::map<std::string, std::string> shortNames;  // full path -> its 8.3 name
  exec::VolumeIdentity volume{0x1234ABCD, true, true};
  bool reachable = true;  // false: the folder is away, no call reaches it
  // A change of letter case goes through a middle name (as on some
  // shares), and with `killInTheMiddle` the program is killed between the
  // two moves.
  bool caseThroughMiddle = false;
  bool killInTheMiddle = false;

  static exec::FileIdentity IdentityOf(const std::string& contents) {
    const std::hash<std::string> hash;
    return {contents.size(), hash(contents) | 1, hash(contents.substr(0, contents.find('#'))) | 1};
  }

  // The stored path that names the same entry as `path`.
  const std::string* Find(const std::string& path) const {
    if (!reachable) return nullptr;
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

  exec::RenameOutcome Rename(const std::string& folder, const std::string& fromName, const std::string& toName,
                             const exec::BeforeMiddleName& beforeMiddle) override {
    const std::string from = folder + fromName, to = folder + toName;
    calls.push_back("rename " + from + " > " + to);
    const std::string* source = Find(from);
    if (!source || locked.count(*source)) return {};
    const auto stranding = strandings.find(*source);
    const std::string* target = Find(to);
    if (stranding == strandings.end() && target && target != source) return {};  // never replaces
    const bool caseOnly = target == source && *source != to;
    const std::string contents = files.at(*source);
    files.erase(*source);
    if (stranding != strandings.end()) {
      files[folder + stranding->second] = contents;
      return {false, stranding->second};
    }
    if (caseThroughMiddle && caseOnly) {
      const std::string middle = fromName + ".~改大小写";
      beforeMiddle(middle);
      files[folder + middle] = contents;
      if (killInTheMiddle) throw Killed{};
      files.erase(folder + middle);
    }
    files[to] = contents;
    return {true, {}};
  }
  // The path of a folder as the model gives it: "\\?\" in front.
  exec::FolderListing ListFolder(const std::string& folder) override {
    exec::FolderListing listing{{}, folder.size() + 4};
    listing.reached = reachable;
    listing.volume = volume;
    if (!reachable) return listing;
    for (const auto& [path, contents] : files) {
      if (path.rfind(folder, 0) != 0) continue;
      const auto shortName = shortNames.find(path);
      if (shortName != shortNames.end()) {
        listing.shortKeys.emplace_back(static_cast<uint32_t>(listing.keys.size()), *SimulatedNameKey(shortName->second));
      }
      listing.keys.push_back(*SimulatedNameKey(path.substr(folder.size())));
      listing.identities.push_back(IdentityOf(contents));
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
