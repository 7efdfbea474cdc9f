// The rules behind the recent-file list and the folder menus, without any window: moving a
// file to the top of the list, shortening a long path for a menu, splitting and classifying names.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/pathtext.h"

namespace quorel {

// Sorts names in the order of their lower-case forms, keeping equal ones in place.
void SortCaseInsensitive(std::vector<std::string>& names);

constexpr char kPathSeparator = '/';
constexpr int kRecentSlots = 10;
// Most recent first; empty strings are free slots.
using TRecentFiles = std::array<std::string, kRecentSlots>;

// ".gif", ".jpg", ... : the files the picture menus list.
extern const std::array<const char*, 9> ImageExtensions;

// Puts `name` in slot 0: moved up when it is already listed (exact comparison), otherwise pushed
// in with the last slot falling off.
void PushRecentFile(TRecentFiles& files, const std::string& name);

// The path with a separator at its end, unless it is empty or has one.
std::string AddTrailingBackslash(std::string path);

// A recent-file caption for the menu: as it is when `width` of it is at most 150 pixels or the
// file lies directly in the root, otherwise the root, the first three characters of each folder
// joined by "..", and the file name: "/hom../use../web../index.html".
std::string ShortenedCaption(const std::string& caption,
                             const std::function<int(const std::string&)>& width);

// The folder of a file with its trailing separator ("" for a bare name).
std::string FolderOf(const std::string& path);

// The extension lower-cased, with its dot ("" when there is none).
std::string LowerExtension(const std::string& path);
bool IsImageFile(const std::string& name);
bool IsDocumentFile(const std::string& name);

}  // namespace quorel
