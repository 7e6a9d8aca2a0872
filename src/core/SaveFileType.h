#pragma once

#include <string>
#include <string_view>

// The file types the Save dialog offers and which one a confirmed dialog means.
namespace vps {

enum class SaveFileType { Bmp, Jpg, Png };

// What the Save dialog shows for one save: its filter list ("description|pattern" pairs), the
// 1-based filter entry to select, and the extension the proposed name gets.
struct SaveDialogTypes {
    std::string filter;
    int filterIndex;
    std::string_view extension;
};

// The format mode's own type first, as it has always been ("Bitmap|*.bmp" or "JPEG|*.jpg"),
// then, when `offerPng`, "PNG (*.png)" as the second entry. `lastType` is the type remembered
// from the last save: PNG is preselected when it was PNG (and is offered); otherwise the mode's
// own type. `format` is a FileFormatChoice (0 BMP, 1 JPG).
SaveDialogTypes saveDialogTypes(int format, bool offerPng, SaveFileType lastType);

// The type a confirmed dialog asks for: PNG when the name ends in ".png" (any case) or the PNG
// entry was selected; otherwise the format mode's own type, whatever the name's extension (a
// name typed without one gets ".bmp" even for JPEG, as it always has).
SaveFileType chosenSaveFileType(std::string_view fileName, int filterIndex, int format);

// "bmp", "jpg", "png": how the settings file keeps a type; an unknown text reads as BMP.
std::string_view saveFileTypeText(SaveFileType type);
SaveFileType saveFileTypeFromText(std::string_view text);

}  // namespace vps
