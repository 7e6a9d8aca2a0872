#include "win/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace win {

bool SaveDialog::execute(HWND owner) {
    DWORD error = 0;
    if (showOnce(owner, InitialDir, error)) return true;
    // A folder the dialog refuses (a hand-edited settings file, say) makes it fail before it
    // shows anything; once more from the folder the system chooses, before giving up.
    if (error != 0 && !InitialDir.empty() && showOnce(owner, "", error)) return true;
    if (error == 0) return false;
    // Never taken for a cancel: OK would silently do nothing.
    throw std::runtime_error("The Save dialog failed (error " + std::to_string(error) + ").");
}

bool SaveDialog::showOnce(HWND owner, const std::string& initialDir, DWORD& error) {
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
    dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER |
                   (OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    if (!runDialog(dialog, error)) return false;
    FileName = file.data();
    FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}

bool SaveDialog::runDialog(OPENFILENAMEA& dialog, DWORD& error) {
    if (GetSaveFileNameA(&dialog)) return true;
    // https://learn.microsoft.com/windows/win32/api/commdlg/nf-commdlg-commdlgextendederror
    error = CommDlgExtendedError();
    return false;
}

std::optional<PropertyAccess> SaveDialog::property(std::string_view name) {
    if (name != "InitialDir") return std::nullopt;
    return stringProperty([this] { return InitialDir; },
                          [this](const std::string& folder) { InitialDir = folder; });
}

}  // namespace win
