#include "core/function_config.h"

#include <cstring>

namespace torvik {
namespace {

constexpr std::uint8_t kVkNumpad1 = 0x61;

void CopyName(FunctionConfig& record, const char* name) {
    std::memset(record.programName, 0, sizeof record.programName);
    std::strncpy(record.programName, name, sizeof record.programName - 1);
}

}  // namespace

ConfigBlock MainDefaults() {
    ConfigBlock block{};
    for (FunctionConfig& record : block) {
        for (int slot = 0; slot < 4; ++slot) {
            record.keyCode[slot] = static_cast<std::uint8_t>(kVkNumpad1 + slot);
            record.ctrlFlag[slot] = 1;
        }
    }
    CopyName(block[1], "Tessiv.exe");
    CopyName(block[2], "Brannoc.exe");
    CopyName(block[3], "Torvik.exe");
    block[3].deactivated = 1;
    block[4].deactivated = 1;
    return block;
}

ConfigBlock SetupDefaults() {
    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    return block;
}

}  // namespace torvik
