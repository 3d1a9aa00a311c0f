#include "serial/comm_state.h"

namespace vm {

std::mutex g_commMutex;
int g_nCommMode = COMM_RECEIVE;
std::string g_strFlowState;
std::string g_strSendStatus;
std::string g_strSendLog;
std::string g_strSendLine;
long long g_nSentLines = 0;
long long g_nTotalLines = 0;

int GetCommMode() {
    std::lock_guard<std::mutex> lock(g_commMutex);
    return g_nCommMode;
}

void SetCommMode(int mode) {
    std::lock_guard<std::mutex> lock(g_commMutex);
    g_nCommMode = mode;
}

UploadTexts GetUploadTexts() {
    std::lock_guard<std::mutex> lock(g_commMutex);
    return {g_strSendStatus, g_strSendLog, g_nSentLines, g_nTotalLines};
}

void SetSendProgress(long long sent, long long total) {
    std::lock_guard<std::mutex> lock(g_commMutex);
    g_nSentLines = sent;
    g_nTotalLines = total;
}

void SetSendStatus(const std::string& status) {
    std::lock_guard<std::mutex> lock(g_commMutex);
    g_strSendStatus = status;
}

std::string GetFlowState() {
    std::lock_guard<std::mutex> lock(g_commMutex);
    return g_strFlowState;
}

void SetFlowState(const std::string& state) {
    std::lock_guard<std::mutex> lock(g_commMutex);
    g_strFlowState = state;
}

void NoteFlowControl(const std::string& received) {
    const size_t last = received.find_last_of(std::string{kXon, kXoff});
    if (last != std::string::npos)
        SetFlowState(std::string(1, received[last]));
}

}  // namespace vm
