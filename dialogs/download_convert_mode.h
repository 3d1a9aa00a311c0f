#pragma once
// How 下载数据转换 opens on downloaded data: the pane's bytes are classified
// by the record after their "ATMOS" line and the user confirms the kind
// before the dialog opens with the work file as its source.

#include <cstdint>
#include <functional>
#include <string>

namespace vm {

// The dialog's mode for the pane's bytes (1 measurement, 2 coordinates), or 0
// when the command ends without the dialog: the kind is not recognised, or
// confirm (asked with Yes and No) said no.
std::int16_t ConfirmedDownloadMode(const std::string& paneBytes,
                                   const std::function<bool(const std::string&)>& confirm);

}  // namespace vm
