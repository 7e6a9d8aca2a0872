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

// The type a confirmed dialog asks for. Where PNG is offered, PNG when the name ends in ".png"
// (any case) or the PNG entry was selected; otherwise, and always where PNG is not offered (the
// mail's JPEG), the format mode's own type, whatever the name's extension (a name typed without
// one gets ".bmp" even for JPEG, as it always has).
SaveFileType chosenSaveFileType(std::string_view fileName, int filterIndex, int format,
                                bool offerPng);

// The name a mailed JPEG is written under: the chosen name when it ends in ".jpg" (any case),
// else the chosen name with ".jpg" appended ("shot.png" gives "shot.png.jpg"). Appended rather
// than replaced: the name keeps all the user typed, and cannot become that of another picture
// in the folder ("shot.jpg") that the Save dialog never asked about.
std::string mailJpegFileName(std::string_view chosen);

// "bmp", "jpg", "png": how the settings file keeps a type; an unknown text reads as BMP.
std::string_view saveFileTypeText(SaveFileType type);
SaveFileType saveFileTypeFromText(std::string_view text);

}  // namespace vps
