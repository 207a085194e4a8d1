#pragma once
// A seeded generator of INI files as people edit them by hand, with the reads to try on each
// and one write: odd section headers, spaces and case, duplicate sections and keys, keys
// without '=', comments, quotes, CR-only and LF-only lines, a last line without line end,
// long lines, numbers of every shape and struct values in hex.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace torvik::profilediff {

struct Read {
    std::string section;
    std::string key;
    unsigned structSize = 0;  // the size of the struct read tried on the key
};

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

struct HandEditedFile {
    std::string text;
    std::vector<Read> reads;
    Write write;
};

class HandEditedFiles {
public:
    explicit HandEditedFiles(std::uint32_t seed) : random_(seed) {}
    HandEditedFile Next();

private:
    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>(random_() % bound);
    }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }

    std::string Spaces();
    std::string Respell(const std::string& name);
    std::string Number();
    std::string StructText(unsigned size);
    std::string Value();
    std::string Header(const std::string& name);
    std::string KeyLine(const std::string& key);
    std::string OddLine();

    std::mt19937 random_;
};

}  // namespace torvik::profilediff
