// The exception the file services raise when a file cannot be read or written.
#pragma once

#include <stdexcept>
#include <string>

namespace quorel::platform {

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quorel::platform
