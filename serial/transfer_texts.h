#pragma once
// The status-line and message-box texts of the serial transfers.

#include <string>

namespace vm {

std::string PortOpenedStatus(int nPort);    // "ComPort 1打开成功，开始接收数据>>>"
std::string UploadOpenedStatus(int nPort);  // "ComPort 1打开成功，开始发送数据>>>"
std::string PortFailedStatus(int nPort);    // "ComPort 3打开失败，没有这个串口，..."
std::string PortFailedMessage(int nPort);   // "Com3打开失败!"
// The same two texts for a port given by its device path instead of a number.
std::string DeviceFailedStatus(const std::string& device);
std::string DeviceFailedMessage(const std::string& device);
// The device went away during a transfer (adapter unplugged, far end closed).
std::string PortLostStatus(int nPort);
std::string ReceivedLinesStatus(long long lines);  // "收到数据行数: 3"
std::string NothingReceivedStatus();               // "收到数据行数:  0"
// "收到数据行数: 3，下载结束，共收到 120 字节": the end rule ended the download.
std::string DownloadEndedStatus(long long lines, unsigned long long bytes);
// "收到数据行数: 3，下载已停止，共收到 120 字节"
std::string DownloadStoppedStatus(long long lines, unsigned long long bytes);
// "下载未结束：已保存收到的 120 字节": a save while the download still ran,
// with the bytes written.
std::string UnfinishedDownloadSavedStatus(unsigned long long bytes);

extern const char* const kUploadStartedStatus;    // "上传操作"
extern const char* const kUploadCancelledStatus;  // "文件未打开，串口被关闭"
extern const char* const kNoResponseMessage;      // the instrument held the flow too long
std::string SentLinesStatus(long long lines);     // "Sent Data: 5"
// "Sent Data: 5 / 12": the lines sent and the lines of the file.
std::string SentLinesStatus(long long lines, long long total);
// The device went away during an upload: sending stopped after lines of total.
std::string UploadPortLostStatus(int nPort, long long lines, long long total);
// "第 L 行的坐标不是仪器能接收的数值，文件未发送：LINE".
std::string UnsendableLineMessage(long long line, const std::string& text);
// The user stopped the upload after a line; no EOT was sent.
std::string UploadStoppedStatus(long long lines, long long total);
std::string UploadDoneStatus(long long lines);  // "发送了 5 行,文件已经全部发送>>>"

}  // namespace vm
