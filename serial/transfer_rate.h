#pragma once
// How fast a download arrives: the bytes received so far and the bytes per
// second over the last few seconds, for the status line beside the line count.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>

namespace vm {

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

}  // namespace vm
