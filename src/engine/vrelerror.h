// The exception the editing library raises, carrying the message the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace quorel {

class EVrelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quorel
