// The settings store: the program's INI file, read and written value by value through the profile
// functions.
#pragma once

#include <span>
#include <string>

#include "core/SettingsKeys.h"
#include "win/Component.h"

// The settings store: one INI file named after the executable, kept in the Windows folder while
// this user can write there, else in the user's application-data folder (settings/SettingsFile). Nothing is cached; every call opens the file, reads or writes one
// value and closes it, so a value one dialog writes is exactly what the next reader sees.
namespace vps {

// The bare file name ("VantaroPrintScreen.INI"), as messages name it; its folder is decided
// once per run by SettingsLocationOfThisRun.
const std::string& SettingsFileName();

// Stores a component's property in the section named after the component, under the key named
// after the property, unless a section or key is given. An unknown property writes nothing.
// A failed write raises "Unable to write to <file>".
void SaveProperty(win::Component& component, const std::string& property,
                  const std::string& section = "", const std::string& key = "");

// Loads a stored property into the component. A missing key leaves the property as it is; a value
// that is not an integer where one is needed is reported once and ignored.
void LoadProperty(win::Component& component, const std::string& property,
                  const std::string& section = "", const std::string& key = "");

// A control's property kept under an entry of the settings table (core/SettingsKeys.h): the
// entry names the section and the key, whatever the control is called. `property` is the
// control's property that holds the value; empty means the property named like the key.
void SaveProperty(win::Component& component, const settings::Setting& setting,
                  const std::string& property = "");
void LoadProperty(win::Component& component, const settings::Setting& setting,
                  const std::string& property = "");

// One property a dialog keeps in the store, as SaveProperty and LoadProperty above take it.
struct StoredProperty {
    win::Component& component;
    const settings::Setting& setting;
    std::string property = "";
};

// Each property in turn, as LoadProperty and SaveProperty do it. The order is kept: a value
// loaded early can decide which values a later one may take.
void LoadProperties(std::span<const StoredProperty> properties);
void SaveProperties(std::span<const StoredProperty> properties);

std::string ReadString(const std::string& section, const std::string& key);
std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue);
int ReadInteger(const std::string& section, const std::string& key, int defaultValue);
// An integer that only makes sense within low..high. A missing key gives the default quietly;
// text that is no integer, or one outside the range, is reported once and gives the default.
int ReadIntegerWithin(const std::string& section, const std::string& key, int low, int high,
                      int defaultValue);
bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);

// Writes one value; raises "Unable to write to <file>" when the platform refuses.
void WriteString(const std::string& section, const std::string& key, const std::string& value);

// An entry of the settings table; a missing key reads as the entry's design value.
std::string ReadString(const settings::Setting& setting);
int ReadInteger(const settings::Setting& setting);
bool ReadBool(const settings::Setting& setting);
void WriteString(const settings::Setting& setting, const std::string& value);

}  // namespace vps
