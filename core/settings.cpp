#include "core/settings.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/field_text.h"
#include "core/file_io.h"
#include "core/profile_encoding.h"
#include "core/profile_file.h"

namespace torvik {
namespace {

bool EndsInSeparator(std::string_view folder) {
    return !folder.empty() && (folder.back() == fileio::PathSeparator() || folder.back() == '/');
}

}  // namespace

std::string ProgramFilePath(std::string_view programFolder, std::string_view fileName) {
    std::string path;
    path.reserve(programFolder.size() + 1 + fileName.size());
    path.append(programFolder);
    // A drive's root folder ("C:\", "/") already ends in its separator; an unknown (empty)
    // folder leaves the name relative to the working folder rather than at the root.
    if (!programFolder.empty() && !EndsInSeparator(programFolder)) path.push_back(fileio::PathSeparator());
    path.append(fileName);
    return path;
}

std::string SectionName(const char* serialField, std::size_t fieldSize) {
    std::string section(FieldText(serialField, fieldSize));
    section.append("_KEYSET");
    return section;
}

IniSettings::IniSettings(std::string folder) : folder_(std::move(folder)) {}

std::string IniSettings::Path() const {
    return ProgramFilePath(folder_, kSettingsFileName);
}

void IniSettings::MakeFolder() const {
    if (!folder_.empty()) fileio::MakeFolders(folder_);
}

std::int32_t IniSettings::ReadIniInt(const std::string& section, const char* key,
                                     std::int32_t defaultValue) {
    return profile::ReadInt(Path(), section, key, defaultValue);
}

void IniSettings::WriteIniInt(const std::string& section, const char* key, std::int32_t value) {
    // A failed write leaves the old file; the value in memory stays as set.
    MakeFolder();
    profile::WriteString(Path(), section, key, std::to_string(value));
}

void IniSettings::WriteIniInts(const std::string& section, std::span<const IniInt> entries) {
    // One read and one replacement of the file for all of them. The pairs view the texts,
    // so the texts are complete before the first pair is made.
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const IniInt& entry : entries) texts.push_back(std::to_string(entry.value));
    std::vector<profile::KeyValue> pairs;
    pairs.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) pairs.push_back({entries[i].key, texts[i]});
    MakeFolder();
    profile::WriteStrings(Path(), section, pairs);
}

bool IniSettings::ReadConfig(const std::string& section, ConfigBlock& block) {
    return profile::ReadStruct(Path(), section, kKeyConfig, block.data(), sizeof block);
}

bool IniSettings::HasConfig(const std::string& section) {
    return profile::ReadString(Path(), section, kKeyConfig).has_value();
}

void IniSettings::WriteConfig(const std::string& section, const ConfigBlock& block) {
    MakeFolder();
    profile::WriteStruct(Path(), section, kKeyConfig, block.data(), sizeof block);
}

std::optional<std::string> IniSettings::ReadString(const std::string& section,
                                                   std::string_view key) {
    return profile::ReadString(Path(), section, key);
}

bool IniSettings::WriteStrings(const std::string& section,
                               std::span<const profile::KeyValue> entries) {
    MakeFolder();
    return profile::WriteStrings(Path(), section, entries);
}

bool IniSettings::HoldsUnicode() {
    // A file not there yet is made as plain bytes.
    const std::optional<std::string> bytes = fileio::ReadWholeFile(Path());
    return bytes && profile::DecodeFile(*bytes).encoding != profile::FileEncoding::kBytes;
}

}  // namespace torvik
