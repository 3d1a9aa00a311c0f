#pragma once
// The program's own temporary files (the ".vm-…" files a replacement writes
// beside its target): a signal that ends the program takes them with it, and
// those an earlier run could not remove are cleaned from a folder the next
// time a file is written there.

#include <string>

namespace vm {

// A temporary file to remove should the program be ended by a signal, and
// when it is no longer one (committed or removed).
void TrackTemporary(const std::string& path);
void ForgetTemporary(const std::string& path);

// Removes every tracked temporary file; safe inside a signal handler.
void RemoveTrackedTemporaries();

// On SIGINT, SIGTERM and SIGHUP (Ctrl+C, Ctrl+Break and closing the console on
// Windows) the tracked temporaries are removed, then the program ends as the
// signal would have ended it.
void RemoveTemporariesOnSignals();

// True for a name the program gives its temporary files.
bool IsOwnTemporaryName(const std::string& name);

// Removes, once per folder and run, the program's temporary files in folder
// that were last written more than a day ago.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace vm
