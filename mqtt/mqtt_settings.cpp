#include "mqtt/mqtt_settings.h"

#include <array>
#include <charconv>

namespace torvik::mqtt {
namespace {

constexpr const char* kKeyEnabled = "ENABLED";
constexpr const char* kKeyHost = "HOST";
constexpr const char* kKeyPort = "PORT";
constexpr const char* kKeyClientId = "CLIENT_ID";
constexpr const char* kKeyUser = "USER";
constexpr const char* kKeyPassword = "PASSWORD";
constexpr const char* kKeyTls = "TLS";
constexpr const char* kKeyCaFile = "CA_FILE";
constexpr const char* kKeyPrefix = "PREFIX";
constexpr std::size_t kMaxHostBytes = 253;
constexpr std::size_t kMaxPrefixBytes = 64;

bool Printable(char c) { return c >= ' ' && c < 0x7F; }

// A stored text, or fallback when it is missing or breaks its rule.
std::string Stored(SettingsStore& store, const char* key, std::string fallback,
                   std::string (*problem)(std::string_view)) {
    std::optional<std::string> text = store.ReadString(kSection, key);
    if (!text || !problem(*text).empty()) return fallback;
    return std::move(*text);
}

std::string AnyTextProblem(std::string_view text) { return TextProblem("text", text); }

std::string EmptyOrHostProblem(std::string_view text) {
    return text.empty() ? std::string() : HostProblem(text);
}

bool StoredFlag(SettingsStore& store, const char* key, bool fallback) {
    const std::optional<std::string> text = store.ReadString(kSection, key);
    if (text == "1") return true;
    if (text == "0") return false;
    return fallback;
}

}  // namespace

bool WantsConnection(const Settings& settings) {
    return settings.enabled && !settings.host.empty();
}

std::string HostProblem(std::string_view host) {
    if (host.empty()) return "no broker host";
    if (host.size() > kMaxHostBytes) return "the host name is too long";
    for (char c : host) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':' ||
                             c == '_';
        if (!allowed) return "the host is a name or an address: letters, digits, '.', '-', ':'";
    }
    return {};
}

std::string PrefixProblem(std::string_view prefix) {
    if (prefix.empty()) return "no topic prefix";
    if (prefix.size() > kMaxPrefixBytes) return "the topic prefix is longer than 64 characters";
    if (prefix.front() == '/' || prefix.back() == '/' || prefix.find("//") != std::string_view::npos) {
        return "the topic prefix has an empty level";
    }
    if (prefix.front() == '$') return "the topic prefix may not start with '$'";
    for (char c : prefix) {
        if (c == '+' || c == '#') return "the topic prefix may not hold '+' or '#'";
        if (!Printable(c) || c == ' ') return "the topic prefix holds a space or a character that is not plain ASCII";
    }
    return {};
}

std::string TextProblem(std::string_view what, std::string_view text) {
    if (text.size() > kMaxTextBytes) return std::string(what) + " is longer than 200 characters";
    for (char c : text) {
        if (!Printable(c)) return std::string(what) + " holds a character that is not plain ASCII";
    }
    // The settings file trims and unquotes what it reads.
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '"' ||
                          text.back() == '"' || text.front() == '\'' || text.back() == '\'')) {
        return std::string(what) + " may not start or end with a space or a quote";
    }
    return {};
}

std::string SettingsProblem(const Settings& settings) {
    if (!settings.host.empty()) {
        if (std::string problem = HostProblem(settings.host); !problem.empty()) return problem;
    }
    if (settings.port == 0) return "the port is 1 to 65535";
    if (std::string problem = PrefixProblem(settings.prefix); !problem.empty()) return problem;
    const std::array<std::pair<const char*, const std::string*>, 4> texts{{
        {"the client id", &settings.clientId},
        {"the user", &settings.user},
        {"the password", &settings.password},
        {"the CA file", &settings.caFile},
    }};
    for (const auto& [what, text] : texts) {
        if (std::string problem = TextProblem(what, *text); !problem.empty()) return problem;
    }
    return {};
}

std::string DialogPassword(std::string_view typed, const Settings& stored, std::string_view user) {
    if (user.empty()) return {};
    if (typed.empty()) return stored.password;
    return std::string(typed);
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.size() > 5 || error != std::errc() || stop != end || value == 0 ||
        value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

Settings LoadSettings(SettingsStore& store) {
    Settings settings;
    settings.enabled = StoredFlag(store, kKeyEnabled, true);
    settings.host = Stored(store, kKeyHost, "", &EmptyOrHostProblem);
    if (const auto port = store.ReadString(kSection, kKeyPort)) {
        settings.port = ParsePort(*port).value_or(kDefaultPort);
    }
    settings.clientId = Stored(store, kKeyClientId, "", &AnyTextProblem);
    settings.user = Stored(store, kKeyUser, "", &AnyTextProblem);
    settings.password = Stored(store, kKeyPassword, "", &AnyTextProblem);
    settings.tls = StoredFlag(store, kKeyTls, false);
    settings.caFile = Stored(store, kKeyCaFile, "", &AnyTextProblem);
    settings.prefix = Stored(store, kKeyPrefix, kDefaultPrefix, &PrefixProblem);
    return settings;
}

bool StoreSettings(SettingsStore& store, const Settings& settings) {
    const std::string port = std::to_string(settings.port);
    const profile::KeyValue entries[] = {
        {kKeyEnabled, settings.enabled ? "1" : "0"},
        {kKeyHost, settings.host},
        {kKeyPort, port},
        {kKeyClientId, settings.clientId},
        {kKeyUser, settings.user},
        {kKeyPassword, settings.password},
        {kKeyTls, settings.tls ? "1" : "0"},
        {kKeyCaFile, settings.caFile},
        {kKeyPrefix, settings.prefix},
    };
    return store.WriteStrings(kSection, entries);
}

std::string SettingsListing(const Settings& settings) {
    auto orNone = [](const std::string& text) { return text.empty() ? std::string("(none)") : text; };
    return std::string("mqtt: ") + (settings.enabled ? "on" : "off") + "\n" +
           "host: " + orNone(settings.host) + "\n" +
           "port: " + std::to_string(settings.port) + "\n" +
           "client id: " + orNone(settings.clientId) + "\n" +
           "user: " + orNone(settings.user) + "\n" +
           "password: " + (settings.password.empty() ? "not set" : "set") + "\n" +
           "tls: " + (settings.tls ? "on" : "off") + "\n" +
           "ca file: " + orNone(settings.caFile) + "\n" +
           "prefix: " + settings.prefix + "\n";
}

}  // namespace torvik::mqtt
