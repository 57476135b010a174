#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/AppSettings.h"
#include "base/IniFile.h"

namespace velunor {

// config.ini: one section, "Option", with the keys below. Nothing but the settings dialog writes
// it; ending the program writes nothing.
namespace config {
inline constexpr std::string_view kSection = "Option";
inline constexpr std::string_view kFirstRun = "BFirst";
inline constexpr std::string_view kStartAtLogon = "BStart";
inline constexpr std::string_view kInterval = "SetTime";
inline constexpr std::string_view kBreakLength = "RunTime";
inline constexpr std::string_view kUnused = "BKTime";
// A pause of the reminders: the local time it ends, "YYYY-MM-DD HH:MM"; absent when none runs.
inline constexpr std::string_view kPauseUntil = "PauseUntil";
// The fixed text fields the values were always read into: the yes/no keys and BKTime in 16 bytes,
// the two numbers in 32, each with its terminating zero.
inline constexpr std::size_t kFlagFieldSize = 16;
inline constexpr std::size_t kNumberFieldSize = 32;
}  // namespace config

// The value of key in section, or defaultText when the file, section or key is absent; cut to
// fieldSize - 1 bytes, as the fixed text fields of the settings always were.
std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultText, std::size_t fieldSize,
                        const std::string& configPath);

// Reads all five keys into the texts of settings (the derived values are left to the caller).
void ReadSettings(AppSettings& settings, const std::string& configPath);

// Writes one key of section "Option"; false when the file could not be written.
bool WriteSetting(std::string_view key, std::string_view value, const std::string& configPath);

// Writes keys of section "Option" in one replace of the file: all of them, or none (false).
bool WriteSettings(std::initializer_list<IniFile::KeyValue> entries, const std::string& configPath);

}  // namespace velunor
