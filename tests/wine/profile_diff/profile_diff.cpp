// profile_diff: compares the core's profile engine with the Windows profile functions.
//   profile_diff generate DIR SEED COUNT
//       writes COUNT hand-edited files gN/fNNNN.ini, a copy of each changed by one write of
//       the core (fNNNN.ours.ini), and DIR/requests.txt for profile_reader.exe, which reads
//       all three states of each file and makes the platform's own write (fNNNN.wine.ini).
//   profile_diff compare DIR
//       makes the same reads through the core and compares them with DIR/answers.txt.
// A file passes when, in each of its three states, the core reads what the platform reads,
// and the platform reads the core's write as it reads its own write of the same value into an
// empty file, with every other read as it was (or as the platform's write leaves it).
// A mismatch prints the file and the read. Ends with "N passed, M failed", counting files.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/profile_file.h"
#include "tests/wine/profile_diff/hand_edited.h"
#include "tests/wine/profile_diff/hex_fields.h"

namespace {

using namespace torvik::profilediff;
namespace profile = torvik::profile;

constexpr std::int32_t kIntDefault = -7777;  // as profile_reader.exe asks
constexpr int kFilesShown = 8;               // mismatching files printed in full

// The states of a file that every read is tried on, and a fresh file holding only the
// platform's write (where the written key reads as the platform reads the written value).
enum State { kOriginal, kOurs, kPlatforms, kStates, kClean = kStates };
const char* const kStateNames[] = {"as edited", "after our write", "after the platform's write",
                                   "written by the platform into an empty file"};
const char* const kSuffixes[] = {".ini", ".ours.ini", ".wine.ini", ".clean.ini"};
constexpr const char* kEmptyFile = "empty.ini";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::string Escaped(std::string_view bytes, std::size_t limit) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == limit / 2 && bytes.size() > limit) {
            out += "...(" + std::to_string(bytes.size() - limit) + " more)...";
            i = bytes.size() - limit / 2;
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c > 0x7E) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

// --------------------------------------------------------------------------------- generate

// A hundred files to a folder: Wine's file lookups slow down in large folders.
constexpr unsigned kFilesPerFolder = 100;

std::string FolderName(unsigned index) {
    return "g" + std::to_string(index / kFilesPerFolder);
}

std::string FileName(unsigned index, State state) {
    char name[32];
    std::snprintf(name, sizeof name, "%s/f%04u", FolderName(index).c_str(), index);
    return name + std::string(kSuffixes[state]);
}

int Generate(const std::string& dir, std::uint32_t seed, unsigned count) {
    HandEditedFiles files(seed);
    std::string requests;
    std::string list;
    auto addReads = [&](const HandEditedFile& file, const std::string& name) {
        for (const Read& read : file.reads) {
            requests += "R\t" + name + "\t" + Hex(read.section) + "\t" + Hex(read.key) + "\t" +
                        std::to_string(read.structSize) + "\n";
        }
    };
    for (unsigned i = 0; i < count; ++i) {
        const HandEditedFile file = files.Next();
        if (i % kFilesPerFolder == 0) {
            std::filesystem::create_directories(dir + "/" + FolderName(i));
        }
        const std::string original = FileName(i, kOriginal);
        const std::string ours = FileName(i, kOurs);
        if (!WriteFile(dir + "/" + original, file.text) ||
            !WriteFile(dir + "/" + ours, file.text)) {
            std::fprintf(stderr, "profile_diff: cannot write into %s\n", dir.c_str());
            return 1;
        }
        const bool written = profile::WriteString(dir + "/" + ours, file.write.section,
                                                  file.write.key, file.write.value);
        list += original + "\t" + (written ? "1" : "0") + "\n";
        addReads(file, original);
        addReads(file, ours);
        requests += "W\t" + original + "\t" + FileName(i, kPlatforms) + "\t" +
                    Hex(file.write.section) + "\t" + Hex(file.write.key) + "\t" +
                    Hex(file.write.value) + "\n";
        addReads(file, FileName(i, kPlatforms));
        const Read& writtenKey = file.reads.back();  // read last
        requests += std::string("W\t") + kEmptyFile + "\t" + FileName(i, kClean) + "\t" +
                    Hex(file.write.section) + "\t" + Hex(file.write.key) + "\t" +
                    Hex(file.write.value) + "\n";
        requests += "R\t" + FileName(i, kClean) + "\t" + Hex(writtenKey.section) + "\t" +
                    Hex(writtenKey.key) + "\t" + std::to_string(writtenKey.structSize) + "\n";
    }
    if (!WriteFile(dir + "/" + kEmptyFile, "")) return 1;
    if (!WriteFile(dir + "/requests.txt", requests) || !WriteFile(dir + "/files.txt", list)) {
        return 1;
    }
    std::printf("profile_diff: %u files from seed %u\n", count, seed);
    return 0;
}

// ---------------------------------------------------------------------------------- compare

struct Answer {
    std::string text;    // string read: hex, or "-" for the default
    std::string number;  // integer read
    std::string block;   // struct read: hex bytes, or "-"
};

Answer ParseAnswer(const std::string& line) {
    const std::vector<std::string> f = Fields(line);
    if (f.size() != 3) return {"?", "?", "?"};
    return {f[0], f[1], f[2]};
}

Answer CoreAnswer(const std::string& path, const std::string& section, const std::string& key,
                  unsigned size) {
    Answer answer;
    const auto text = profile::ReadString(path, section, key);
    answer.text = text ? Hex(*text) : "-";
    answer.number = std::to_string(profile::ReadInt(path, section, key, kIntDefault));
    std::string block(size, '\0');
    answer.block = profile::ReadStruct(path, section, key, block.data(), size) ? Hex(block) : "-";
    return answer;
}

struct ReadResult {
    std::string section;
    std::string key;
    unsigned size = 0;
    Answer platform[kStates];
    Answer core[kStates];
};

struct FileResult {
    std::vector<ReadResult> reads;
    bool ourWriteDone = false;
    int platformWritesFailed = 0;
    std::string writeSection, writeKey;
    ReadResult clean;  // the written key in the fresh file
};

// The platform takes any character for a hex digit in a struct value, where the core refuses
// the value: the one difference kept on purpose. It shows as a platform success where the
// characters the read took (the first 2*size+2 of the value, quotes dropped) hold a non-digit.
bool IsPlatformGarbageStruct(const Answer& platform, const Answer& core, unsigned size) {
    if (platform.block == "-" || core.block != "-" || platform.text == "-") return false;
    const std::string taken = Unhex(platform.text).substr(0, 2 * std::size_t{size} + 2);
    return taken.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos;
}

bool SameAnswer(const Answer& a, const Answer& b) {
    return a.text == b.text && a.number == b.number && a.block == b.block;
}

std::string Shown(const Answer& answer) {
    const std::string text =
        answer.text == "-" ? "(default)" : "\"" + Escaped(Unhex(answer.text), 80) + "\"";
    const std::string block = answer.block == "-" ? "(failed)" : Escaped(answer.block, 40);
    return "string " + text + ", int " + answer.number + ", struct " + block;
}

// Whether two names the generator spelled differently are one: it changes only the case of
// letters and puts spaces or tabs around names.
bool SameName(std::string_view a, std::string_view b) {
    const auto trimmed = [](std::string_view s) {
        const std::size_t first = s.find_first_not_of(" \t");
        if (first == std::string_view::npos) return std::string_view();
        return s.substr(first, s.find_last_not_of(" \t") - first + 1);
    };
    a = trimmed(a);
    b = trimmed(b);
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

std::string Described(const ReadResult& read) {
    return "[" + Escaped(read.section, 40) + "] " + Escaped(read.key, 40) + " (struct of " +
           std::to_string(read.size) + ")";
}

struct Counts {
    std::size_t reads = 0;
    std::size_t deviations = 0;  // struct reads where only the platform takes non-digits
};

// The requests and answers of the run, by the name of the file as edited, in their order.
// Nothing when the answers do not match the requests.
std::optional<std::vector<std::pair<std::string, FileResult>>> Load(const std::string& dir) {
    const std::vector<std::string> requests = Lines(ReadFile(dir + "/requests.txt"));
    const std::vector<std::string> answers = Lines(ReadFile(dir + "/answers.txt"));
    if (requests.empty() || requests.size() != answers.size()) {
        std::printf("profile_diff: %zu requests but %zu answers\n", requests.size(),
                    answers.size());
        return std::nullopt;
    }
    std::map<std::string, FileResult> files;
    std::vector<std::string> order;
    for (const std::string& line : Lines(ReadFile(dir + "/files.txt"))) {
        const std::vector<std::string> f = Fields(line);
        files[f[0]].ourWriteDone = f.size() > 1 && f[1] == "1";
        order.push_back(f[0]);
    }
    std::map<std::string, std::size_t> readIndex;  // per file and state: the next read
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const std::vector<std::string> f = Fields(requests[i]);
        const std::string& target = f[0] == "W" ? f[2] : f[1];
        const std::string stem = target.substr(0, target.find('.'));
        FileResult& file = files[stem + kSuffixes[kOriginal]];
        int state = kOriginal;
        for (int s = 0; s <= kClean; ++s) {
            if (target == stem + kSuffixes[s]) state = s;
        }
        if (f[0] == "W") {
            file.writeSection = Unhex(f[3]);
            file.writeKey = Unhex(f[4]);
            file.platformWritesFailed += answers[i] != "1";
            continue;
        }
        ReadResult* slot = &file.clean;
        if (state != kClean) {
            const std::size_t n = readIndex[f[1]]++;
            if (file.reads.size() <= n) file.reads.resize(n + 1);
            slot = &file.reads[n];
        }
        ReadResult& read = *slot;
        if (state == kClean) state = kOriginal;  // its one state
        read.section = Unhex(f[2]);
        read.key = Unhex(f[3]);
        read.size = static_cast<unsigned>(std::stoul(f[4]));
        read.platform[state] = ParseAnswer(answers[i]);
        read.core[state] = CoreAnswer(dir + "/" + f[1], read.section, read.key, read.size);
    }
    std::vector<std::pair<std::string, FileResult>> ordered;
    for (const std::string& name : order) ordered.emplace_back(name, std::move(files[name]));
    return ordered;
}

// Every read in the given states: the core reads what the platform reads.
void CompareReads(const ReadResult& read, int first, int end, Counts& counts,
                  std::vector<std::string>& problems) {
    for (int s = first; s < end; ++s) {
        ++counts.reads;
        const Answer& platform = read.platform[s];
        const Answer& core = read.core[s];
        if (SameAnswer(platform, core)) continue;
        if (platform.text == core.text && platform.number == core.number &&
            IsPlatformGarbageStruct(platform, core, read.size)) {
            ++counts.deviations;
            continue;
        }
        problems.push_back(Described(read) + " " + kStateNames[s] + ":\n      platform: " +
                           Shown(platform) + "\n      core:     " + Shown(core));
    }
}

// Our write as the platform reads it: the written key as in a file holding nothing else; any
// other key as before, or as after the platform's own write.
void CheckOurWrite(const FileResult& file, std::vector<std::string>& problems) {
    for (const ReadResult& read : file.reads) {
        const Answer& before = read.platform[kOriginal];
        const Answer& ours = read.platform[kOurs];
        const Answer& theirs = read.platform[kPlatforms];
        const bool written =
            SameName(read.section, file.writeSection) && SameName(read.key, file.writeKey);
        Answer expected = written ? file.clean.platform[kOriginal] : before;
        if (written && read.size != file.clean.size) expected.block = ours.block;  // not tried
        if (SameAnswer(ours, expected) || (!written && SameAnswer(ours, theirs))) continue;
        problems.push_back(Described(read) + ": the platform reads our write differently:\n" +
                           "      ours:     " + Shown(ours) + "\n      expected: " +
                           Shown(expected) + "\n      its own:  " + Shown(theirs));
    }
}

void PrintMismatch(const std::string& dir, const std::string& name, const FileResult& file,
                   const std::vector<std::string>& problems) {
    std::printf("MISMATCH in %s/%s (write [%s] %s):\n", dir.c_str(), name.c_str(),
                Escaped(file.writeSection, 40).c_str(), Escaped(file.writeKey, 40).c_str());
    for (const std::string& problem : problems) std::printf("  %s\n", problem.c_str());
    std::printf("  the file as edited (long lines shortened):\n");
    const std::string text = ReadFile(dir + "/" + name);
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        std::printf("    %s\n", Escaped(text.substr(pos, end - pos), 160).c_str());
        pos = end;
    }
}

int Compare(const std::string& dir) {
    const auto files = Load(dir);
    if (!files) {
        std::printf("0 passed, 1 failed\n");
        return 1;
    }
    int passed = 0, failed = 0;
    Counts counts;
    for (const auto& [name, file] : *files) {
        std::vector<std::string> problems;
        if (!file.ourWriteDone) problems.push_back("our write was refused");
        if (file.platformWritesFailed > 0) problems.push_back("a write of the platform failed");
        for (const ReadResult& read : file.reads) {
            CompareReads(read, kOriginal, kStates, counts, problems);
        }
        CompareReads(file.clean, kOriginal, kOriginal + 1, counts, problems);
        CheckOurWrite(file, problems);
        if (problems.empty()) {
            ++passed;
        } else if (failed++ < kFilesShown) {
            PrintMismatch(dir, name, file, problems);
        }
    }
    std::printf("profile_diff: %zu reads compared; %zu struct reads where only the platform "
                "takes non-digits\n",
                counts.reads, counts.deviations);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 5) {
        return Generate(argv[2], static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)),
                        static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
    }
    if (command == "compare" && argc == 3) return Compare(argv[2]);
    std::fprintf(stderr, "usage: profile_diff generate DIR SEED COUNT | compare DIR\n");
    return 2;
}
