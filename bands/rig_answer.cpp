#include "bands/rig_answer.h"

#include <algorithm>
#include <charconv>

#include "bands/band_rules.h"

namespace torvik::bands {
namespace {

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool AllOf(std::string_view text, bool (*accept)(char)) {
    return std::all_of(text.begin(), text.end(), accept);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsZero(char c) { return c == '0'; }

RigAnswer ParseReport(std::string_view rest) {
    RigAnswer answer{RigAnswer::Kind::kError};
    int code = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), code);
    if (error == std::errc{} && end == rest.data() + rest.size() && code < 0) {
        answer.code = code;
    }
    return answer;
}

}  // namespace

RigAnswer ParseAnswerLine(std::string_view line) {
    line = TrimEnd(line);
    constexpr std::string_view kReport = "RPRT ";
    if (line.starts_with(kReport)) return ParseReport(line.substr(kReport.size()));

    std::string_view whole = line;
    if (const std::size_t point = line.find('.'); point != std::string_view::npos) {
        if (!AllOf(line.substr(point + 1), IsZero)) return {};
        whole = line.substr(0, point);
    }
    if (whole.empty() || !AllOf(whole, IsDigit)) return {};
    const Checked<std::uint64_t> hz = ParseFrequency(whole);
    if (!hz) return {};
    return {RigAnswer::Kind::kFrequency, *hz.value, 0};
}

RigAnswer ParseTransmitLine(std::string_view line) {
    line = TrimEnd(line);
    constexpr std::string_view kReport = "RPRT ";
    if (line.starts_with(kReport)) return ParseReport(line.substr(kReport.size()));
    if (line.size() != 1 || line[0] < '0' || line[0] > '3') return {};
    RigAnswer answer{RigAnswer::Kind::kTransmitState};
    answer.keyed = line[0] != '0';
    return answer;
}

void RigAnswerReader::Feed(std::string_view bytes, std::vector<RigAnswer>& answers) {
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, newline);
        if (!overlong_) {
            if (line_.size() + piece.size() > kMaxLine + 1) {  // +1: a CR before the LF
                overlong_ = true;
                line_.clear();
            } else {
                line_.append(piece);
            }
        }
        if (newline == std::string_view::npos) return;
        std::string_view content = line_;
        if (content.ends_with('\r')) content.remove_suffix(1);
        answers.push_back(overlong_ || content.size() > kMaxLine ? RigAnswer{}
                                  : transmit_ ? ParseTransmitLine(content)
                                              : ParseAnswerLine(content));
        line_.clear();
        overlong_ = false;
        bytes.remove_prefix(newline + 1);
    }
}

void RigAnswerReader::Reset() {
    line_.clear();
    overlong_ = false;
}

}  // namespace torvik::bands
