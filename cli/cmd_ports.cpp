// ports: the serial devices of this machine, one per line (stable name, kernel
// name, description, separated by tabs), or with --json a list of objects.
#include <cstdio>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "serial/port_discovery.h"

namespace vm::cli {
namespace {

const std::string kUsage = "ports [--json] [--root DIR]";

// A JSON string; bytes that are not UTF-8 (a device may report anything)
// become U+FFFD, so the output always parses.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else {
            const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            bool valid = length > 0 && c < 0xF5 && i + length <= text.size();
            for (size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
            out += valid ? text.substr(i, length) : "\xEF\xBF\xBD";
            i += valid ? length : 1;
        }
    }
    return out + "\"";
}

std::string JsonPort(const SerialPortInfo& p) {
    const std::pair<const char*, std::string> fields[] = {{"stable", p.stableName},
                                                          {"device", p.devicePath},
                                                          {"kernel", p.kernelName},
                                                          {"driver", p.driver},
                                                          {"kind", p.kind},
                                                          {"vendor_id", p.vendorId},
                                                          {"product_id", p.productId},
                                                          {"manufacturer", p.manufacturer},
                                                          {"product", p.product},
                                                          {"serial", p.serialNumber},
                                                          {"description", PortDescription(p)}};
    std::string text = "{";
    for (const auto& [key, value] : fields) {
        if (text.size() > 1)
            text += ", ";
        text += JsonString(key) + ": " + JsonString(value);
    }
    return text + "}";
}

}  // namespace

int CmdPorts(const Args& args) {
    if (WantsHelp(args)) {
        PrintLines({"usage: veltramarlin-cli " + kUsage,
                    "  --json      a list of objects for scripts",
                    "  --root DIR  read the device tree below DIR instead of /"});
        return kExitOk;
    }
    bool json = false;
    std::string root;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--root" && i + 1 < args.size()) {
            root = args[++i];
        } else {
            return UsageError(kUsage, "unexpected '" + args[i] + "'");
        }
    }
    const std::vector<SerialPortInfo> ports = DiscoverSerialPorts(root);
    std::vector<std::string> lines;
    if (json) {
        std::string text = "[";
        for (const SerialPortInfo& p : ports)
            text += (text.size() > 1 ? ",\n " : "") + JsonPort(p);
        lines.push_back(text + "]");
    } else {
        for (const SerialPortInfo& p : ports)
            lines.push_back(p.stableName + "\t" + p.kernelName + "\t" + PortDescription(p));
    }
    PrintLines(lines);
    if (ports.empty())
        std::fprintf(stderr, "没有找到串口设备\n");
    return kExitOk;
}

}  // namespace vm::cli
