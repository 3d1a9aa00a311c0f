#include "serial/download_recording.h"

#include "common/user_paths.h"
#include "serial/port_device.h"

namespace vm {

std::string DownloadDeviceName(const PortChoice& choice) {
    if (!choice.devicePath.empty())
        return choice.devicePath;
    return PortDevicePath(LocalIniPath(), choice.settings.nPort);
}

void BeginDownloadJournal(CJournalRecorder& journal, const PortChoice& choice) {
    journal.Begin(DownloadDeviceName(choice), DescribeLineSettings(choice.settings));
}

std::string JournalDownloadTick(CJournalRecorder& journal, const TickResult& tick,
                                bool seenWhenEnded) {
    journal.Append(tick.received);
    if (tick.finished && tick.stopped)
        journal.EndStopped(seenWhenEnded);
    else if (tick.finished)
        journal.End(!tick.portLost, seenWhenEnded);
    if (!journal.Failed())
        return tick.status;
    return tick.status + "；" + JournalFailedNote(journal.Error());
}

}  // namespace vm
