// The general error of the runtime: an exception that carries a message and nothing else.
// Stands in for the class library's general exception class.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string &message) : std::runtime_error(message) {}
};

}  // namespace platform
