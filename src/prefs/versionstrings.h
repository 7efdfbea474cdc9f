// The version strings a program carries, read from its file without running it. The build
// stamps them into the program as one marked block of text; VersionStamp writes that block.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/filesystem.h"

namespace quorel {

// The keys in the order FileVersionStrings lists their values.
inline constexpr std::array<const char*, 10> kVersionKeys = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTradeMarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};

// The block opens with this mark; the entries "key" 0x02 "value" 0x01 follow, and 0x03 ends it.
inline constexpr char kVersionMark[] = "\x01QUOREL-VERSION-STRINGS\x01";
// A block is never longer than this (mark not counted).
inline constexpr size_t kMaxVersionBlock = 4096;

// The block holding `entries` (key and value pairs, keys from kVersionKeys; values without
// control characters).
std::string VersionStamp(const std::vector<std::pair<std::string, std::string>>& entries);

// A program's block lies in its first bytes; reading stops after this many.
inline constexpr size_t kMaxVersionScan = size_t{256} << 20;

// The values of the file's first well-formed block, in the order of kVersionKeys, each present
// only when the block has it; the one entry "Error" when the file cannot be read or holds no
// block within its first `limit` bytes.
std::vector<std::string> FileVersionStrings(platform::IFileSystem& files, const std::string& file,
                                            size_t limit = kMaxVersionScan);

}  // namespace quorel
