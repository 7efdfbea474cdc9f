// The named key maps of the process: each name has an installer that fills a key list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/keylist.h"

namespace quorel {

using TKeyMapInstaller = std::function<void(TKeyList&)>;

// Registers (or replaces) the map called `name`.
void RegisterKeyMap(const std::string& name, TKeyMapInstaller installer);
// Clears `keys` and fills it with the map called `name`; false, leaving `keys` alone, when no
// map has that name.
bool InstallKeyMap(const std::string& name, TKeyList& keys);
std::vector<std::string> KeyMapNames();

// The "Default" map's bindings.
void InstallDefaultKeyMap(TKeyList& keys);

}  // namespace quorel
