// The MQTT core without a broker: the state's JSON, set requests (hostile ones included), Home
// Assistant's discovery, the reconnect pauses, the settings and the status texts.
#include <gtest/gtest.h>

#include <set>

#include <nlohmann/json.hpp>

#include "mqtt/backoff.h"
#include "mqtt/box_state.h"
#include "mqtt/discovery.h"
#include "mqtt/link_status.h"
#include "mqtt/mqtt_settings.h"
#include "mqtt/set_request.h"
#include "mqtt/topics.h"
#include "tests/fakes/settings.h"

namespace torvik::mqtt {
namespace {

using nlohmann::json;

BoxState SwitchBox() {
    BoxState state;
    state.serial = "A1MIRVAX8";
    state.mask = 2;
    state.antennas = {{{"Mini-Whip", false}, {"Beverage NE", true}, {"Antenna 3", false}}};
    state.present = true;
    return state;
}

TEST(StateJson, TellsEveryAntennaTheModeAndTheSelectedOneAsValidJson) {
    BoxState state = SwitchBox();
    state.band = "band 40m: \xff bad byte";   // not UTF-8: replaced, the JSON stays valid
    const json parsed = json::parse(StateJson(state));
    EXPECT_EQ(parsed["mask"], 2);
    EXPECT_EQ(parsed["mode"], "switch");
    EXPECT_EQ(parsed["selected"], "Beverage NE");
    ASSERT_EQ(parsed["antennas"].size(), 3u);
    EXPECT_EQ(parsed["antennas"][0], json({{"number", 1}, {"name", "Mini-Whip"}, {"on", false}}));
    EXPECT_EQ(parsed["antennas"][1]["on"], true);
    EXPECT_EQ(parsed["present"], true);
    EXPECT_EQ(parsed["locked"], false);
    EXPECT_EQ(parsed["band"], "band 40m: \xEF\xBF\xBD bad byte");

    // Mixer mode selects none; a box of two antennas lists two.
    state.mixer = true;
    state.antennaCount = 2;
    const json mixer = json::parse(StateJson(state));
    EXPECT_EQ(mixer["mode"], "mixer");
    EXPECT_EQ(mixer["selected"], "");
    EXPECT_EQ(mixer["antennas"].size(), 2u);
}

const std::array<std::string, 3> kShown{"Mini-Whip", "Antenna 2", "Antenna 3"};

TEST(SetRequests, EveryFormIsReadAndTheAntennaByNumberOrName) {
    auto parse = [](std::string_view text) { return ParseSetRequest(text, kShown); };
    using Kind = SetRequest::Kind;
    const SetRequest mask{.kind = Kind::kMask, .mask = 5};
    EXPECT_EQ(parse("5"), mask);
    EXPECT_EQ(parse("{\"mask\":5}"), mask);
    EXPECT_EQ(parse("{\"antenna\":2,\"on\":true}"),
              (SetRequest{.kind = Kind::kAntenna, .antenna = 1, .on = true}));
    EXPECT_EQ(parse("{\"on\":false, \"antenna\":\"Mini-Whip\"}"),
              (SetRequest{.kind = Kind::kAntenna, .antenna = 0, .on = false}));
    EXPECT_EQ(parse(" {\"mode\":\"mixer\"} "), (SetRequest{.kind = Kind::kMode, .mixer = true}));
    EXPECT_EQ(parse("{\"mode\":\"switch\"}"), (SetRequest{.kind = Kind::kMode, .mixer = false}));
    EXPECT_EQ(parse("{\"lock\":true}"), (SetRequest{.kind = Kind::kLock, .on = true}));
}

TEST(SetRequests, AnythingElseIsNoRequest) {
    const std::string deep(200, '[');
    std::string big = "{\"mask\":5" + std::string(kMaxSetPayload, ' ') + "}";
    std::string withNul("5\0", 2);
    for (const std::string& text :
         {std::string(), std::string("hello {"), std::string("99"), std::string("16"),
          std::string("-1"), std::string("0x5"), std::string("5 6"), withNul,
          std::string("{\"mask\":99}"), std::string("{\"mask\":-1}"), std::string("{\"mask\":5.5}"),
          std::string("{\"mask\":\"5\"}"), std::string("{\"mask\":5,\"lock\":true}"),
          std::string("{\"antenna\":4,\"on\":true}"), std::string("{\"antenna\":0,\"on\":true}"),
          std::string("{\"antenna\":2}"), std::string("{\"antenna\":2,\"on\":1}"),
          std::string("{\"antenna\":\"Nowhere\",\"on\":true}"),
          std::string("{\"antenna\":\"\",\"on\":true}"), std::string("{\"mode\":\"Mixer\"}"),
          std::string("{\"lock\":\"yes\"}"), std::string("[5]"), std::string("null"),
          std::string("\"5\""), deep, big}) {
        EXPECT_FALSE(ParseSetRequest(text, kShown).has_value()) << text.substr(0, 40);
    }
}

// The fields Home Assistant needs for each component, and one device for all.
TEST(Discovery, EveryConfigIsValidJsonWithTheFieldsItsComponentNeeds) {
    const BoxState state = SwitchBox();
    const BoxTopics topics = TopicsFor("torvik", state.serial);
    const std::vector<ConfigMessage> configs = DiscoveryConfigs(state, topics);
    std::set<std::string> ids;
    std::set<std::string> components;
    for (const ConfigMessage& config : configs) {
        SCOPED_TRACE(config.topic);
        const json parsed = json::parse(config.payload);
        const std::string component = config.topic.substr(14, config.topic.find('/', 14) - 14);
        components.insert(component);
        EXPECT_EQ(config.topic.rfind("homeassistant/" + component + "/torvik_A1MIRVAX8/", 0), 0u);
        EXPECT_TRUE(ids.insert(parsed["unique_id"].get<std::string>()).second);
        EXPECT_EQ(parsed["device"]["identifiers"], json::array({"torvik_A1MIRVAX8"}));
        EXPECT_EQ(parsed["availability_topic"], topics.availability);
        EXPECT_EQ(parsed["state_topic"], topics.state);
        EXPECT_TRUE(parsed.contains("name"));
        if (component != "binary_sensor") {
            EXPECT_EQ(parsed["command_topic"], topics.set);
        }
        if (component == "select") {
            EXPECT_TRUE(parsed["options"].is_array());
        }
    }
    EXPECT_EQ(components, (std::set<std::string>{"select", "switch", "binary_sensor"}));
    ASSERT_EQ(configs.size(), 4u);   // antenna select, mode select, lock switch, presence
    EXPECT_EQ(json::parse(configs[0].payload)["options"],
              json::array({"Mini-Whip", "Beverage NE", "Antenna 3"}));
}

TEST(Discovery, MixerModeSwapsTheSelectForSwitchesAndTheSelectIsRemoved) {
    BoxState state = SwitchBox();
    const BoxTopics topics = TopicsFor("torvik", state.serial);
    const std::vector<ConfigMessage> inSwitchMode = DiscoveryConfigs(state, topics);
    state.mixer = true;
    state.antennaCount = 2;
    const std::vector<ConfigMessage> inMixerMode = DiscoveryConfigs(state, topics);
    ASSERT_EQ(inMixerMode.size(), 5u);   // two antenna switches, then the three
    EXPECT_EQ(inMixerMode[1].topic, "homeassistant/switch/torvik_A1MIRVAX8/antenna_2/config");
    EXPECT_EQ(json::parse(inMixerMode[1].payload)["payload_off"], "{\"antenna\":2,\"on\":false}");

    const std::vector<ConfigMessage> update = DiscoveryUpdate(inSwitchMode, inMixerMode);
    ASSERT_EQ(update.size(), inMixerMode.size() + 1);
    EXPECT_EQ(update.back(), (ConfigMessage{inSwitchMode[0].topic, ""}));
    // Nothing announced twice is removed; a removal is not removed again.
    EXPECT_EQ(DiscoveryUpdate(inMixerMode, inMixerMode), inMixerMode);
    EXPECT_EQ(DiscoveryUpdate({{"gone", ""}}, inMixerMode), inMixerMode);
}

TEST(Topics, ASerialCannotBreakOutOfItsLevel) {
    EXPECT_EQ(TopicsFor("home/torvik", "A1/#+ x").state, "home/torvik/A1____x/state");
    EXPECT_EQ(SerialWord(""), "box");
}

TEST(Backoff, PausesDoubleUpToAMinuteAndStartAgainAfterAConnection) {
    Backoff backoff;
    std::vector<std::uint32_t> pauses;
    for (int i = 0; i < 9; ++i) pauses.push_back(backoff.NextPauseMs());
    EXPECT_EQ(pauses, (std::vector<std::uint32_t>{1000, 2000, 4000, 8000, 16000, 32000, 60000,
                                                  60000, 60000}));
    backoff.Reset();
    EXPECT_EQ(backoff.NextPauseMs(), 1000u);
}

TEST(Settings, StoredAndLoadedBackAndTheListingNeverShowsThePassword) {
    testing::MemorySettings store;
    EXPECT_FALSE(WantsConnection(LoadSettings(store)));   // nothing stored: no broker
    Settings settings;
    settings.host = "broker.lan";
    settings.port = 8883;
    settings.user = "station";
    settings.password = "Sw0rdf1sh!";
    settings.tls = true;
    settings.caFile = "/etc/ssl/ca.pem";
    settings.prefix = "shack/torvik";
    ASSERT_EQ(SettingsProblem(settings), "");
    ASSERT_TRUE(StoreSettings(store, settings));
    EXPECT_EQ(LoadSettings(store), settings);
    EXPECT_TRUE(WantsConnection(settings));
    const std::string listing = SettingsListing(settings);
    EXPECT_EQ(listing.find("Sw0rdf1sh"), std::string::npos);
    EXPECT_NE(listing.find("password: set\n"), std::string::npos);
    EXPECT_NE(listing.find("prefix: shack/torvik\n"), std::string::npos);

    // Values edited by hand that break their rules read as their defaults.
    store.texts[{"MQTT", "PORT"}] = "99999";
    store.texts[{"MQTT", "PREFIX"}] = "torvik/#";
    store.texts[{"MQTT", "HOST"}] = "bad host";
    const Settings damaged = LoadSettings(store);
    EXPECT_EQ(damaged.port, kDefaultPort);
    EXPECT_EQ(damaged.prefix, kDefaultPrefix);
    EXPECT_FALSE(WantsConnection(damaged));
}

TEST(Settings, ValuesThatCannotBeTakenAreRefused) {
    Settings settings;
    settings.host = "broker.lan";
    ASSERT_EQ(SettingsProblem(settings), "");
    for (const char* prefix : {"", "/torvik", "torvik/", "a//b", "torvik/+", "#", "$SYS", "my prefix"}) {
        settings.prefix = prefix;
        EXPECT_NE(SettingsProblem(settings), "") << prefix;
    }
    settings.prefix = kDefaultPrefix;
    settings.host = "broker lan";
    EXPECT_NE(SettingsProblem(settings), "");
    settings.host = "broker.lan";
    settings.password = " padded";
    EXPECT_NE(SettingsProblem(settings), "");
    settings.password = "line\nbreak";
    EXPECT_NE(SettingsProblem(settings), "");
    settings.password = std::string(kMaxTextBytes + 1, 'x');
    EXPECT_NE(SettingsProblem(settings), "");

    EXPECT_EQ(ParsePort("1883"), std::optional<std::uint16_t>(1883));
    for (const char* port : {"", "0", "65536", "+1883", "18 83", "1883x", "0x10"}) {
        EXPECT_FALSE(ParsePort(port).has_value()) << port;
    }

    Settings stored;
    stored.password = "kept";
    EXPECT_EQ(DialogPassword("", stored, "station"), "kept");
    EXPECT_EQ(DialogPassword("new", stored, "station"), "new");
    EXPECT_EQ(DialogPassword("", stored, ""), "");
}

TEST(LinkStatus, ConnackCodesAndTheTextsWithTheIgnoredCount) {
    EXPECT_EQ(StatusText(StateOfConnack(0), 0), "MQTT: connected");
    EXPECT_EQ(StatusText(StateOfConnack(4), 0), "MQTT: not authorised");
    EXPECT_EQ(StatusText(StateOfConnack(5), 0), "MQTT: not authorised");
    EXPECT_EQ(StatusText(StateOfConnack(3), 0), "MQTT: broker unreachable");
    EXPECT_EQ(StatusText(LinkState::kConnected, 3), "MQTT: connected, 3 ignored");
    EXPECT_EQ(StatusText(LinkState::kConnecting, 3), "");
}

}  // namespace
}  // namespace torvik::mqtt
