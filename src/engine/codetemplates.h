// The template sets a store can take its code templates from, registered by name for the whole
// program: "None" (templates off), "Custom" (the store's own), and three sets for languages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/memosource.h"

namespace quorel {

using TTemplateFill = std::function<void(TMemoCodeTemplates&)>;

// Registers (or replaces) a set; `fill`, when given, puts the set's templates in a collection.
void RegisterTemplateSet(const std::string& name, TTemplateFill fill = nullptr);
bool IsTemplateSetRegistered(const std::string& name);
// The set's procedure, or nothing for a set without one (or an unknown name).
const TTemplateFill* TemplateSetFill(const std::string& name);
// Names in the order they were registered.
std::vector<std::string> TemplateSetNames();

}  // namespace quorel
