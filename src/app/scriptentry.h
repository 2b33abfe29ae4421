#pragma once

struct ScriptRecord;

// Which prescription window "Prepare Script" opens.
enum class ScriptKind { Eva, Rigid };

// What "EVA Script" and "Rigid Script" do before their window opens:
// EvaScriptFlag follows the kind (the drawing tools serve that window), a
// job with neither scan is confirmed with the user, and a scan path whose
// file has gone becomes "None" so the window does not try to load it.
// True when the window is to be opened.
bool Enter_Script_Screen(ScriptRecord &job, ScriptKind kind);
