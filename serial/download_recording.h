#pragma once
// Ties a running download to its journal, the same way for the window and the
// command line: the journal starts once the port is open, every tick's bytes
// go to it before they are shown, and its end records how the download ended.

#include <string>

#include "serial/comm_tick.h"
#include "serial/download_journal.h"
#include "serial/transfer_start.h"

namespace vm {

// The device a download reads from, as the journal records it.
std::string DownloadDeviceName(const PortChoice& choice);

// Starts the journal entry of a download that has just started.
void BeginDownloadJournal(CJournalRecorder& journal, const PortChoice& choice);

// Journals one download tick and, when the tick ended the download, ends the
// entry (complete unless the device went away). seenWhenEnded: the user has
// the whole download when it ends (the window shows it). Returns the status
// line as it should read: the tick's status, with a note when the journal
// could not be written.
std::string JournalDownloadTick(CJournalRecorder& journal, const TickResult& tick,
                                bool seenWhenEnded);

}  // namespace vm
