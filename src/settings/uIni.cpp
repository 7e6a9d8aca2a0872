// The settings store: the program's INI file, read and written value by value through the profile
// functions.
#include "settings/uIni.h"

#include <windows.h>

#include <stdexcept>

#include "core/IniValues.h"
#include "core/Utf8.h"
#include "settings/SettingsFile.h"
#include "settings/UnicodeIniFile.h"
#include "win/Application.h"
#include "win/MessageDialog.h"
#include "win/WideText.h"

namespace vps {

namespace {

void warnInvalidSetting(const std::string& section, const std::string& key, const std::string& value) {
    win::showMessageDialog(GetActiveWindow(),
                           {.text = "Invalid setting in " + SettingsFileName() + "\r\nSection:  " +
                                    section + "\r\nKeyName:  " + key + "\r\nValue:  " + value +
                                    "\r\nThis setting will be ignored.",
                            .caption = "Warning",
                            .kind = win::DialogKind::Warning,
                            .buttons = {{"&Ignore", IDIGNORE}},
                            .defaultResult = IDIGNORE,
                            .cancelResult = IDIGNORE});
}

std::string propertyAsText(const win::PropertyAccess& access) {
    switch (access.kind) {
        case win::PropertyKind::Integer:
        case win::PropertyKind::Enumeration:
            return std::to_string(access.getOrdinal());
        case win::PropertyKind::String:
            return access.getText();
    }
    return {};
}

}  // namespace

const std::string& SettingsFileName() {
    static const std::string name = ini::settingsFileNameFor(win::Application::exePath());
    return name;
}

std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) {
    const std::wstring wideSection = win::wide(section);
    const std::wstring wideKey = win::wide(key);
    const std::wstring wideDefault = win::wide(defaultValue);
    const std::wstring path = win::wide(SettingsLocationOfThisRun().path);
    // The system answers with the size of the buffer less one when the value did not fit.
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(),
                                                      wideDefault.c_str(), buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const std::string value = win::narrow(buffer);
    // Cut on a whole character, as many characters as earlier versions read back.
    std::size_t end = 0;
    for (std::size_t count = 0; count < ini::kMaxValueLength && end < value.size(); ++count) {
        utf8::next(value, end);
    }
    return value.substr(0, end);
}

std::string ReadString(const std::string& section, const std::string& key) {
    return ReadString(section, key, "");
}

int ReadInteger(const std::string& section, const std::string& key, int defaultValue) {
    return ini::parseInteger(ReadString(section, key)).value_or(defaultValue);
}

int ReadIntegerWithin(const std::string& section, const std::string& key, int low, int high,
                      int defaultValue) {
    const std::string text = ReadString(section, key, std::string(ini::kUndefined));
    if (text == ini::kUndefined) return defaultValue;
    if (const auto value = ini::parseIntegerWithin(text, low, high)) return *value;
    warnInvalidSetting(section, key, text);
    return defaultValue;
}

bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const ini::SettingsLocation& location = SettingsLocationOfThisRun();
    const std::wstring path = win::wide(location.path);
    const std::wstring wideSection = win::wide(section);
    const std::wstring wideKey = win::wide(key);
    const std::wstring wideValue = win::wide(value);
    const auto write = [&] {
        return ini::prepareUnicodeFile(path) &&
               WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideValue.c_str(),
                                          path.c_str());
    };
    // A per-user folder is made by the first write that needs it, not at start: a user who never
    // changes a setting leaves nothing behind.
    if (!write() && !(CreateDirectoryW(win::wide(location.folder).c_str(), nullptr) && write())) {
        throw std::runtime_error("Unable to write to " + SettingsFileName());
    }
}

void SaveProperty(win::Component& component, const std::string& property, const std::string& section,
                  const std::string& key) {
    const auto access = component.property(property);
    if (!access) return;
    WriteString(section.empty() ? component.componentName() : section, key.empty() ? property : key,
                propertyAsText(*access));
}

void LoadProperty(win::Component& component, const std::string& property, const std::string& section,
                  const std::string& key) {
    const auto access = component.property(property);
    if (!access) return;
    const std::string& sectionName = section.empty() ? component.componentName() : section;
    const std::string& keyName = key.empty() ? property : key;
    const std::string text = ReadString(sectionName, keyName, std::string(ini::kUndefined));
    if (text == ini::kUndefined) return;

    // A value that cannot be taken, including one whose change handler fails, is reported and
    // ignored: the caller goes on with its next property.
    try {
        if (access->kind == win::PropertyKind::String) {
            access->setText(text);
            return;
        }
        if (const auto value = ini::parseInteger(text)) {
            access->setOrdinal(*value);
            return;
        }
    } catch (const std::exception&) {
    }
    warnInvalidSetting(sectionName, keyName, text);
}

void SaveProperty(win::Component& component, const settings::Setting& setting,
                  const std::string& property) {
    const std::string key(setting.key);
    SaveProperty(component, property.empty() ? key : property, std::string(setting.section), key);
}

void LoadProperty(win::Component& component, const settings::Setting& setting,
                  const std::string& property) {
    const std::string key(setting.key);
    LoadProperty(component, property.empty() ? key : property, std::string(setting.section), key);
}

void LoadProperties(std::span<const StoredProperty> properties) {
    for (const auto& stored : properties) LoadProperty(stored.component, stored.setting, stored.property);
}

void SaveProperties(std::span<const StoredProperty> properties) {
    for (const auto& stored : properties) SaveProperty(stored.component, stored.setting, stored.property);
}

std::string ReadString(const settings::Setting& setting) {
    return ReadString(std::string(setting.section), std::string(setting.key),
                      std::string(setting.designValue));
}

int ReadInteger(const settings::Setting& setting) {
    return ReadInteger(std::string(setting.section), std::string(setting.key),
                       ini::parseInteger(setting.designValue).value_or(0));
}

bool ReadBool(const settings::Setting& setting) { return ReadInteger(setting) != 0; }

void WriteString(const settings::Setting& setting, const std::string& value) {
    WriteString(std::string(setting.section), std::string(setting.key), value);
}

}  // namespace vps
