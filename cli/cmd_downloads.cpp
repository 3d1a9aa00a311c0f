// downloads: lists the download journal, newest last, one line each:
//   ID  START-TIME  DEVICE  BYTES  complete|stopped|interrupted|damaged
// (with "(journal incomplete)" when the journal could not keep every byte)
// downloads --restore ID OUTPUT: writes that download's bytes, exactly as
// received, to OUTPUT. Listing or restoring counts as the user having seen
// an entry, so the journal may later let it go.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "common/file_io.h"
#include "serial/download_journal.h"

namespace vm::cli {
namespace {

const std::string kUsage = "downloads [--restore ID OUTPUT]";

// How the download ended; a journal that lost bytes or a damaged record says so.
std::string EntryState(const JournalEntry& e) {
    if (e.damaged)
        return "damaged";
    const std::string state = e.complete ? "complete" : e.stopped ? "stopped" : "interrupted";
    return e.journalFailed ? state + " (journal incomplete)" : state;
}

int ListDownloads() {
    const std::vector<JournalEntry> entries = ListJournal();
    std::vector<std::string> lines;
    std::vector<std::string> ids;
    for (const JournalEntry& e : entries) {
        lines.push_back(e.id + "  " + e.startTime + "  " + e.device + "  " +
                        std::to_string(e.bytes) + "  " + EntryState(e));
        ids.push_back(e.id);
    }
    PrintLines(lines);
    MarkJournalSeen(ids);
    return kExitOk;
}

int RestoreDownload(const std::string& id, const std::string& output) {
    const std::optional<JournalEntry> entry = FindJournalEntry(id);
    if (!entry) {
        PrintLines({"下载记录中没有 " + id + "（veltramarlin-cli downloads 列出全部记录）"});
        return kExitFailure;
    }
    std::string bytes, message;
    FileError error;
    if (!ReadJournalBytes(*entry, bytes, message)) {
        PrintLines({message});
        return kExitFailure;
    }
    if (!WriteFileAtomic(output, bytes, &error)) {
        PrintLines({error.message});
        return kExitFailure;
    }
    MarkJournalSeen({entry->id});
    PrintLines({"已恢复 " + std::to_string(bytes.size()) + " 字节到 " + output});
    return kExitOk;
}

}  // namespace

int CmdDownloads(const Args& args) {
    if (WantsHelp(args)) {
        PrintLines({"usage: veltramarlin-cli " + kUsage});
        return kExitOk;
    }
    if (args.empty())
        return ListDownloads();
    if (args[0] == "--restore") {
        if (args.size() != 3)
            return UsageError(kUsage, "--restore takes ID and OUTPUT");
        return RestoreDownload(args[1], args[2]);
    }
    return UsageError(kUsage, "unexpected '" + args[0] + "'");
}

}  // namespace vm::cli
