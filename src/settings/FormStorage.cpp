#include "settings/FormStorage.h"

#include "core/TextUtil.h"
#include "settings/uIni.h"
#include "win/Application.h"

namespace vps {

namespace {

std::string keyOf(const win::Component& component, const std::string& property) {
    return component.componentName() + "_" + property;
}

}  // namespace

FormStorage::FormStorage(std::string section,
                         std::vector<std::pair<win::Component*, std::string>> storedProps)
    : section_(std::move(section)),
      storedProps_(std::move(storedProps)),
      restoredValues_(storedProps_.size()) {}

void FormStorage::restore() {
    restored_ = true;
    try {
        // A negative version marks values written by a layout this program does not know.
        const bool knownVersion = ReadInteger(section_, "FormVersion", 0) >= 0;
        for (std::size_t i = 0; i < storedProps_.size(); ++i) {
            auto& [component, name] = storedProps_[i];
            auto access = component->property(name);
            if (!access || access->kind != win::PropertyKind::String) continue;
            // Compared with what the file gave, not with what the last show found: the file
            // keeps the older value until the form closes.
            std::optional<std::string>& restored = restoredValues_[i];
            if (restored && access->getText() != *restored) continue;
            if (knownVersion) {
                const std::string key = keyOf(*component, name);
                access->setText(trimBlanks(ReadString(section_, key, access->getText())));
            }
            restored = access->getText();
        }
    } catch (const std::exception&) {
        // A folder that cannot be restored only means the dialog opens elsewhere.
    }
}

void FormStorage::save() {
    if (!restored_) return;
    restored_ = false;
    try {
        WriteString(section_, "FormVersion", "0");
        for (auto& [component, name] : storedProps_) {
            auto access = component->property(name);
            if (!access || access->kind != win::PropertyKind::String) continue;
            WriteString(section_, keyOf(*component, name), trimBlanks(access->getText()));
        }
    } catch (const std::exception& error) {
        win::Application::showException(error);
    }
}

}  // namespace vps
