#include "serial/transfer_rate.h"

#include "serial/comm_tick.h"

#include <algorithm>
#include <cstdio>

namespace vm {

void CTransferRate::Start(std::int64_t nowMs) {
    m_startMs = nowMs;
    m_total = 0;
    m_recent.clear();
}

void CTransferRate::Add(std::size_t bytes, std::int64_t nowMs) {
    m_total += bytes;
    m_recent.emplace_back(nowMs, bytes);
    while (!m_recent.empty() && m_recent.front().first < nowMs - kWindowMs)
        m_recent.pop_front();
}

double CTransferRate::BytesPerSecond(std::int64_t nowMs) const {
    const std::int64_t from = std::max(m_startMs, nowMs - kWindowMs);
    const std::int64_t span = nowMs - from;
    if (span <= 0)
        return 0;
    std::uint64_t bytes = 0;
    for (const auto& [time, count] : m_recent) {
        if (time > from)
            bytes += count;
    }
    return double(bytes) * 1000.0 / double(span);
}

std::string TransferRateText(std::uint64_t bytes, double bytesPerSecond) {
    char rate[32];
    if (bytesPerSecond >= 1024)
        std::snprintf(rate, sizeof rate, "%.1f KB/s", bytesPerSecond / 1024);
    else
        std::snprintf(rate, sizeof rate, "%.0f B/s", bytesPerSecond);
    return "  " + std::to_string(bytes) + " 字节, " + rate;
}

std::string StatusWithRate(CTransferRate& rate, const TickResult& tick, bool downloading,
                           std::int64_t nowMs) {
    // The end of a download says how many bytes arrived; no rate beside it.
    if (tick.paneReplaced || tick.finished || !downloading)
        return tick.status;
    rate.Add(tick.received.size(), nowMs);
    if (tick.portLost)
        return tick.status;
    return tick.status + TransferRateText(rate.TotalBytes(), rate.BytesPerSecond(nowMs));
}

}  // namespace vm
