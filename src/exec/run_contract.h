// What a run (a batch rename, an undo, the putting back of a run cut
// short) and whoever drives it say to each other: the questions it asks,
// what it reports as it goes, and what it asks of its window when it
// ends. Whoever drives it (the Edit window, the start-up, a test) hands the
// first two to each step, so the run keeps no reference to any window.
#pragma once

#include <cstddef>
#include <string>

namespace exec {

// The user, as a run asks them.
class Prompts {
 public:
  virtual ~Prompts() = default;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
  // A message with an OK button only.
  virtual void Tell(const std::string& text, const std::string& title) = 0;
};

// What a run reports as it goes. Each report does nothing unless a driver
// wants it.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // The file of `row` is now under `name` (the run's CurrentNames[row]).
  virtual void Renamed(size_t /*row*/, const std::string& /*name*/) {}
  // A batch is through with `row` (renamed, or passed over after its
  // prompt): the row's new name no longer stands.
  virtual void NewNameUsed(size_t /*row*/) {}
  // `done` of `total` rows handled; 0 of them as the run begins.
  virtual void Progress(size_t /*done*/, size_t /*total*/) {}
};

// What an ended run asks of the window that drove it.
struct RunOutcome {
  // The user would not go on without a journal: nothing changed.
  bool declined = false;
  // A batch ended: its files can go back (the Undo).
  bool undoable = false;
  // The user answered No in a failure prompt: the window is to close.
  bool close = false;
  // The user asked to see the folder in the file manager.
  bool openFolder = false;
  // The run renamed files and is kept in the rename history as this entry
  // (empty when it is not).
  std::string kept;
};

}  // namespace exec
