// Protection while the transmitter keys, through the whole chain the program runs: the source's
// answers to "t" and "f" on the link, the guard, the session and the controller writing the box.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/band_session.h"
#include "app/station_command.h"
#include "app/tests/controller_fixture.h"
#include "bands/band_store.h"
#include "bands/tests/rig_fakes.h"
#include "core/settings.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::bands {
namespace {

class QuietBandView final : public BandView {
public:
    void ArmBandTimer(std::optional<Millis>) override {}
    void AddBandLine() override {}
    void SetBandLineText(const std::string& status) override { line = status; }
    void RemoveBandLine() override { line.clear(); }
    void ShowNoBoxNotice() override {}
    void RunBandsDialog(BandFollowing&) override {}
    std::string line;
};

class TransmitProtectTest : public torvik::testing::ControllerTest {
protected:
    torvik::testing::TempFolder folder;
    IniSettings store{folder.path().string()};
    Millis now = 1000;
    testing::FakeSocket socket;
    testing::FakeDatagramSocket datagrams;
    QuietBandView bandView;
    std::unique_ptr<BandSession> session;

    // Antennas 1 and 3 on in mixer mode, following a rigctld with protection on; the link is
    // connected and has asked its first question.
    void Begin(std::uint32_t hangMs = 300) {
        StartWithBox();
        controller.SetMixerMode();
        controller.AntennaAction(2);
        ASSERT_EQ(Byte(), 0x0B);
        BandPlan plan{true, "127.0.0.1:4532", {{3500000, 30000000, 2}}};
        plan.protect = true;
        plan.hangMs = hangMs;
        ASSERT_TRUE(SavePlan(store, BandsSectionName("A1MIRVAX8"), plan));
        session = std::make_unique<BandSession>(controller, socket, datagrams, bandView, store,
                                                [this] { return now; });
        session->Reload();
        socket.sent.clear();
        session->Link().OnConnected(now);
        session->OnSocketEvent();
    }
    // One answer to the question now pending.
    void Answer(const std::string& line) {
        session->Link().OnData(line + "\n", now);
        session->OnSocketEvent();
    }
    // A whole round: the transmit state, then the frequency; then 100 ms on to the next round.
    void Round(const std::string& transmit, const std::string& hz = "145000000") {
        Answer(transmit);
        Answer(hz);
        now += 100;
        session->OnTimer();
    }
    std::uint8_t Byte() { return *box.LastOutput(torvik::testing::kBoxLocation); }
    std::string Status() const { return session->Following().follower().StatusText(); }
};

TEST_F(TransmitProtectTest, KeyingProtectsRefusesEveryChangeAndTheHangRestoresTheChoice) {
    Begin();
    EXPECT_EQ(socket.sent, "t\n");   // each round asks the transmit state first
    Round("0");
    EXPECT_EQ(socket.sent, "t\nf\nt\n");
    EXPECT_EQ(Byte(), 0x0B);
    settings.writes.clear();

    view.events.clear();
    Answer("1");   // keyed: the protect mask at once, before the frequency is even asked
    EXPECT_EQ(Byte(), 0x08);
    EXPECT_NE(std::find(view.events.begin(), view.events.end(), "enable 1001 0"), view.events.end())
        << "the antenna buttons stay enabled while keyed";
    EXPECT_TRUE(controller.TransmitProtected());
    EXPECT_EQ(Status(), "transmitting \xE2\x80\x94 antennas off");
    EXPECT_NE(view.trayTip.find("transmitting \xE2\x80\x94 antennas off"), std::string::npos);
    EXPECT_EQ(bandView.line, "transmitting \xE2\x80\x94 antennas off");
    EXPECT_EQ(RunStationWords(controller, {"lock", "status"}).text,
              "transmitting: mask 0, protect mask 0\n");

    // A click or tray entry, a hotkey, a set (torvikctl, the bus, a window message), a mode
    // change, and a band change: the box keeps its protect mask, nothing is stored.
    ForgetHistory();
    controller.AntennaAction(1);
    controller.Execute({Verb::Hotkey, 0, controller.Hotkeys()[0].hotkeyId});
    EXPECT_EQ(controller.Execute({Verb::Set, 0x6}), std::optional<std::intptr_t>(0));
    controller.SetSwitchMode();
    Answer("7100000");   // into the short-wave rule: antenna 2, kept for later
    for (const std::string& line : journal) {
        EXPECT_NE(line.rfind("byte", 0), 0u) << "written while keyed: " << line;
    }
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(Byte(), 0x08);

    // Receive, a key again within the hang time, receive: the hang starts over each time.
    now += 100;
    session->OnTimer();
    Round("0", "7100000");
    Round("0", "7100000");
    Round("2", "7100000");
    EXPECT_EQ(Byte(), 0x08);
    Round("0", "7100000");
    Round("0", "7100000");
    EXPECT_EQ(Byte(), 0x08) << "released before 300 ms of receive";
    Round("0", "7100000");
    // The choice comes back, then the band that came meanwhile: antenna 2 alone stays on.
    EXPECT_FALSE(controller.TransmitProtected());
    EXPECT_EQ(Byte(), 0x0C);
    EXPECT_EQ(Status(), "following 7.100 MHz");
    controller.AntennaAction(0);
    EXPECT_EQ(Byte(), 0x0E);   // antennas 1 and 2
}

TEST_F(TransmitProtectTest, ASourceThatCannotTellSwitchesNothingAndFollowingGoesOn) {
    Begin();
    Round("RPRT -11", "7100000");
    EXPECT_EQ(Byte(), 0x0C);   // the band change still applies
    EXPECT_EQ(Status(), "following 7.100 MHz; Transmit state unknown: the radio cannot tell");
    EXPECT_FALSE(controller.TransmitProtected());
    Round("transmitting", "7100000");
    EXPECT_EQ(Status(),
              "following 7.100 MHz; Transmit state unknown: the source's answer cannot be read");
    controller.AntennaAction(0);   // changes still go through
    EXPECT_EQ(Byte(), 0x0E);   // antennas 1 and 2

    // Keyed, an answer that cannot be read releases nothing either.
    Round("1", "7100000");
    EXPECT_EQ(Byte(), 0x08);
    for (int i = 0; i < 5; ++i) Round("RPRT -11", "7100000");
    EXPECT_EQ(Byte(), 0x08);
    EXPECT_EQ(Status(), "transmitting \xE2\x80\x94 antennas off");
}

TEST_F(TransmitProtectTest, UnlockingWhileKeyedStaysProtectedAndUnkeyingWhileLockedStaysLocked) {
    Begin(0);
    Answer("1");
    EXPECT_EQ(Byte(), 0x08);
    controller.Lock();
    controller.Unlock();
    EXPECT_EQ(Byte(), 0x08) << "unlocked while the transmitter keys";
    EXPECT_EQ(controller.AntennaOn(0) + controller.AntennaOn(2), 0);
    Answer("145000000");
    now += 100;
    session->OnTimer();
    Round("0");   // a hang time of 0: receive releases at once, to the state from before both
    EXPECT_EQ(Byte(), 0x0B);

    controller.Lock();
    Round("1");
    Round("0");
    EXPECT_EQ(Byte(), 0x08) << "the end of a transmission unlocked the box";
    EXPECT_TRUE(controller.Locked());
    controller.AntennaAction(1);
    EXPECT_EQ(Byte(), 0x08);
    controller.Unlock();
    EXPECT_EQ(Byte(), 0x0B);
}

TEST_F(TransmitProtectTest, ALostSourceKeepsProtectionUntilReceiveIsHeardOrTheSourceChanges) {
    Begin();
    Answer("1");
    ASSERT_EQ(Byte(), 0x08);
    session->Link().OnClosed(now);
    session->OnSocketEvent();
    EXPECT_EQ(Status(), "transmitting \xE2\x80\x94 antennas off until the radio reports receive "
                        "(rig not reachable at 127.0.0.1:4532)");
    for (int i = 0; i < 10; ++i) {
        now += 1000;
        session->OnTimer();
    }
    EXPECT_EQ(Byte(), 0x08);

    // Back, in receive: released after the hang time.
    for (int i = 0; i < 600 && session->Link().state() != RigLink::State::kConnecting; ++i) {
        now += 100;
        session->OnTimer();
    }
    session->Link().OnConnected(now);
    Round("0");
    Round("0");
    EXPECT_EQ(Byte(), 0x08);
    Round("0");
    EXPECT_EQ(Byte(), 0x0B);

    // Keyed again; another source says nothing about this transmitter: released at once.
    Round("1");
    ASSERT_EQ(Byte(), 0x08);
    EXPECT_EQ(session->Command("source\n127.0.0.1:4533").code, kReplyOk);
    EXPECT_EQ(Byte(), 0x0B);
    session->Link().OnConnected(now);
    Round("1");
    ASSERT_EQ(Byte(), 0x08);
    EXPECT_EQ(session->Command("protect\noff").code, kReplyOk);
    EXPECT_EQ(Byte(), 0x0B);
    // Off, "t" is asked no more and a keyed answer to the question in flight switches nothing.
    socket.sent.clear();
    Round("1");
    EXPECT_EQ(socket.sent, "f\nf\n");
    EXPECT_EQ(Byte(), 0x0B);
}

}  // namespace
}  // namespace torvik::bands
