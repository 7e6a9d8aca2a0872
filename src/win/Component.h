#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The kinds of value a persisted property holds. An enumeration (a boolean included) is stored
// as its ordinal.
enum class PropertyKind { Integer, Enumeration, String };

// Access to one property of a component by name, as the settings store needs it.
struct PropertyAccess {
    PropertyKind kind;
    std::function<std::int64_t()> getOrdinal;              // Integer, Enumeration
    std::function<void(std::int64_t)> setOrdinal;          // Integer, Enumeration
    std::function<std::string()> getText;                  // String
    std::function<void(const std::string&)> setText;       // String
};

// Anything with a name whose properties can be read and written by name at run time: windows,
// controls and menu items. An unknown name answers std::nullopt.
class Component {
public:
    virtual ~Component() = default;
    virtual const std::string& componentName() const = 0;
    virtual std::optional<PropertyAccess> property(std::string_view name) = 0;
};

inline PropertyAccess integerProperty(std::function<std::int64_t()> get,
                                      std::function<void(std::int64_t)> set) {
    return {PropertyKind::Integer, std::move(get), std::move(set), nullptr, nullptr};
}

inline PropertyAccess booleanProperty(std::function<bool()> get, std::function<void(bool)> set) {
    return {PropertyKind::Enumeration, [get = std::move(get)] { return std::int64_t{get()}; },
            [set = std::move(set)](std::int64_t ordinal) { set(ordinal != 0); }, nullptr, nullptr};
}

inline PropertyAccess stringProperty(std::function<std::string()> get,
                                     std::function<void(const std::string&)> set) {
    return {PropertyKind::String, nullptr, nullptr, std::move(get), std::move(set)};
}

}  // namespace win
