// Antenna names: what a name may hold, their storage beside the keyset in real files (plain
// and UTF-16), and where the controller shows them; torvikctl's names words.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/station_command.h"
#include "app/tests/controller_fixture.h"
#include "core/profile_encoding.h"
#include "tests/fakes/temp_folder.h"

namespace torvik::testing {
namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(AntennaNameRules, RefusesWhatTheFileCannotHoldExactly) {
    const std::string nordOst = "Beverage N\xC3\x96";   // "Ö" in UTF-8
    struct Case {
        std::string text;
        bool unicodeFile;
        const char* reasonPart;   // nullptr: accepted
    } cases[] = {
        {"Mini-Whip", false, nullptr},
        {"Beverage NE; 240 m", false, nullptr},
        {std::string(24, 'x'), false, nullptr},
        {std::string(25, 'x'), false, "at most 24"},
        {nordOst, true, nullptr},
        {nordOst, false, "not a Unicode"},
        {std::string("Loop\0A", 6), true, "NUL"},
        {"Loop\nA", true, "line break"},
        {"Loop\rA", true, "line break"},
        {"Loop\tA", true, "control character U+0009"},
        {"Loop\xC2\x85", true, "control character U+0085"},
        {"Loop\xC3", true, "not valid UTF-8"},
        {"\xC0\xAF", true, "not valid UTF-8"},          // an overlong '/'
        {"\xED\xA0\x80", true, "not valid UTF-8"},      // a surrogate
        {" Loop", false, "space"},
        {"Loop ", false, "space"},
        {"\"Loop\"", false, "quotes"},
        {"'Loop'", false, "quotes"},
        {"Loop \"A\"", false, nullptr},
        // 24 characters of two bytes each fit; the count is of characters, not bytes.
        {[] { std::string s; for (int i = 0; i < 24; ++i) s += "\xC3\xA9"; return s; }(), true, nullptr},
    };
    for (const Case& c : cases) {
        const std::string problem = NameProblem(c.text, c.unicodeFile);
        if (c.reasonPart == nullptr) {
            EXPECT_EQ(problem, "") << c.text;
        } else {
            EXPECT_NE(problem.find(c.reasonPart), std::string::npos) << c.text << ": " << problem;
        }
    }
}

class NamesInFile : public ::testing::Test {
protected:
    TempFolder folder;
    IniSettings settings{folder.path().string()};
    const std::string keysetText =
        "[A1MIRVAX8_KEYSET]\r\nANTENNA-1=0\r\nANTENNA-2=1\r\n ; hand note\r\nSWITCHMIXER=1\r\n";

    // The keyset section as it stands in the file's text.
    std::string KeysetOf(const std::string& text) const {
        const std::size_t start = text.find("[A1MIRVAX8_KEYSET]");
        const std::size_t end = text.find("\r\n[", start + 1);
        return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
    }
};

TEST_F(NamesInFile, PlainFileKeepsTheKeysetAndRefusesWhatItCannotHold) {
    WriteBytes(settings.Path(), keysetText);
    EXPECT_FALSE(settings.HoldsUnicode());
    EXPECT_EQ(StoreName(settings, "A1MIRVAX8_KEYSET", 0, "Mini-Whip"), "");
    EXPECT_EQ(StoreName(settings, "A1MIRVAX8_KEYSET", 2, "Beverage NE"), "");
    const std::string before = FileBytes(settings.Path());
    EXPECT_NE(StoreName(settings, "A1MIRVAX8_KEYSET", 1, "Beverage N\xC3\x96"), "");
    EXPECT_EQ(FileBytes(settings.Path()), before);   // the refusal stored nothing

    EXPECT_EQ(KeysetOf(before), keysetText);
    const AntennaNames names = LoadNames(settings, "A1MIRVAX8_KEYSET");
    EXPECT_EQ(names, (AntennaNames{"Mini-Whip", "", "Beverage NE"}));
    // Cleared: the antenna is shown by its number again.
    EXPECT_EQ(StoreName(settings, "A1MIRVAX8_KEYSET", 0, ""), "");
    EXPECT_EQ(ShownName(LoadNames(settings, "A1MIRVAX8_KEYSET"), 0), "Antenna 1");
}

TEST_F(NamesInFile, Utf16FileHoldsAnyNameAndStaysUtf16) {
    WriteBytes(settings.Path(), profile::EncodeFile(keysetText, profile::FileEncoding::kUtf16Le));
    EXPECT_TRUE(settings.HoldsUnicode());
    const std::string name = "Beverage N\xC3\x96 \xE2\x86\x97";   // "Beverage NÖ ↗"
    EXPECT_EQ(StoreName(settings, "A1MIRVAX8_KEYSET", 1, name), "");

    const profile::DecodedFile file = profile::DecodeFile(FileBytes(settings.Path()));
    EXPECT_EQ(file.encoding, profile::FileEncoding::kUtf16Le);
    EXPECT_EQ(KeysetOf(file.text), keysetText);
    EXPECT_EQ(LoadNames(settings, "A1MIRVAX8_KEYSET")[1], name);
}

TEST_F(ControllerTest, NamesReachButtonsTrayMenuTipAndTorvikctl) {
    StartWithBox();
    const std::string tipBefore = view.trayTip;
    // Without names the tip and the menu are as they always were.
    EXPECT_EQ(controller.TrayMenu()[0].text, "Antenna 1");

    bands::BandsReply reply =
        RunStationWords(controller, {"names", "set", "2", "Beverage NE"});
    EXPECT_EQ(reply.code, bands::kReplyOk);
    EXPECT_EQ(reply.text, "1: Antenna 1 (no name)\n2: Beverage NE\n3: Antenna 3 (no name)\n");
    const std::string stored = settings.texts[{"A1MIRVAX8_NAMES", "NAME-2"}];
    EXPECT_EQ(stored, "Beverage NE");
    EXPECT_EQ(controller.TrayMenu()[1].text, "Beverage NE");

    controller.AntennaAction(1);
    EXPECT_NE(view.trayTip, tipBefore);
    EXPECT_EQ(view.trayTip, tipBefore + "\non: Beverage NE");

    // Refusals store nothing and say why, with torvikctl's codes.
    settings.writes.clear();
    reply = RunStationWords(controller, {"names", "set", "1", "Line\nbreak"});
    EXPECT_EQ(reply.code, bands::kReplyUsage);
    EXPECT_NE(reply.text.find("line break"), std::string::npos);
    reply = RunStationWords(controller, {"names", "set", "4", "x"});
    EXPECT_EQ(reply.code, bands::kReplyUsage);
    settings.refuseWrites = true;
    reply = RunStationWords(controller, {"names", "set", "1", "Loop"});
    EXPECT_EQ(reply.code, bands::kReplyNotStored);
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(controller.Names()[0], "");

    settings.refuseWrites = false;
    EXPECT_EQ(RunStationWords(controller, {"names", "clear", "2"}).code, bands::kReplyOk);
    EXPECT_EQ(controller.TrayMenu()[1].text, "Antenna 2");
    EXPECT_EQ(view.trayTip, tipBefore);
}

TEST_F(ControllerTest, NamesFollowTheBoxAndNeedOne) {
    settings.texts[{"A1MIRVAX8_NAMES", "NAME-1"}] = "Mini-Whip";
    settings.texts[{"B2ZELKOR5_NAMES", "NAME-1"}] = "Dipole";
    settings.texts[{"A1MIRVAX8_NAMES", "NAME-3"}] = "Bad\x01name";   // edited by hand
    EXPECT_EQ(RunStationWords(controller, {"names"}).code, bands::kReplyNoBox);
    StartWithBox();
    EXPECT_EQ(controller.Names(), (AntennaNames{"Mini-Whip", "", ""}));
    box.devices = {{"B2ZELKOR5", "other", 6}};
    controller.FindDevice();
    EXPECT_EQ(controller.Names()[0], "Dipole");
    box.devices.clear();
    controller.FindDevice();
    EXPECT_EQ(controller.Names(), AntennaNames{});
    EXPECT_EQ(controller.RenameAntenna(0, "Loop"), "no box connected");
}

}  // namespace
}  // namespace torvik::testing
