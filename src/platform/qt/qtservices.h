// The Qt implementations of the platform services, made once after QApplication exists.
#pragma once

#include "platform/services.h"

namespace quorel::platform {

// The program's services; they live as long as the program.
const TServices& QtServices();

}  // namespace quorel::platform
