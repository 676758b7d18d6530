// What the fuzz targets share: a window whose questions the input answers
// and that shows only what the run reports, and the contents of a
// simulated folder, to see that no file is lost.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "exec/run_contract.h"

namespace testing_support {

// Yes once the input is used up.
class AnsweringWindow final : public exec::Prompts, public exec::RunObserver {
 public:
  explicit AnsweringWindow(FuzzedDataProvider& input) : input_(input) {}
  bool stopped = false;  // a No or a close
  // The names the rows show, set before a run and then changed only by
  // what it reports.
  std::vector<std::string> shown;
  bool AskYesNo(const std::string&, const std::string&) override {
    const bool yes = input_.remaining_bytes() == 0 || input_.ConsumeBool();
    stopped = stopped || !yes;
    return yes;
  }
  void Tell(const std::string&, const std::string&) override {}
  void Renamed(size_t row, const std::string& name) override {
    if (row >= shown.size()) std::abort();
    shown[row] = name;
  }
  // Between two steps: the user may close the window.
  bool Closes() {
    const bool close = input_.remaining_bytes() > 0 && input_.ConsumeIntegral<uint8_t>() == 0;
    stopped = stopped || close;
    return close;
  }

 private:
  FuzzedDataProvider& input_;
};

// How many files hold each text.
inline std::map<std::string, int> Contents(const std::map<std::string, std::string>& files) {
  std::map<std::string, int> seen;
  for (const auto& [path, text] : files) ++seen[text];
  return seen;
}

}  // namespace testing_support
