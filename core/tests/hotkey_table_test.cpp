#include "core/hotkey_table.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fakes/hotkeys.h"

namespace torvik {
namespace {

constexpr std::uint8_t kVkF5 = 0x74;

using testing::Combo;
using testing::RecordingRegistrar;

constexpr Modifiers kCtrl{.ctrl = true};
constexpr Modifiers kAlt{.alt = true};

void SetKey(FunctionConfig& record, int slot, std::uint8_t key, bool ctrl, bool alt = false) {
    record.keyCode[slot] = key;
    record.ctrlFlag[slot] = ctrl ? 1 : 0;
    record.altFlag[slot] = alt ? 1 : 0;
    record.shiftFlag[slot] = 0;
    record.winFlag[slot] = 0;
}

// Every active slot of every record gets its own unused combination, so a test only sees
// the combinations it sets up.
ConfigBlock DistinctKeys() {
    ConfigBlock block = MainDefaults();
    for (int c = 0; c < kConfigCount; ++c) {
        for (int slot = 0; slot < kUsedAntennas; ++slot) {
            SetKey(block[c], slot, static_cast<std::uint8_t>(0x30 + c * 3 + slot), false);
            block[c].shiftFlag[slot] = 1;
        }
    }
    return block;
}

struct Binding {
    int config;
    int slot;
    bool operator==(const Binding&) const = default;
};

std::vector<Binding> BindingsOf(const HotkeyBinding& entry) {
    std::vector<Binding> out;
    for (int i = 0; i < entry.bindingCount; ++i) {
        out.push_back({entry.configIndex[i], entry.antennaIndex[i]});
    }
    return out;
}

const HotkeyBinding* EntryFor(const HotkeyTable& table, std::uint8_t storedKey, Modifiers mods) {
    for (const HotkeyBinding& entry : table) {
        if (entry.virtualKey == KeyFromStoredCode(storedKey) && entry.modifiers == mods) return &entry;
    }
    return nullptr;
}

TEST(HotkeyMerge, DefaultRecordsGiveThreeGlobalEntries) {
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, MainDefaults(), registrar);
    ASSERT_EQ(table.size(), 3u);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(table[n].hotkeyId, 2400 + n);
        EXPECT_EQ(table[n].virtualKey, Key::NumPad(n + 1));
        EXPECT_EQ(table[n].modifiers, kCtrl);
        EXPECT_EQ(registrar.registered.at(2400 + n), (Combo{kCtrl, Key::NumPad(n + 1)}));
        EXPECT_EQ(BindingsOf(table[n]), (std::vector<Binding>{{0, n}}));
        EXPECT_EQ(table[n].configIndex[1], 0);
    }
    EXPECT_EQ(registrar.events, (std::vector<std::string>{"reg 2400", "reg 2401", "reg 2402"}));
}

TEST(HotkeyMerge, WithoutGlobalTheNumberedRecordsShareEntriesInRecordOrder) {
    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, block, registrar);
    ASSERT_EQ(table.size(), 3u);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(table[n].hotkeyId, 2400 + n);
        EXPECT_EQ(BindingsOf(table[n]), (std::vector<Binding>{{1, n}, {2, n}}));
    }
}

TEST(HotkeyMerge, GlobalKeepsItsCombinationToItself) {
    ConfigBlock block = DistinctKeys();
    SetKey(block[0], 1, kVkF5, true);   // Global antenna 2: CTRL+F5
    SetKey(block[1], 2, kVkF5, true);   // record 1 antenna 3: CTRL+F5
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, block, registrar);
    const HotkeyBinding* entry = EntryFor(table, kVkF5, kCtrl);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(BindingsOf(*entry), (std::vector<Binding>{{0, 1}}));

    // Two Global slots with one combination: only the lower slot's binding.
    block = DistinctKeys();
    SetKey(block[0], 0, kVkF5, true);
    SetKey(block[0], 2, kVkF5, true);
    BuildHotkeys(table, block, registrar);
    entry = EntryFor(table, kVkF5, kCtrl);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(BindingsOf(*entry), (std::vector<Binding>{{0, 0}}));
}

TEST(HotkeyMerge, NumberedRecordsMergeAndDistinctModifiersStayApart) {
    ConfigBlock block = DistinctKeys();
    block[3].deactivated = 0;
    SetKey(block[1], 0, kVkF5, true);          // CTRL+F5, record 1 antenna 1
    SetKey(block[3], 1, kVkF5, true);          // CTRL+F5, record 3 antenna 2
    SetKey(block[2], 0, kVkF5, false, true);   // ALT+F5, record 2 antenna 1
    SetKey(block[2], 1, kVkF5, false, true);   // ALT+F5 again in the same record
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, block, registrar);
    const HotkeyBinding* ctrl = EntryFor(table, kVkF5, kCtrl);
    const HotkeyBinding* alt = EntryFor(table, kVkF5, kAlt);
    ASSERT_NE(ctrl, nullptr);
    ASSERT_NE(alt, nullptr);
    EXPECT_NE(ctrl->hotkeyId, alt->hotkeyId);
    EXPECT_EQ(BindingsOf(*ctrl), (std::vector<Binding>{{1, 0}, {3, 1}}));
    EXPECT_EQ(BindingsOf(*alt), (std::vector<Binding>{{2, 0}, {2, 1}}));
}

TEST(HotkeyMerge, AnEntryHoldsEightBindingsAndDropsTheRest) {
    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    for (int c = 1; c <= 4; ++c) {
        block[c].deactivated = 0;
        for (int slot = 0; slot < kUsedAntennas; ++slot) SetKey(block[c], slot, kVkF5, true);
    }
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, block, registrar);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(BindingsOf(table[0]), (std::vector<Binding>{{1, 0}, {1, 1}, {1, 2}, {2, 0},
                                                          {2, 1}, {2, 2}, {3, 0}, {3, 1}}));
}

TEST(HotkeyMerge, DeactivatedRecordAddsNothingAndEveryKeyYieldsAnEntry) {
    ConfigBlock block = DistinctKeys();
    block[0].deactivated = 1;
    block[2].deactivated = 1;
    SetKey(block[2], 0, kVkF5, true);   // only the deactivated record uses CTRL+F5
    SetKey(block[1], 0, 0, false);      // no key at all still yields an entry
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, block, registrar);
    EXPECT_EQ(EntryFor(table, kVkF5, kCtrl), nullptr);
    EXPECT_NE(EntryFor(table, 0, Modifiers{}), nullptr);
    ASSERT_EQ(table.size(), 3u);   // record 1 only: records 3 and 4 are deactivated by default
    for (const HotkeyBinding& entry : table) EXPECT_EQ(entry.configIndex[0], 1);
}

TEST(HotkeyLifecycle, RebuildUnregistersOldIdsFirstAndReusesIdsFrom2400) {
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, MainDefaults(), registrar);
    registrar.events.clear();

    ConfigBlock block = MainDefaults();
    block[0].deactivated = 1;
    SetKey(block[1], 0, kVkF5, true);
    BuildHotkeys(table, block, registrar);
    ASSERT_EQ(registrar.events.size(), 3u + table.size());
    EXPECT_EQ(registrar.events[0], "unreg 2400");
    EXPECT_EQ(registrar.events[1], "unreg 2401");
    EXPECT_EQ(registrar.events[2], "unreg 2402");
    EXPECT_EQ(registrar.events[3], "reg 2400");
    EXPECT_EQ(registrar.registered.at(2400), (Combo{kCtrl, Key::Function(5)}));
    EXPECT_EQ(table[0].hotkeyId, 2400);

    // Record 1 gives F5, NUM PAD 2 and 3; record 2 adds NUM PAD 1 as a fourth entry.
    ASSERT_EQ(table.size(), 4u);
    registrar.events.clear();
    ClearHotkeys(table, registrar);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(registrar.events, (std::vector<std::string>{"unreg 2400", "unreg 2401",
                                                          "unreg 2402", "unreg 2403"}));
    ClearHotkeys(table, registrar);
    EXPECT_EQ(registrar.events.size(), 4u);
}

TEST(HotkeyLookup, FindsThePositionOfAnIdOrNothing) {
    HotkeyTable table;
    RecordingRegistrar registrar;
    BuildHotkeys(table, MainDefaults(), registrar);
    EXPECT_EQ(FindHotkey(table, 2400), 0);
    EXPECT_EQ(FindHotkey(table, 2402), 2);
    EXPECT_EQ(FindHotkey(table, 2403), -1);
    EXPECT_EQ(FindHotkey(table, 0), -1);
    EXPECT_EQ(FindHotkey(HotkeyTable{}, 2400), -1);
}

}  // namespace
}  // namespace torvik
