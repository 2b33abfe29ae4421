#pragma once

#include <functional>

// Work the user waits for, such as packing or unpacking a job archive:
// `work` runs on a thread of its own while the calling (window) thread
// waits for it. Meanwhile the program's windows keep painting, the user's
// input waits until the work is done (a window cannot be closed under it),
// the wait cursor shows, and `poll` runs on the calling thread about ten
// times a second and once more after the work has ended, so it can show
// how far the work has come. An exception of `work` is raised here. Without
// an application object (command-line tools) the call simply waits, polling.
void Wait_For_Work(const std::function<void()> &work, const std::function<void()> &poll);
