// The rules behind the recent-file list and the folder menus.
#include "app/recentfiles.h"

#include <algorithm>
#include <filesystem>

#include "app/form1.h"
#include "engine/casemap.h"

namespace quorel {

void SortCaseInsensitive(std::vector<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.emplace_back(LowerCase(name), std::move(name));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < names.size(); ++i) names[i] = std::move(keyed[i].second);
}

// The listed picture kinds, with WebP, a picture of today's web.
const std::array<const char*, 9> ImageExtensions = {".gif",  ".jpg", ".bmp",  ".art", ".png",
                                                    ".jpeg", ".wmf", ".aiff", ".webp"};

namespace {

// The widest recent-file caption shown whole.
constexpr int kMaxCaptionWidth = 150;

}  // namespace

void PushRecentFile(TRecentFiles& files, const std::string& name) {
  auto last = std::find(files.rbegin(), files.rend(), name);
  // The slot whose entry moves to the top: the last copy of the name, or the last slot.
  auto slot = last != files.rend() ? std::prev(last.base()) : std::prev(files.end());
  std::move_backward(files.begin(), slot, std::next(slot));
  files[0] = name;
}

std::string AddTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() != kPathSeparator) path += kPathSeparator;
  return path;
}

std::string ShortenedCaption(const std::string& caption,
                             const std::function<int(const std::string&)>& width) {
  if (width(caption) <= kMaxCaptionWidth) return caption;
  size_t rootEnd = caption.find(kPathSeparator);
  size_t nameStart = caption.rfind(kPathSeparator);
  if (rootEnd == std::string::npos || rootEnd == nameStart) return caption;  // a file in the root
  std::string shortened = caption.substr(0, rootEnd + 1);
  // Folder names are split plainly: quotes, blanks and control characters are part of a name.
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    size_t end = caption.find(kPathSeparator, start);
    parts.push_back(caption.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const std::string dots = std::string("..") + kPathSeparator;
  for (size_t k = 1; k + 1 < parts.size(); ++k) {
    if (k > 1) shortened += dots;
    shortened += parts[k].substr(0, 3);
  }
  return shortened + dots + caption.substr(nameStart + 1);
}

std::string FolderOf(const std::string& path) {
  return AddTrailingBackslash(std::filesystem::path(path).parent_path().string());
}

std::string LowerExtension(const std::string& path) {
  return LowerCase(std::filesystem::path(path).extension().string());
}

bool IsImageFile(const std::string& name) {
  std::string extension = LowerExtension(name);
  return std::any_of(ImageExtensions.begin(), ImageExtensions.end(),
                     [&](const char* e) { return extension == e; });
}

bool IsDocumentFile(const std::string& name) {
  std::string extension = LowerExtension(name);
  // The last entry, ".*", is the save dialog's "all files" filter, not an extension.
  return std::any_of(DocumentExtensions.begin(), DocumentExtensions.end() - 1,
                     [&](const char* e) { return extension == e; });
}

}  // namespace quorel
