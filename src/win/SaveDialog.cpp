#include "win/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace win {

bool SaveDialog::execute(HWND owner) {
    // The filter list is NUL-separated and ends with two NULs.
    std::string filter = Filter;
    std::ranges::replace(filter, '|', '\0');
    filter.append(2, '\0');

    std::vector<char> file(32768, '\0');
    std::copy_n(FileName.begin(), std::min(FileName.size(), file.size() - 1), file.begin());

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER |
                   (OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    if (!GetSaveFileNameA(&dialog)) return false;
    FileName = file.data();
    FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}

std::optional<PropertyAccess> SaveDialog::property(std::string_view name) {
    if (name != "InitialDir") return std::nullopt;
    return stringProperty([this] { return InitialDir; },
                          [this](const std::string& folder) { InitialDir = folder; });
}

}  // namespace win
