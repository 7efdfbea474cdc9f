// Wires the Qt implementations of the platform services; call once after QApplication exists.
#pragma once

namespace quorel::platform {

void InstallQtServices();

}  // namespace quorel::platform
