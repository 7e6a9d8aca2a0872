#pragma once

// Time stamps for finding where an activation or a start spends its time, written only when
// the environment variable VPS_STEP_TIMES names a file; otherwise a stamp costs one test.
// A developer's measuring aid: nothing the user sees depends on it.
namespace win::steptimes {

// Appends "<ms since the last stamp> <ms since the first> <step>" to the file.
void stamp(const char* step);

}  // namespace win::steptimes
