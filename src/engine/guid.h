// New globally unique identifiers in their braced text form.
#pragma once

#include <string>

namespace quorel {

// A random (version 4) GUID such as "{3F2504E0-4F89-41D3-9A0C-0305E82C3301}".
std::string NewGuidText();

}  // namespace quorel
