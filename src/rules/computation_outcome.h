// What a rename computation tells the window that runs it.
#pragma once

#include <optional>
#include <string>

namespace rules {

// A message box with an OK button.
struct Notice {
  std::string title;
  std::string text;
  bool operator==(const Notice&) const = default;
};

enum class NewNamesResult {
  Computed,           // every entry holds its computed new name
  KeptAsBefore,       // stopped early; NewNames is untouched
  SetToCurrentNames,  // stopped early; every entry is the current name
};

struct ComputationOutcome {
  NewNamesResult newNames = NewNamesResult::Computed;
  std::optional<Notice> notice;  // shown by the window after the computation
};

}  // namespace rules
