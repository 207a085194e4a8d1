#include <algorithm>
#include <vector>

#include "app/tests/controller_fixture.h"
#include "device/location_identity.h"
#include "device/output_write.h"

namespace torvik::testing {
namespace {

using Kind = SimCall::Kind;
using Bytes = std::vector<std::uint8_t>;

std::uint8_t ByteFor(std::int32_t a1, std::int32_t a2, std::int32_t a3, std::int32_t fourth,
                     std::int32_t run) {
    const std::int32_t flags[4] = {a1, a2, a3, fourth};
    return SwitchController::OutputByte(flags, run);
}

TEST(OutputByte, EveryAntennaMaskGivesItsByteWithTheAntennaBitsOutOfOrder) {
    // Index: the antenna mask (bit 0 antenna 1, bit 1 antenna 2, bit 2 antenna 3, bit 3 the
    // fourth output); byte bit 0 is antenna 3, bit 1 antenna 1, bit 2 antenna 2, bit 3 running,
    // bit 4 the fourth output.
    constexpr std::uint8_t kBytes[16] = {0x08, 0x0A, 0x0C, 0x0E, 0x09, 0x0B, 0x0D, 0x0F,
                                         0x18, 0x1A, 0x1C, 0x1E, 0x19, 0x1B, 0x1D, 0x1F};
    for (int mask = 0; mask < 16; ++mask) {
        EXPECT_EQ(ByteFor(mask & 1, (mask >> 1) & 1, (mask >> 2) & 1, (mask >> 3) & 1, 8),
                  kBytes[mask])
            << "mask " << mask;
    }
}

TEST(OutputByte, AnyNonzeroFlagIsOnAndOnlyTheRunningBitComesFromRunFlag) {
    EXPECT_EQ(ByteFor(5, -1, 0, 0, 8), 0x0E);
    EXPECT_EQ(ByteFor(1, 0, 0, 0, 0), 0x02);       // the final write at shutdown
    EXPECT_EQ(ByteFor(0, 0, 0, 0, 0xFF), 0x08);    // bits 5 to 7 are never set
    EXPECT_EQ(ByteFor(0, 0, 0, 0, 0x100), 0x00);   // only the low byte counts
}

class OutputWriteTest : public ControllerTest {};

TEST_F(OutputWriteTest, OneWriteOpensBoundsTheTimeoutSetsModeWritesAndCloses) {
    StartWithBox();
    ControllerPeer::AntennaOn(controller)[2] = 1;
    ControllerPeer::AntennaOn(controller)[0] = 0;
    controller.WriteOutput();
    const auto& calls = box.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, Kind::Open);
    EXPECT_EQ(calls[0].value, kBoxLocation);
    EXPECT_EQ(calls[1].kind, Kind::Timeouts);
    EXPECT_EQ(calls[1].value, kWriteTimeoutMs);
    EXPECT_EQ(calls[2].kind, Kind::BitMode);
    EXPECT_EQ(calls[3].kind, Kind::Write);
    EXPECT_EQ(calls[3].value, 0x09u);
    EXPECT_EQ(calls[4].kind, Kind::Close);
    EXPECT_EQ(box.OpenHandles(), 0);
}

TEST_F(OutputWriteTest, EveryChangeWritesTheBoxOnce) {
    PlugBox();
    controller.FindDevice();
    controller.RefreshControls();   // as the window's start does
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x0A}));
    ForgetHistory();
    controller.AntennaAction(1);
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x0C}));
    controller.SetMixerMode();
    controller.AntennaAction(2);
    controller.SetSwitchMode();
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x0C, 0x0C, 0x0D, 0x0C}));
    controller.Execute(Command{Verb::Reload});
    EXPECT_EQ(box.BytesWritten().size(), 5u);
}

TEST_F(OutputWriteTest, ShutdownDropsTheRunningBitAndKeepsTheAntennas) {
    StartWithBox();
    controller.SetMixerMode();
    controller.AntennaAction(1);
    ForgetHistory();
    controller.Shutdown();
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x06}));
    EXPECT_EQ(controller.RunFlag(), 0);
    EXPECT_TRUE(controller.Hotkeys().empty());
    EXPECT_EQ(registrar.events,
              (std::vector<std::string>{"unreg 2400", "unreg 2401", "unreg 2402"}));
}

TEST_F(OutputWriteTest, ARefusedModeIsReportedOncePerEpisodeWithTheDeviceClosed) {
    PlugBox();
    box.devices[0].bitModeFails = true;
    // What the box's modal loop lets in: a device notice searches and writes again.
    int openWhileShown = -1;
    view.duringError = [&] {
        openWhileShown = box.OpenHandles();
        controller.FindDevice();
    };
    controller.FindDevice();
    EXPECT_EQ(view.errors, 1);
    EXPECT_EQ(openWhileShown, 0);
    // The search inside the box still found the box where it is.
    EXPECT_TRUE(controller.DevicePresent());
    EXPECT_EQ(controller.Node().identity, IdentityOfLocation(kBoxLocation));
    EXPECT_EQ(view.statusText, "Device refused the output mode");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - output mode refused");

    ForgetHistory();
    controller.AntennaAction(2);   // the same episode: written, not told again
    EXPECT_EQ(view.errors, 0);
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x09}));

    box.devices[0].bitModeFails = false;
    controller.AntennaAction(0);
    EXPECT_EQ(controller.Link(), LinkStatus::Ready);
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control");
    box.devices[0].bitModeFails = true;
    controller.AntennaAction(1);   // a new episode after a good write
    EXPECT_EQ(view.errors, 1);
    controller.Shutdown();         // the final write tells nobody
    EXPECT_EQ(view.errors, 1);
    EXPECT_EQ(box.OpenHandles(), 0);
}

TEST_F(OutputWriteTest, FailedWritesShowUntilOneSucceedsAndTheChosenStateIsWrittenAgain) {
    PlugBox();
    box.devices[0].shortWrite = true;
    controller.FindDevice();
    controller.AntennaAction(1);
    EXPECT_EQ(controller.Link(), LinkStatus::WriteFailed);
    EXPECT_EQ(view.statusText, "Device did not take the setting");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - write failed");
    // The status stands where the antenna row was; the options stay usable.
    EXPECT_NE(std::find(view.events.rbegin(), view.events.rend(), "show 1009 1"), view.events.rend());
    EXPECT_EQ(view.events.back(), "check 1006 0");
    EXPECT_TRUE(box.BytesWritten().empty());
    EXPECT_EQ(view.errors, 0);
    // The state and the file follow the change all the same.
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 1, 0, 0}));
    EXPECT_EQ(StoredInt(kBoxSection, "ANTENNA-2"), 1);

    box.devices[0].shortWrite = false;
    box.devices[0].openFails = true;
    controller.FindDevice();   // an arrival
    EXPECT_EQ(view.statusText, "Device cannot be opened --- replug it");
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control - device not opened");

    box.devices[0].openFails = false;
    ForgetHistory();
    controller.FindDevice();   // replugged: the chosen antenna reaches the box
    EXPECT_EQ(box.BytesWritten(), (Bytes{0x0C}));
    EXPECT_EQ(controller.Link(), LinkStatus::Ready);
    EXPECT_EQ(view.events.front(), "show 1009 0");
}

TEST_F(OutputWriteTest, WithoutABoxNoDriverFunctionIsCalled) {
    controller.FindDevice();
    box.ClearCalls();
    controller.WriteOutput();
    controller.AntennaAction(0);
    controller.SetAntenna(1, 2);
    controller.SetMixerMode();
    controller.SetSwitchMode();
    controller.SetAntennaMask(0xF);
    controller.RefreshControls();
    controller.Execute(Command{Verb::Reload});
    controller.Shutdown();
    EXPECT_TRUE(box.Calls().empty());
}

}  // namespace
}  // namespace torvik::testing
