#include "serial/transfer_texts.h"

namespace vm {

std::string PortOpenedStatus(int nPort) {
    return "ComPort " + std::to_string(nPort) + "打开成功，开始接收数据>>>";
}

std::string UploadOpenedStatus(int nPort) {
    return "ComPort " + std::to_string(nPort) + "打开成功，开始发送数据>>>";
}

std::string PortFailedStatus(int nPort) {
    return DeviceFailedStatus("ComPort " + std::to_string(nPort));
}

std::string PortFailedMessage(int nPort) {
    return DeviceFailedMessage("Com" + std::to_string(nPort));
}

std::string DeviceFailedStatus(const std::string& device) {
    return device + "打开失败，没有这个串口，或者该串口被其它程序占用>>>";
}

std::string DeviceFailedMessage(const std::string& device) {
    return device + "打开失败!";
}

std::string PortLostStatus(int nPort) {
    return "ComPort " + std::to_string(nPort) + "连接已断开，已收到的数据保留在窗口中>>>";
}

std::string ReceivedLinesStatus(long long lines) {
    return "收到数据行数: " + std::to_string(lines);
}

std::string DownloadEndedStatus(long long lines, unsigned long long bytes) {
    return ReceivedLinesStatus(lines) + "，下载结束，共收到 " + std::to_string(bytes) + " 字节";
}

std::string DownloadStoppedStatus(long long lines, unsigned long long bytes) {
    return ReceivedLinesStatus(lines) + "，下载已停止，共收到 " + std::to_string(bytes) + " 字节";
}

std::string UnfinishedDownloadSavedStatus(unsigned long long bytes) {
    return "下载未结束：已保存收到的 " + std::to_string(bytes) + " 字节";
}

std::string NothingReceivedStatus() {
    return "收到数据行数:  0";
}

const char* const kUploadStartedStatus = "上传操作";
const char* const kUploadCancelledStatus = "文件未打开，串口被关闭";
const char* const kNoResponseMessage = "The totalstation didn't response!";

std::string SentLinesStatus(long long lines) {
    return "Sent Data: " + std::to_string(lines);
}

std::string SentLinesStatus(long long lines, long long total) {
    return SentLinesStatus(lines) + " / " + std::to_string(total);
}

std::string UploadPortLostStatus(int nPort, long long lines, long long total) {
    return "ComPort " + std::to_string(nPort) + "连接已断开，发送已停止：发送了 " +
           std::to_string(lines) + " 行（共 " + std::to_string(total) + " 行）>>>";
}

std::string UnsendableLineMessage(long long line, const std::string& text) {
    return "第 " + std::to_string(line) + " 行的坐标不是仪器能接收的数值，文件未发送：" + text;
}

std::string UploadStoppedStatus(long long lines, long long total) {
    return "上传已停止：发送了 " + std::to_string(lines) + " 行（共 " + std::to_string(total) +
           " 行），未发送结束符>>>";
}

std::string UploadDoneStatus(long long lines) {
    return "发送了 " + std::to_string(lines) + " 行,文件已经全部发送>>>";
}

}  // namespace vm
