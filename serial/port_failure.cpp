#include "serial/port_failure.h"

#include <cerrno>
#include <cstring>

namespace vm {

PortFailure PortFailureFromError(int error) {
    switch (error) {
        case 0:
            return PortFailure::None;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
        case EIO:  // a port whose hardware is absent or was unplugged while opening
            return PortFailure::NotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return PortFailure::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return PortFailure::InUse;
        case ENOTTY:
        case EISDIR:
            return PortFailure::NotSerial;
        case EINVAL:
            return PortFailure::SettingRefused;
        default:
            return PortFailure::Other;
    }
}

std::string PortFailureReason(const PortOpenFailure& f) {
    switch (f.kind) {
        case PortFailure::None:
            return std::string();
        case PortFailure::NotFound:
            return "找不到这个设备（未连接、已拔出或名称有误）";
        case PortFailure::PermissionDenied:
            return "没有权限打开这个设备：请把用户加入 dialout 组"
                   "（sudo usermod -aG dialout 用户名），然后注销并重新登录";
        case PortFailure::InUse:
            if (f.holderPid > 0) {
                return "设备正被其它程序占用（进程 " + std::to_string(f.holderPid) +
                       (f.holderName.empty() ? std::string() : " " + f.holderName) + "）";
            }
            return "设备正被其它程序占用";
        case PortFailure::NotSerial:
            return "这不是串口设备";
        case PortFailure::SettingRefused:
            if (f.baud != 0)
                return "设备不支持这个设置：波特率 " + std::to_string(f.baud);
            return "设备不支持这个设置：数据位、校验或停止位";
        case PortFailure::Other:
            break;
    }
    return std::string("无法打开设备：") + std::strerror(f.error);
}

}  // namespace vm
