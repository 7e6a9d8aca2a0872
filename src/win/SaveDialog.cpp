#include "win/SaveDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "win/WideText.h"

namespace win {

namespace {

// The longest start of `text` of at most `maxUnits` UTF-16 units that does not end between the
// two halves of a character beyond U+FFFF.
std::wstring_view cutOnWholeCharacters(std::wstring_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    if (maxUnits > 0 && IS_HIGH_SURROGATE(text[maxUnits - 1])) --maxUnits;
    return text.substr(0, maxUnits);
}

bool fitsInAPath(std::string_view folder) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
    return folder.size() <= SaveDialog::kMaxFolderLength;
}

}  // namespace

std::string SaveDialog::initialFolder() const { return fitsInAPath(InitialDir) ? InitialDir : ""; }

bool SaveDialog::execute(HWND owner) {
    const std::string initialDir = initialFolder();
    DWORD error = 0;
    bool chosen = showOnce(owner, initialDir, error);
    // A folder the dialog refuses (a hand-edited settings file, say) makes it fail before it
    // shows anything; once more from the folder the system chooses, before giving up. A name
    // too long for the buffer is no fault of the folder.
    if (!chosen && error != 0 && error != FNERR_BUFFERTOOSMALL && !initialDir.empty()) {
        chosen = showOnce(owner, "", error);
    }
    if (chosen) return true;
    if (error == 0) return false;
    // Never taken for a cancel: OK would silently do nothing.
    // https://learn.microsoft.com/windows/win32/api/commdlg/ns-commdlg-openfilenamew: the buffer
    // holds the longest path there is, so a name that does not fit is no path at all.
    if (error == FNERR_BUFFERTOOSMALL) {
        throw std::runtime_error(
            "The name chosen in the Save dialog is longer than a file name can be.\r\n"
            "Please choose a shorter name.");
    }
    throw std::runtime_error("The Save dialog failed (error " + std::to_string(error) + ").");
}

bool SaveDialog::showOnce(HWND owner, const std::string& initialDir, DWORD& error) {
    // The filter list is NUL-separated and ends with two NULs.
    std::wstring filter = wide(Filter);
    std::ranges::replace(filter, L'|', L'\0');
    filter.append(2, L'\0');
    const std::wstring folder = wide(initialDir);
    const std::wstring title = wide(Title);
    const std::wstring defaultExt = wide(DefaultExt);

    std::vector<wchar_t> file(kFileNameBufferSize, L'\0');
    // Never more than the buffer holds, and never half a character.
    const std::wstring proposalText = wide(FileName);
    const std::wstring_view proposal = cutOnWholeCharacters(proposalText, file.size() - 1);
    std::ranges::copy(proposal, file.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER |
                   (OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    if (!runDialog(dialog, error)) return false;
    // A dialog that filled the buffer to its last unit left no NUL: the name stops there.
    file.back() = L'\0';
    FileName = narrow(file.data());
    FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}

bool SaveDialog::runDialog(OPENFILENAMEW& dialog, DWORD& error) {
    if (GetSaveFileNameW(&dialog)) return true;
    // https://learn.microsoft.com/windows/win32/api/commdlg/nf-commdlg-commdlgextendederror
    error = CommDlgExtendedError();
    return false;
}

std::optional<PropertyAccess> SaveDialog::property(std::string_view name) {
    if (name != "InitialDir") return std::nullopt;
    return stringProperty([this] { return InitialDir; },
                          [this](const std::string& folder) {
                              if (fitsInAPath(folder)) InitialDir = folder;
                          });
}

}  // namespace win
