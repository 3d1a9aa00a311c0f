#pragma once
// The serial settings dialog's "结束静默(ms)" box: how long the line must stay
// silent before a download ends by itself, 600-10000 ms, stored as EndSilence
// in section "ComConfig".

#include <optional>
#include <string>

namespace vm {

inline constexpr int kEndSilenceEditId = 1095;
inline constexpr const char* kEndSilenceRangeMessage =
    "结束静默时间请输入一个 600 到 10000 之间的整数（毫秒）。";

// The typed value when it is a whole number of 600-10000 ms.
std::optional<int> ParseEndSilence(const std::string& text);

// Sets EndSilence in iniPath, every other line kept; false with the user's message.
bool StoreEndSilence(const std::string& iniPath, int ms, std::string* error);

}  // namespace vm
