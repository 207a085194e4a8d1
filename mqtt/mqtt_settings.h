#pragma once
// The MQTT settings: one section "MQTT" of Torvik.ini, read and written through SettingsStore's
// text methods. Nothing connects until a broker host is set (and the link is not switched
// off). The password is stored but never part of any listing, status or log text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace torvik::mqtt {

inline constexpr const char* kSection = "MQTT";
inline constexpr std::uint16_t kDefaultPort = 1883;
inline constexpr const char* kDefaultPrefix = "torvik";
// Longest host, client id, user, password, CA file and prefix texts taken.
inline constexpr std::size_t kMaxTextBytes = 200;

struct Settings {
    bool enabled = true;      // "torvikctl mqtt off" keeps the broker but does not connect
    std::string host;         // empty: no broker
    std::uint16_t port = kDefaultPort;
    std::string clientId;     // empty: the library picks one
    std::string user;
    std::string password;
    bool tls = false;
    std::string caFile;       // empty with TLS on: the system's certificate authorities
    std::string prefix = kDefaultPrefix;
    friend bool operator==(const Settings&, const Settings&) = default;
};

// Whether these settings ask for a connection at all.
bool WantsConnection(const Settings& settings);

// The stored settings; a stored value that breaks its rule (edited by hand) reads as its default.
Settings LoadSettings(SettingsStore& store);
// All keys in one replacement of the file; false when it could not be written. The settings
// must have passed SettingsProblem.
bool StoreSettings(SettingsStore& store, const Settings& settings);

// Why a value cannot be taken, or empty when it can.
std::string HostProblem(std::string_view host);
std::string PrefixProblem(std::string_view prefix);
// Client id, user, password, CA file: printable, one line, at most kMaxTextBytes.
std::string TextProblem(std::string_view what, std::string_view text);
// The first problem of the whole set, or empty.
std::string SettingsProblem(const Settings& settings);

// The password the dialog's field leaves: none without a user, the stored one when nothing was
// typed (the field never shows it), else what was typed.
std::string DialogPassword(std::string_view typed, const Settings& stored, std::string_view user);

// A port number 1 to 65535 in decimal.
std::optional<std::uint16_t> ParsePort(std::string_view text);

// The settings as torvikctl and the dialog tell them: one "key: value" line each; the password
// only as "set" or "not set".
std::string SettingsListing(const Settings& settings);

}  // namespace torvik::mqtt
