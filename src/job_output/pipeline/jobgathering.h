#pragma once

struct ScriptRecord;
struct JobPolicy;

// Gathers the job's files into its work folder (CurrentFolder) before the
// record is written, for soft and rigid jobs alike:
//  - the sketch, both scans, both models and both graphics that lie
//    elsewhere are copied there (through a temporary file that is renamed
//    into place, replacing a file of that name) and their paths then name
//    the copies; a file already in its place is left as it is;
//  - the script record and the PDFs are never gathered: they are written
//    after this, under the names the job gave them;
//  - an unset path (empty, "None") becomes "None", the sketch the empty text;
//    a foot without a scan loses its model too.
// Returns false when the command must stop, the user having been told why:
// no work folder (the policy's warning), or a copy that failed ("Error: ...").
// The path being copied then keeps its old value, and later ones are untouched.
bool Verify_Files(ScriptRecord &job, const JobPolicy &policy);
