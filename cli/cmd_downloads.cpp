// downloads: lists the download journal, newest last, one line each:
//   ID  START-TIME  DEVICE  BYTES  complete|interrupted
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

int ListDownloads() {
    const std::vector<JournalEntry> entries = ListJournal();
    std::vector<std::string> lines;
    std::vector<std::string> ids;
    for (const JournalEntry& e : entries) {
        lines.push_back(e.id + "  " + e.startTime + "  " + e.device + "  " +
                        std::to_string(e.bytes) + "  " + (e.complete ? "complete" : "interrupted"));
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
    if (args.size() == 3 && args[0] == "--restore")
        return RestoreDownload(args[1], args[2]);
    return UsageError(kUsage, "unexpected '" + args[0] + "'");
}

}  // namespace vm::cli
