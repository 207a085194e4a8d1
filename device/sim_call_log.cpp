#include "device/sim_call_log.h"

#include <cstdio>
#include <memory>

namespace torvik::sim {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, format, args...);
    return std::string(line, length > 0 ? static_cast<std::size_t>(length) : 0u);
}

// The vendor driver's number for each outcome: the log's own vocabulary.
unsigned long LogCode(LinkResult result) {
    switch (result) {
    case LinkResult::Ok: return 0;
    case LinkResult::InvalidHandle: return 1;
    case LinkResult::NotFound: return 2;
    case LinkResult::NotOpened: return 3;
    case LinkResult::IoError: return 4;
    case LinkResult::InvalidArgument: return 6;
    case LinkResult::Failed: break;
    }
    return 18;
}

}  // namespace

std::string ListLine(std::uint32_t count) {
    return Format("LIST %lu\n", static_cast<unsigned long>(count));
}

std::string OpenLine(std::uint32_t locationId, LinkResult result) {
    return Format("OPEN 0x%08lX %lu\n", static_cast<unsigned long>(locationId),
                  LogCode(result));
}

std::string BitModeLine(std::uint8_t mask, std::uint8_t mode, LinkResult result) {
    return Format("BITMODE 0x%02X 0x%02X %lu\n", static_cast<unsigned>(mask),
                  static_cast<unsigned>(mode), LogCode(result));
}

std::string TimeoutsLine(std::uint32_t readMs, std::uint32_t writeMs, LinkResult result) {
    return Format("TIMEOUTS %lu %lu %lu\n", static_cast<unsigned long>(readMs),
                  static_cast<unsigned long>(writeMs), LogCode(result));
}

std::string WriteLine(const std::uint8_t* byte, LinkResult result, bool taken) {
    if (byte == nullptr) {
        return Format("WRITE none %lu\n", LogCode(result));
    }
    // Only a successful call can fall short; a failed one says so by its status.
    const bool shortWrite = !taken && result == LinkResult::Ok;
    return Format("WRITE 0x%02X %lu%s\n", static_cast<unsigned>(*byte),
                  LogCode(result), shortWrite ? " short" : "");
}

std::string CloseLine(LinkResult result) {
    return Format("CLOSE %lu\n", LogCode(result));
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

}  // namespace torvik::sim
