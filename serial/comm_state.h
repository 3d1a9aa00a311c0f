#pragma once
// What the main window's thread and the upload worker share: which kind of
// transfer the 300 ms tick serves, and the upload's texts that the tick shows.
// Every access goes through the one lock g_commMutex; the functions below take
// it for the common cases.

#include <mutex>
#include <string>

namespace vm {

constexpr int COMM_SEND = 0;
constexpr int COMM_RECEIVE = 1;

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
constexpr char kEot = 0x04;

extern std::mutex g_commMutex;
extern int g_nCommMode;             // COMM_RECEIVE (download, also idle) or COMM_SEND
extern std::string g_strFlowState;  // last XON/XOFF seen from the instrument during an upload
extern std::string g_strSendStatus;
extern std::string g_strSendLog;   // every line sent so far, each with CR LF
extern std::string g_strSendLine;  // the line being prepared
extern long long g_nSentLines;     // the upload's progress: lines sent ...
extern long long g_nTotalLines;    // ... of the lines of its file

int GetCommMode();
void SetCommMode(int mode);

struct UploadTexts {
    std::string status;
    std::string log;
    long long sentLines = 0;   // lines handed to the port so far
    long long totalLines = 0;  // lines of the file being sent, 0 before it is read
};
UploadTexts GetUploadTexts();
void SetSendStatus(const std::string& status);
void SetSendProgress(long long sent, long long total);

std::string GetFlowState();
void SetFlowState(const std::string& state);

// Notes the last XON or XOFF among bytes received during an upload; other
// bytes leave the state as it is.
void NoteFlowControl(const std::string& received);

}  // namespace vm
