// profile_reader.exe: reads and writes INI files through the Windows profile functions, for
// the comparison with the core's engine (profile_diff).
//   profile_reader DIR
// DIR holds requests.txt; the answers go to DIR\answers.txt, one line per request line.
// Names and values are hex-encoded bytes so that any byte survives the trip ("" is empty).
//   R FILE SECTION KEY SIZE     -> STRING INT STRUCT
//       STRING: the string read in hex, or "-" when the default came back;
//       INT: the integer read with the default kIntDefault;
//       STRUCT: the bytes of a struct read of SIZE bytes in hex, or "-" when it failed.
//   W FROM TO SECTION KEY VALUE -> OK
//       copies FROM to TO, then stores VALUE under SECTION/KEY in TO; OK is 1 or 0.
// Fields are separated by tabs; FROM, TO and FILE are paths relative to DIR, with '/'.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tests/wine/profile_diff/hex_fields.h"

namespace {

using torvik::profilediff::Fields;
using torvik::profilediff::Hex;
using torvik::profilediff::Unhex;

// A default no generated file holds, so that "absent" can be told from every value.
constexpr char kStringDefault[] = "\x01";
constexpr INT kIntDefault = -7777;

std::string Read(const std::string& path, const std::string& section, const std::string& key,
                 unsigned size) {
    std::vector<char> buffer(1 << 17);
    const DWORD got =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), kStringDefault, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    std::string answer = std::string(buffer.data(), got) == kStringDefault
                             ? std::string("-")
                             : Hex(std::string_view(buffer.data(), got));
    const UINT number = GetPrivateProfileIntA(section.c_str(), key.c_str(), kIntDefault,
                                              path.c_str());
    answer.append("\t").append(std::to_string(static_cast<INT>(number))).append("\t");
    std::vector<char> block(size + 1);
    const bool read = GetPrivateProfileStructA(section.c_str(), key.c_str(), block.data(), size,
                                               path.c_str()) != FALSE;
    answer.append(read ? Hex(std::string_view(block.data(), size)) : std::string("-"));
    return answer;
}

std::string Write(const std::string& from, const std::string& to, const std::string& section,
                  const std::string& key, const std::string& value) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return "0";
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), to.c_str())
               ? "1"
               : "0";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: profile_reader DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "\\";
    FILE* in = std::fopen((dir + "requests.txt").c_str(), "rb");
    FILE* out = std::fopen((dir + "answers.txt").c_str(), "wb");
    if (in == nullptr || out == nullptr) {
        std::fprintf(stderr, "profile_reader: cannot open the files in %s\n", dir.c_str());
        return 1;
    }
    std::string line;
    unsigned done = 0;
    for (int c = std::fgetc(in);; c = std::fgetc(in)) {
        if (c != '\n' && c != EOF) {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (!line.empty()) {
            std::vector<std::string> f = Fields(line);
            for (std::size_t i = 1; i < f.size() && i < 3; ++i) {
                std::replace(f[i].begin(), f[i].end(), '/', '\\');  // file names
            }
            std::string answer = "?";
            if (f[0] == "R" && f.size() == 5) {
                answer = Read(dir + f[1], Unhex(f[2]), Unhex(f[3]),
                              static_cast<unsigned>(std::stoul(f[4])));
            } else if (f[0] == "W" && f.size() == 6) {
                answer = Write(dir + f[1], dir + f[2], Unhex(f[3]), Unhex(f[4]), Unhex(f[5]));
            }
            std::fprintf(out, "%s\n", answer.c_str());
            ++done;
        }
        line.clear();
        if (c == EOF) break;
    }
    std::fclose(in);
    if (std::fclose(out) != 0) return 1;
    std::printf("profile_reader: %u requests\n", done);
    return 0;
}
