#pragma once
// How fast a download arrives: the bytes received so far and the bytes per
// second over the last few seconds, for the status line beside the line count.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>

namespace vm {

struct TickResult;

class CTransferRate {
public:
    static constexpr std::int64_t kWindowMs = 3000;

    void Start(std::int64_t nowMs);
    void Add(std::size_t bytes, std::int64_t nowMs);
    std::uint64_t TotalBytes() const { return m_total; }
    // Bytes per second over the last kWindowMs (or since the start, when shorter).
    double BytesPerSecond(std::int64_t nowMs) const;

private:
    std::int64_t m_startMs = 0;
    std::uint64_t m_total = 0;
    std::deque<std::pair<std::int64_t, std::size_t>> m_recent;  // (time, bytes) of each tick
};

// "  12345 字节, 1.2 KB/s": the bytes so far and the rate, to follow the line count.
std::string TransferRateText(std::uint64_t bytes, double bytesPerSecond);

// The status line for a tick of the running transfer: a download's line count
// gets the bytes and the rate after it (the tick's bytes are counted into
// rate); the end of a download, a lost port and an upload keep the status as
// the serial core gave it.
std::string StatusWithRate(CTransferRate& rate, const TickResult& tick, bool downloading,
                           std::int64_t nowMs);

// Said once 停止 is pressed during an upload, until the line being sent is out.
inline constexpr const char* kUploadStoppingStatus = "正在停止：当前这一行发送完后停止上传>>>";

}  // namespace vm
