#pragma once

#include <windows.h>

#include <string>

#include "output/CaptureBitmap.h"
#include "win/SaveDialog.h"

namespace vps {

// Asks in `dialog` where to save `bitmap` and writes it there: format 0 as a 24-bit BMP,
// format 1 as a JPEG at the quality that `JpegQualityTable` gives for `qualityPosition` (0..4).
// Proposes `baseName` plus ".bmp" or ".jpg", numbered on (001, 002, ...) past existing files.
// Returns the written file's full name; empty when the user cancelled or the format is neither
// 0 nor 1 (then no dialog is shown). The dialog's InitialDir becomes the chosen folder before
// the file is written, so it changes even when writing then fails with FileWriteError.
//
// The file is named as Windows names a typed name: trailing spaces and dots go ("shot.bmp   "
// is written as "shot.bmp", WithoutTrailingSpacesAndDots). When the name so made is that of an
// existing file, which the dialog did not ask about, the dialog shows it again: it asks before
// replacing the file once the user takes the name.
//
// With `offerPng` the dialog also offers "PNG (*.png)"; choosing it, or a name ending in ".png",
// writes a PNG instead. The type chosen is kept in the settings file ([SaveDialog] FileType)
// once the file is written, and when it was PNG the next dialog selects PNG and proposes a
// ".png" name. A failure to keep it is shown (Application::showException) and the save still
// counts: the file is written and its name returned.
std::string SaveCapture(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                        int format, int qualityPosition, const std::string& baseName,
                        bool offerPng = false);

// The JPEG that Email as JPEG attaches: SaveCapture in JPEG without PNG, except that the file's
// name always ends in ".jpg" (mailJpegFileName: a typed "shot.png" is written as
// "shot.png.jpg"), so the mail never carries another type or a name that hides its type.
std::string SaveMailJpeg(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                         int qualityPosition, const std::string& baseName);

}  // namespace vps
