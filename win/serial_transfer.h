#pragma once
// The main window's serial transfers: a download started with the stored
// serial settings, driven by the window's 300 ms tick and kept in the
// download journal as it arrives. The work is the serial core's; this only
// holds its state for the window.

#include <string>

#include "serial/comm_tick.h"
#include "serial/download_journal.h"
#include "serial/transfer_start.h"

namespace vm::win32 {

class SerialTransfer {
public:
    // Opens the port of ./ConfigFile.ini's settings and starts a download
    // into pane; the caller starts its tick when it started.
    TransferStart StartDownload(std::string& pane);
    // One tick of the running transfer on the pane's bytes.
    TickResult Tick(std::string& pane);
    // Closes the port; a download stopped so ends its journal entry as
    // interrupted (the user has what arrived in the pane).
    void Stop();

private:
    CCommTicker m_ticker;
    CJournalRecorder m_journal;
};

}  // namespace vm::win32
