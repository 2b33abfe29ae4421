#pragma once

struct ScriptRecord;

// What the job commands ask of the foot view windows. Kept in its own unit:
// the views and the job pipeline each have their own smallest-model limit.

// For each foot whose model path is set but names no file yet, every "Glm"
// of the path becomes "Lcf" and the foot's view, when it is open, writes its
// model there, both views at once. A view that cannot write raises the
// error (the left foot's first), which stops the command before anything is
// gathered or written; the job and its folder are then as if the feet had
// been written in turn, the first failure stopping the rest.
void Save_Missing_Model_Files(ScriptRecord &job);

// Closes both foot views when they are open: the job they showed is over.
void Close_Foot_Views();
