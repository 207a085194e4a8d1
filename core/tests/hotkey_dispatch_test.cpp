#include "core/hotkey_dispatch.h"

#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "tests/fakes/focus.h"

namespace torvik {
namespace {

using testing::FakeFocus;

void SetName(FunctionConfig& record, const char* name) {
    std::memset(record.programName, 0, sizeof record.programName);
    std::strncpy(record.programName, name, sizeof record.programName - 1);
}

HotkeyBinding Entry(std::initializer_list<std::pair<int, int>> bindings) {
    HotkeyBinding entry;
    entry.hotkeyId = kFirstHotkeyId;
    for (const auto& [config, slot] : bindings) {
        entry.configIndex[entry.bindingCount] = static_cast<std::uint8_t>(config);
        entry.antennaIndex[entry.bindingCount] = static_cast<std::uint8_t>(slot);
        ++entry.bindingCount;
    }
    return entry;
}

class HotkeyChoice : public ::testing::Test {
protected:
    void SetUp() override {
        configs = MainDefaults();
        focus.processes = {{10, "Brannoc.exe"}, {20, "Tessiv.exe"}, {30, "notepad.exe"},
                           {40, "ab.exe"}, {50, "xab2.exe"}};
    }
    ConfigBlock configs{};
    FakeFocus focus;
};

TEST_F(HotkeyChoice, GlobalEntryActsWhateverProgramIsInFront) {
    const HotkeyBinding entry = Entry({{0, 1}});
    for (std::uint32_t pid : {10u, 30u, 999u}) {   // 999: a process that is already gone
        focus.focused = pid;
        EXPECT_EQ(ChooseAntenna(entry, configs, focus), 1);
    }
    EXPECT_EQ(focus.lookups, 0);   // the program is not even looked at
}

TEST_F(HotkeyChoice, NothingInFrontMeansNothingHappensEvenForGlobal) {
    focus.focused.reset();
    EXPECT_EQ(ChooseAntenna(Entry({{0, 0}}), configs, focus), std::nullopt);
    EXPECT_EQ(ChooseAntenna(Entry({{1, 0}, {2, 2}}), configs, focus), std::nullopt);
}

TEST_F(HotkeyChoice, NumberedBindingsChooseByTheFocusedProgram) {
    // Record 1 (Tessiv.exe) gives the key to antenna 1, record 2 (Brannoc.exe) to antenna 3.
    const HotkeyBinding entry = Entry({{1, 0}, {2, 2}});
    focus.focused = 10;
    EXPECT_EQ(ChooseAntenna(entry, configs, focus), 2);
    focus.focused = 20;
    EXPECT_EQ(ChooseAntenna(entry, configs, focus), 0);
    focus.focused = 30;
    focus.lookups = 0;
    EXPECT_EQ(ChooseAntenna(entry, configs, focus), std::nullopt);
    EXPECT_EQ(focus.lookups, 2);   // a fresh look for every binding tried
}

TEST_F(HotkeyChoice, EmptyNameMatchesEveryProgramAndIsTriedInOrder) {
    SetName(configs[1], "");
    const HotkeyBinding entry = Entry({{1, 1}, {2, 2}});
    for (std::uint32_t pid : {10u, 30u}) {
        focus.focused = pid;
        EXPECT_EQ(ChooseAntenna(entry, configs, focus), 1);
    }
    focus.focused = 999;   // no such process: not even the empty name matches
    EXPECT_EQ(ChooseAntenna(entry, configs, focus), std::nullopt);
}

TEST_F(HotkeyChoice, NamesAreCaseSensitiveSubstrings) {
    EXPECT_EQ(ProcessMatches(focus, 40, "ab"), 1);
    EXPECT_EQ(ProcessMatches(focus, 50, "ab"), 1);
    EXPECT_EQ(ProcessMatches(focus, 40, "AB"), 0);
    EXPECT_EQ(ProcessMatches(focus, 50, "AB"), 0);
    EXPECT_EQ(ProcessMatches(focus, 30, ""), 1);
    EXPECT_EQ(ProcessMatches(focus, 999, ""), 0);
    EXPECT_EQ(ProcessMatches(focus, 40, nullptr), 0);

    SetName(configs[1], "AB");
    SetName(configs[2], "ab");
    focus.focused = 50;
    EXPECT_EQ(ChooseAntenna(Entry({{1, 0}, {2, 1}}), configs, focus), 1);
}

TEST_F(HotkeyChoice, SlotsOutsideTheAntennasAreSkipped) {
    focus.focused = 10;
    EXPECT_EQ(ChooseAntenna(Entry({{0, 3}}), configs, focus), std::nullopt);
    SetName(configs[1], "Brannoc");
    EXPECT_EQ(ChooseAntenna(Entry({{1, 7}, {2, 1}}), configs, focus), 1);
    // A damaged entry: a record index beyond the block, or no bindings at all.
    EXPECT_EQ(ChooseAntenna(Entry({{9, 0}}), configs, focus), std::nullopt);
    EXPECT_EQ(ChooseAntenna(Entry({}), configs, focus), std::nullopt);
}

TEST_F(HotkeyChoice, ANameFillingItsWholeFieldIsReadWithinTheRecord) {
    // 64 letters and no NUL: the name must end at the field, not run into record 2.
    std::memset(configs[1].programName, 'q', sizeof configs[1].programName);
    focus.processes[61] = std::string(64, 'q');
    focus.focused = 61;
    EXPECT_EQ(ChooseAntenna(Entry({{1, 2}}), configs, focus), 2);
    focus.processes[61] = std::string(63, 'q');
    EXPECT_EQ(ChooseAntenna(Entry({{1, 2}}), configs, focus), std::nullopt);
}

}  // namespace
}  // namespace torvik
