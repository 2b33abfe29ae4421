#pragma once

// Teaches the window registry how to make the windows of the shell. Windows
// of the other parts of the program register theirs beside these.
void Register_Shell_Windows();
