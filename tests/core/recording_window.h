// The Edit window as batch rename and undo see it, recorded: prompts,
// cells, progress and buttons; questions answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "exec/rename_ports.h"

namespace testing_support {

class RecordingWindow final : public exec::RenameWindow {
 public:
  std::deque<bool> answers;
  std::optional<bool> answerToAll;  // instead of `answers`
  std::vector<std::string> prompts;  // "title|text"
  std::vector<std::string> oldCells, newCells;
  std::vector<uint32_t> positions;
  uint32_t maximum = 0;
  bool batchEnabled = true, undoEnabled = false, closeRequested = false, folderOpened = false;

  bool AskYesNo(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text);
    if (answerToAll) return *answerToAll;
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question " << text;
      return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Tell(const std::string& text, const std::string& title) override {
    prompts.push_back(title + "|" + text + "|OK");
  }
  void SetOldNameCell(size_t row, const std::string& text) override { if (row < oldCells.size()) oldCells[row] = text; }
  void ClearNewNameCell(size_t row) override { if (row < newCells.size()) newCells[row].clear(); }
  void SetProgressMaximum(uint32_t value) override { maximum = value; }
  void SetProgressPosition(uint32_t value) override { positions.push_back(value); }
  void EnableButtons(bool batch, bool undo) override {
    batchEnabled = batch;
    undoEnabled = undo;
  }
  void RequestClose() override { closeRequested = true; }
  // The user closes the window when asked for the `closeAt`-th time.
  size_t closeAt = 0, asked = 0;
  bool CloseWanted() override { return ++asked == closeAt; }
  void OpenFolder() override { folderOpened = true; }
};

}  // namespace testing_support
