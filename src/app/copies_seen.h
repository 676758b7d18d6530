// Which running processes count as another copy of the program: portable,
// so the rule is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct ProcessSeen {
  unsigned long id = 0;
  std::wstring exeName;                  // file name, no folder
  std::optional<unsigned long> session;  // nothing when it can't be read
  std::optional<uint64_t> started;       // creation time; nothing when it can't be read
};

// Another copy runs when a process other than this one, in this one's
// session, has an executable file of this program's name (letter case
// included) and was started before it (or its start can't be read). A
// copy started later is still starting: the named lock decides between
// the two, so that exactly one goes on.
inline bool AnotherCopyAmong(const std::vector<ProcessSeen>& processes, const ProcessSeen& self) {
  for (const ProcessSeen& process : processes) {
    if (process.id == self.id || process.exeName != self.exeName) continue;
    if (!process.session || process.session != self.session) continue;
    if (!process.started || !self.started || *process.started < *self.started) return true;
  }
  return false;
}

}  // namespace app
