#pragma once

// "Write JSON File" of the soft window: asks for the file ("Select a JSON
// File", proposing "Test_File" in the data root), shows "Writing Job..." with
// the path in the status line and writes the JSON record of Job(). A
// cancelled dialog writes nothing and leaves the status line alone. The
// whole command: it asks its own questions through UI() and reports an
// unexpected failure as "Error: ..." through Run_Command.
void Write_JSON_File();
