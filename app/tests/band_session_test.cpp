#include "app/band_session.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/tests/controller_fixture.h"
#include "bands/band_store.h"
#include "bands/tests/rig_fakes.h"
#include "core/settings.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::bands {
namespace {

// A box, its controller and band following over a fake source, with the plan stored in a real
// Torvik.ini. The follower applies masks through the set-state path, as the program does.
class BandFollowingTest : public torvik::testing::ControllerTest {
protected:
    torvik::testing::TempFolder folder;
    IniSettings store{folder.path().string()};
    const std::string ini = store.Path();
    Millis now = 0;
    testing::FakeSocket socket;
    BandFollowing following{socket, [this](std::uint32_t mask) { ApplyRuleMask(controller, mask); },
                            store};

    const BandPlan kPlan{true, "127.0.0.1:4532",
                         {{1800000, 2000000, 1}, {3500000, 30000000, 2}, {30000001, 999999999, 4}}};

    void SetUp() override {
        StartWithBox();
        ASSERT_TRUE(SavePlan(store, BandsSectionName("A1MIRVAX8"), kPlan));
        following.UseBox("A1MIRVAX8", now);
        following.follower().link().OnConnected(now);
    }
    // The source answers the pending question with hz; the next question is asked.
    void Tune(std::uint64_t hz) {
        following.follower().link().OnData(std::to_string(hz) + "\n", now);
        now += 250;
        following.follower().link().Tick(now);
    }
    std::uint8_t Byte() { return *box.LastOutput(torvik::testing::kBoxLocation); }
};

TEST_F(BandFollowingTest, EnteringABandAppliesItsMaskOnceAndAClickHoldsUntilTheNextBand) {
    ASSERT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 0, 0}));
    Tune(7100000);                                   // into the short-wave rule: antenna 2
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 1, 0, 0}));
    EXPECT_EQ(Byte(), 0x0C);                         // antenna 2 and the running bit
    EXPECT_EQ(StoredInt(torvik::testing::kBoxSection, "ANTENNA-2"), 1);
    EXPECT_EQ(following.follower().StatusText(), "following 7.100 MHz");

    controller.AntennaAction(2);                     // the user picks antenna 3 by hand
    ForgetHistory();
    Tune(7074000);
    Tune(14074000);                                  // still the same rule
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 0, 1, 0}));
    EXPECT_TRUE(box.Calls().empty()) << "nothing written while the band stays";

    Tune(25000000000);                               // outside every rule: nothing changes
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(following.follower().StatusText(), "following 25000.000 MHz (no rule)");
    Tune(1900000);                                   // the long-wave band
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 0, 0}));
    Tune(14000000);                                  // and back to short wave
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 1, 0, 0}));
}

TEST_F(BandFollowingTest, TheFourthOutputKeepsItsStateInBothModes) {
    controller.SetAntennaMask(0x9);                  // switch mode: the fourth output on, alone
    ASSERT_EQ(Flags(), (std::vector<std::int32_t>{0, 0, 0, 1}));
    Tune(7100000);
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 1, 0, 1}));
    controller.SetMixerMode();
    Tune(1900000);
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 0, 1}));
}

// Band following is one more way in that the storm lock refuses.
TEST_F(BandFollowingTest, LockHoldsAgainstABandChange) {
    ASSERT_TRUE(controller.Lock());
    const std::uint8_t locked = Byte();
    Tune(7100000);
    EXPECT_EQ(Byte(), locked);
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

TEST_F(BandFollowingTest, CommandsStoreFirstAndTheFollowerTakesTheNewPlan) {
    Tune(7100000);
    controller.AntennaAction(0);                     // hand-picked, inside the rule
    // A new rule for the band the rig is in: the crossing starts over and applies it.
    BandsReply reply = following.Command(JoinWords({"set", "2", "3500000", "30000000", "4"}), now);
    EXPECT_EQ(reply.code, kReplyOk) << reply.text;
    EXPECT_NE(reply.text.find("2: 3500000 to 30000000 Hz, mask 4"), std::string::npos);
    Tune(7100000);
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(LoadPlan(store, "A1MIRVAX8_BANDS").plan.rules[1].mask, 4u);

    const std::string before = torvik::testing::ReadBytes(ini);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"set", "9", "1", "2", "1"}, {"add", "2", "1", "1"},
          {"add", "1", "2", "8"}, {"clear", "4"}, {"source", "gqrx:7356"}, {"follow"}}) {
        reply = following.Command(JoinWords(words), now);
        EXPECT_EQ(reply.code, kReplyUsage) << JoinWords(words);
        EXPECT_FALSE(reply.text.empty());
    }
    EXPECT_EQ(torvik::testing::ReadBytes(ini), before);

    reply = following.Command("off", now);
    EXPECT_EQ(reply.code, kReplyOk);
    EXPECT_NE(reply.text.find("following off, source 127.0.0.1:4532\n"), std::string::npos);
    EXPECT_NE(reply.text.find("\nstatus: off\n"), std::string::npos);
    EXPECT_FALSE(socket.open);
    EXPECT_EQ(following.follower().StatusText(), "");
    EXPECT_FALSE(LoadPlan(store, "A1MIRVAX8_BANDS").plan.follow);

    following.UseBox("", now);
    EXPECT_EQ(following.Command("on", now).code, kReplyNoBox);
}

TEST_F(BandFollowingTest, AFileThatCannotBeWrittenChangesNothing) {
    // A folder where the settings file should be: it can be neither read nor replaced.
    IniSettings blocked{folder.File("blocked")};
    std::filesystem::create_directories(blocked.Path());
    BandFollowing elsewhere{socket, [](std::uint32_t) {}, blocked};
    elsewhere.UseBox("A1MIRVAX8", now);
    const BandsReply reply = elsewhere.Command("on", now);
    EXPECT_EQ(reply.code, kReplyNotStored);
    EXPECT_FALSE(elsewhere.plan().follow);
    EXPECT_FALSE(elsewhere.follower().Active());
}

TEST(BandStatusTip, TheStatusGoesUnderTheTipAndIsCutToTheFieldNeverTheTip) {
    EXPECT_EQ(TipWithBandStatus("Karrow Antenna Control", ""), "Karrow Antenna Control");
    EXPECT_EQ(TipWithBandStatus("Karrow Antenna Control", "following 7.074 MHz"),
              "Karrow Antenna Control\nfollowing 7.074 MHz");
    const std::string tip = TipWithBandStatus("Karrow Antenna Control - device in use",
                                              "rig not reachable at 255.255.255.255:65535");
    EXPECT_EQ(tip, "Karrow Antenna Control - device in use\nrig not reachable at 255");
    EXPECT_EQ(tip.size(), 63u);
}

TEST_F(BandFollowingTest, StatusFollowsTheSourceAndADownSourceChangesNothing) {
    EXPECT_EQ(following.follower().StatusText(), "connecting to rig at 127.0.0.1:4532");
    Tune(7100000);
    ForgetHistory();
    following.follower().link().OnClosed(now);
    EXPECT_EQ(following.follower().StatusText(), "rig not reachable at 127.0.0.1:4532");
    EXPECT_TRUE(box.Calls().empty());
    EXPECT_TRUE(settings.writes.empty());

    // Back at the same frequency: same rule, so the antennas stay as they are.
    controller.AntennaAction(0);
    now = *following.follower().link().NextDue();
    following.follower().link().Tick(now);
    following.follower().link().OnConnected(now);
    Tune(7100000);
    EXPECT_EQ(Flags(), (std::vector<std::int32_t>{1, 0, 0, 0}));
    EXPECT_EQ(following.follower().StatusText(), "following 7.100 MHz");

    following.follower().link().OnData("RPRT -8\n", now);
    EXPECT_EQ(following.follower().StatusText(), "rig at 127.0.0.1:4532 reports error -8");

    BandPlan bad = kPlan;
    bad.source = "nowhere";
    ASSERT_TRUE(following.Store(bad, now));
    EXPECT_NE(following.follower().StatusText().find("band following: 'nowhere' is not a source"),
              std::string::npos);
}

// What the main window is told, journalled beside the box's bytes and the controller's view.
class RecordingBandView final : public BandView {
public:
    explicit RecordingBandView(torvik::testing::Journal& journal) : journal_(journal) {}
    void ArmBandTimer(std::optional<Millis> waitMs) override {
        wait = waitMs;
        if (!waitMs) journal_.push_back("band timer stopped");
    }
    void AddBandLine() override { events.push_back("line added"); }
    void SetBandLineText(const std::string& status) override { events.push_back("line " + status); }
    void RemoveBandLine() override { events.push_back("line removed"); }
    void ShowNoBoxNotice() override { events.push_back("no box"); }
    void RunBandsDialog(BandFollowing& following) override {
        events.push_back("dialog");
        if (duringDialog) duringDialog(following);
    }
    std::optional<Millis> wait = -1;   // never told yet
    std::vector<std::string> events;
    std::function<void(BandFollowing&)> duringDialog;

private:
    torvik::testing::Journal& journal_;
};

class BandSessionTest : public torvik::testing::ControllerTest {
protected:
    torvik::testing::TempFolder folder;
    IniSettings store{folder.path().string()};
    Millis now = 1000;
    testing::FakeSocket socket;
    testing::FakeDatagramSocket datagrams;
    RecordingBandView bandView{journal};
    RigTiming timing;
    std::unique_ptr<BandSession> session;

    void Begin(bool follow) {
        StartWithBox();
        BandPlan plan{follow, "127.0.0.1:4532", {{3500000, 30000000, 2}}};
        ASSERT_TRUE(SavePlan(store, BandsSectionName("A1MIRVAX8"), plan));
        session = std::make_unique<BandSession>(controller, socket, datagrams, bandView, store,
                                                [this] { return now; }, timing);
    }
};

TEST_F(BandSessionTest, TheStatusLineComesWithFollowingAndGoesWithIt) {
    Begin(true);
    session->Reload();
    EXPECT_EQ(bandView.events,
              (std::vector<std::string>{"line added", "line connecting to rig at 127.0.0.1:4532"}));
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control\nconnecting to rig at 127.0.0.1:4532");

    bandView.events.clear();
    session->Link().OnConnected(now);
    session->OnSocketEvent();
    session->Link().OnData("7100000\n", now);
    session->OnSocketEvent();
    session->OnSocketEvent();   // nothing new: nothing told
    EXPECT_EQ(bandView.events, (std::vector<std::string>{"line following 7.100 MHz"}));
    EXPECT_EQ(controller.AntennaOn(1), 1);

    bandView.events.clear();
    EXPECT_EQ(session->Command("off").code, kReplyOk);
    EXPECT_EQ(bandView.events, (std::vector<std::string>{"line removed"}));
    EXPECT_EQ(view.trayTip, "Karrow Antenna Control");
    EXPECT_EQ(bandView.wait, std::nullopt);
}

// The listing names each rule's antennas once the box has a name, at once after a rename.
TEST_F(BandSessionTest, TheListingNamesTheMasksOnceTheBoxHasNames) {
    Begin(false);
    session->Reload();
    EXPECT_EQ(session->Command("").text.find("(Antenna"), std::string::npos);
    ASSERT_EQ(controller.RenameAntenna(1, "Beverage NE"), "");
    const std::string listing = session->Command("").text;
    EXPECT_NE(listing.find("1: 3500000 to 30000000 Hz, mask 2 (Beverage NE)"), std::string::npos)
        << listing;
}

// The lock's line and following's status share the one line under the window's controls.
TEST_F(BandSessionTest, TheLockSharesTheLineAndTheLineStaysWhileEitherHasSomethingToSay) {
    Begin(true);
    session->Reload();
    bandView.events.clear();
    session->ShowLockLine("Locked: all antennas off");
    EXPECT_EQ(bandView.events, (std::vector<std::string>{
                                   "line Locked: all antennas off; connecting to rig at "
                                   "127.0.0.1:4532"}));
    session->Command("off");
    session->ShowLockLine("");
    session->ShowLockLine("Locked: all antennas off");
    EXPECT_EQ(bandView.events,
              (std::vector<std::string>{
                  "line Locked: all antennas off; connecting to rig at 127.0.0.1:4532",
                  "line Locked: all antennas off", "line removed", "line added",
                  "line Locked: all antennas off"}));
}

TEST_F(BandSessionTest, TheTimerWakesTheLinkWhenDueAndAtLeastOnceAMinute) {
    timing.firstPause = 90000;   // a source that stays away longer than the longest wait
    Begin(true);
    session->Reload();
    EXPECT_EQ(bandView.wait, timing.connectTimeout);
    now += timing.connectTimeout + 500;   // the timer came late
    session->OnSocketEvent();
    EXPECT_EQ(bandView.wait, 0);
    session->OnTimer();   // the connection timed out: a pause before the next try
    EXPECT_EQ(session->Following().follower().StatusText(), "rig not reachable at 127.0.0.1:4532");
    EXPECT_EQ(bandView.wait, kLongestBandWait);
}

TEST_F(BandSessionTest, ShutdownStopsFollowingBeforeTheBoxIsLetGo) {
    Begin(true);
    session->Reload();
    ASSERT_NE(bandView.wait, std::nullopt);
    journal.clear();
    session->Shutdown();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal.front(), "band timer stopped");
    EXPECT_EQ(journal[1], "byte 02");   // the final write, running bit clear
    EXPECT_FALSE(socket.open);
}

TEST_F(BandSessionTest, RequestsAndTheDialogNeedTheirBoxAndAnOverlongRequestIsRefused) {
    Begin(false);
    session->Reload();
    const BandsReply tooLong = session->Command(std::string(kMaxRequestBytes + 1, 'a'));
    EXPECT_EQ(tooLong.code, kReplyUsage);
    EXPECT_EQ(tooLong.text, "request too long\n");
    EXPECT_NE(session->Command(std::string(kMaxRequestBytes, 'a')).text, "request too long\n");

    bandView.duringDialog = [this](BandFollowing& following) {
        BandPlan plan = following.plan();
        plan.follow = true;
        ASSERT_TRUE(following.Store(plan, now));
    };
    session->OpenDialog();
    EXPECT_EQ(bandView.events, (std::vector<std::string>{
                                   "dialog", "line added",
                                   "line connecting to rig at 127.0.0.1:4532"}));

    bandView.events.clear();
    box.devices.clear();
    controller.OnDeviceNotice();
    session->Reload();
    session->OpenDialog();
    EXPECT_EQ(bandView.events, (std::vector<std::string>{"line removed", "no box"}));
}

}  // namespace
}  // namespace torvik::bands
