#include "exec/edit_session.h"

#include <gtest/gtest.h>

#include <vector>

namespace exec {
namespace {

using Stage = EditSession::Stage;

enum class Event { Preview, Run, BatchEnd, UndoEnd, Declined, Reorder };

struct Transition {
  Stage from;
  Event event;
  Stage to;
};

EditSession At(Stage stage) {
  EditSession session;
  if (stage == Stage::Opened) return session;
  session.Previewed();
  if (stage == Stage::Previewed) return session;
  session.RunStarted();
  if (stage == Stage::UndoAvailable) session.RunEnded({.undoable = true});
  return session;
}

void Apply(EditSession& session, Event event) {
  switch (event) {
    case Event::Preview: session.Previewed(); break;
    case Event::Run: session.RunStarted(); break;
    case Event::BatchEnd: session.RunEnded({.undoable = true}); break;
    case Event::UndoEnd: session.RunEnded({}); break;
    case Event::Declined: session.RunEnded({.declined = true}); break;
    case Event::Reorder: session.OrderChanged(); break;
  }
}

// Every event from every stage: a Preview can come whenever no run goes on,
// a run only after a Preview (a batch) or a batch (an undo), its end only
// while it goes on; anything else changes nothing.
TEST(EditSession, TransitionsFromEveryStage) {
  const std::vector<Transition> table = {
      {Stage::Opened, Event::Preview, Stage::Previewed},
      {Stage::Opened, Event::Run, Stage::Opened},
      {Stage::Opened, Event::BatchEnd, Stage::Opened},
      {Stage::Opened, Event::UndoEnd, Stage::Opened},
      {Stage::Previewed, Event::Preview, Stage::Previewed},
      {Stage::Previewed, Event::Run, Stage::Running},
      {Stage::Previewed, Event::BatchEnd, Stage::Previewed},
      {Stage::Previewed, Event::UndoEnd, Stage::Previewed},
      {Stage::UndoAvailable, Event::Preview, Stage::Previewed},
      {Stage::UndoAvailable, Event::Run, Stage::Running},
      {Stage::UndoAvailable, Event::BatchEnd, Stage::UndoAvailable},
      {Stage::UndoAvailable, Event::UndoEnd, Stage::UndoAvailable},
      {Stage::Running, Event::Preview, Stage::Running},
      {Stage::Running, Event::Run, Stage::Running},
      {Stage::Running, Event::BatchEnd, Stage::UndoAvailable},
      {Stage::Running, Event::UndoEnd, Stage::Opened},
      // A run that changed nothing goes back to where it started.
      {Stage::Running, Event::Declined, Stage::Previewed},
      {Stage::Previewed, Event::Declined, Stage::Previewed},
      {Stage::UndoAvailable, Event::Declined, Stage::UndoAvailable},
      // A new order takes a preview back, and leaves an Undo as it was.
      {Stage::Previewed, Event::Reorder, Stage::Opened},
      {Stage::UndoAvailable, Event::Reorder, Stage::UndoAvailable},
      {Stage::Opened, Event::Reorder, Stage::Opened},
  };
  for (const Transition& row : table) {
    EditSession session = At(row.from);
    ASSERT_EQ(session.stage(), row.from);
    Apply(session, row.event);
    EXPECT_EQ(session.stage(), row.to) << static_cast<int>(row.from) << " " << static_cast<int>(row.event);
  }
}

// What each stage allows: the buttons' cycle, the question before Preview
// gives up an Undo, and a close that waits for the run.
TEST(EditSession, WhatEachStageAllows) {
  struct Allows {
    Stage stage;
    bool batchRename, undo, previewAsks, closeWaits;
  };
  for (const Allows& row : std::vector<Allows>{{Stage::Opened, false, false, false, false},
                                               {Stage::Previewed, true, false, false, false},
                                               {Stage::UndoAvailable, false, true, true, false},
                                               {Stage::Running, false, false, false, true}}) {
    const EditSession session = At(row.stage);
    EXPECT_EQ(session.BatchRenameEnabled(), row.batchRename);
    EXPECT_EQ(session.UndoEnabled(), row.undo);
    EXPECT_EQ(session.PreviewAsksFirst(), row.previewAsks);
    EXPECT_EQ(session.CloseWaitsForTheRun(), row.closeWaits);
  }
}

}  // namespace
}  // namespace exec
