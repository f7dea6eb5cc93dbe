// The picture as a PNG file: the same pixels the Targa export writes, and
// the recipe that made them as text.
#pragma once

#include "files/safe_file.h"
#include "platform/gdi.h"
#include "studio/poster_recipe.h"

namespace orv {

// Writes the res x res picture held by hdc as an 8-bit RGB PNG with the
// text chunks into file, opened here at path, and closes it without
// committing it. The pixels are gathered before the file is opened: NoMemory
// touches no file.
SaveResult WritePng(HDC hdc, const char* path, SafeFile& file, const TextChunks& text = {});

// The same, replacing the file at path once it is complete.
SaveResult WritePng(HDC hdc, const char* path, const TextChunks& text = {});

} // namespace orv
