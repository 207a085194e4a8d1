#include "device/win32/standin/call_log.h"

#include <cstdio>
#include <memory>

namespace torvik::standin {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, format, args...);
    return std::string(line, length > 0 ? static_cast<std::size_t>(length) : 0u);
}

}  // namespace

std::string ListLine(std::uint32_t count) {
    return Format("LIST %lu\n", static_cast<unsigned long>(count));
}

std::string OpenLine(std::uint32_t locationId, FtStatus status) {
    return Format("OPEN 0x%08lX %lu\n", static_cast<unsigned long>(locationId),
                  static_cast<unsigned long>(status));
}

std::string BitModeLine(std::uint8_t mask, std::uint8_t mode, FtStatus status) {
    return Format("BITMODE 0x%02X 0x%02X %lu\n", static_cast<unsigned>(mask),
                  static_cast<unsigned>(mode), static_cast<unsigned long>(status));
}

std::string TimeoutsLine(std::uint32_t readMs, std::uint32_t writeMs, FtStatus status) {
    return Format("TIMEOUTS %lu %lu %lu\n", static_cast<unsigned long>(readMs),
                  static_cast<unsigned long>(writeMs), static_cast<unsigned long>(status));
}

std::string WriteLine(const std::uint8_t* byte, FtStatus status, bool taken) {
    if (byte == nullptr) {
        return Format("WRITE none %lu\n", static_cast<unsigned long>(status));
    }
    // Only a successful call can fall short; a failed one says so by its status.
    const bool shortWrite = !taken && status == kFtOk;
    return Format("WRITE 0x%02X %lu%s\n", static_cast<unsigned>(*byte),
                  static_cast<unsigned long>(status), shortWrite ? " short" : "");
}

std::string CloseLine(FtStatus status) {
    return Format("CLOSE %lu\n", static_cast<unsigned long>(status));
}

void AppendLine(const std::string& path, const std::string& line) {
    if (path.empty()) {
        return;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "ab"),
                                                               &std::fclose);
    if (file) {
        std::fwrite(line.data(), 1, line.size(), file.get());
        std::fflush(file.get());
    }
}

}  // namespace torvik::standin
