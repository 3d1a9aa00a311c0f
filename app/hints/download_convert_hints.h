#pragma once
// The hover hints of the download conversion dialog: the lines shown beside
// each control, in the order they are registered.

#include <string>
#include <vector>

namespace vm {

struct ControlHint {
    int controlId;
    std::vector<std::string> lines;
};

const std::vector<ControlHint>& DownloadConvertHints();

}  // namespace vm
