#include "base/ConfigFile.h"

#include "base/IniFile.h"

namespace velunor {

std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultText, std::size_t fieldSize,
                        const std::string& configPath) {
    std::string value = IniFile::Read(configPath, section, key).value_or(std::string(defaultText));
    if (fieldSize > 0 && value.size() > fieldSize - 1) {
        value.resize(fieldSize - 1);
    }
    return value;
}

void ReadSettings(AppSettings& settings, const std::string& configPath) {
    using namespace config;
    settings.bFirstText = ReadSetting(kSection, kFirstRun, "false", kFlagFieldSize, configPath);
    settings.bStartText = ReadSetting(kSection, kStartAtLogon, "true", kFlagFieldSize, configPath);
    settings.setTimeText = ReadSetting(kSection, kInterval, "10", kNumberFieldSize, configPath);
    settings.runTimeText = ReadSetting(kSection, kBreakLength, "1", kNumberFieldSize, configPath);
    settings.bkTimeText = ReadSetting(kSection, kUnused, "8", kFlagFieldSize, configPath);
}

bool WriteSetting(std::string_view key, std::string_view value, const std::string& configPath) {
    return IniFile::Write(configPath, config::kSection, key, value);
}

bool WriteSettings(std::initializer_list<IniFile::KeyValue> entries,
                   const std::string& configPath) {
    return IniFile::WriteAll(configPath, config::kSection,
                             std::span<const IniFile::KeyValue>(entries.begin(), entries.size()));
}

}  // namespace velunor
