#include "dialogs/download_convert_mode.h"

#include "instrument/download_kind.h"

namespace vm {

std::int16_t ConfirmedDownloadMode(const std::string& paneBytes,
                                   const std::function<bool(const std::string&)>& confirm) {
    switch (ClassifyDownloadedBytes(paneBytes)) {
        case DownloadKind::Measurement:
            return confirm("你打开的是测量文件???") ? 1 : 0;
        case DownloadKind::Coordinate:
            return confirm("你打开的是坐标文件???") ? 2 : 0;
        case DownloadKind::None:
            break;
    }
    return 0;
}

}  // namespace vm
