// The program's version strings, kept in its file as one marked block that the preferences
// read without running the program (the Send To link is checked against them).
#include "prefs/versionstrings.h"

namespace {

// One entry of the block; adjacent literals join after their escapes are read, so a value
// starting with a digit does not run into the hexadecimal escape before it.
#define QUOREL_VERSION_ENTRY(key, value) key "\x02" value "\x01"

// Kept in the file although nothing reads it at run time.
[[gnu::used]] const char kVersionBlock[] = "\x01QUOREL-VERSION-STRINGS\x01"  // kVersionMark
    QUOREL_VERSION_ENTRY("CompanyName", "The Quorel developers")
        QUOREL_VERSION_ENTRY("FileDescription", "Quorel HTML editor") QUOREL_VERSION_ENTRY(
            "FileVersion", QUOREL_FILE_VERSION) QUOREL_VERSION_ENTRY("InternalName", "quorel")
            QUOREL_VERSION_ENTRY("LegalCopyright", "Copyright (C) 2026 The Quorel developers")
                QUOREL_VERSION_ENTRY("OriginalFilename", "quorel")
                    QUOREL_VERSION_ENTRY("ProductName", "Quorel")
                        QUOREL_VERSION_ENTRY("ProductVersion", QUOREL_PRODUCT_VERSION)
                            QUOREL_VERSION_ENTRY("Comments", "A hand-coding HTML editor") "\x03";

static_assert(sizeof(kVersionBlock) < quorel::kMaxVersionBlock);

}  // namespace
