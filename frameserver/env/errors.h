// The host's errors. what() is always one finished line, ready to print after "frameserve: ".
#pragma once

#include <stdexcept>
#include <string>

namespace frameserve {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A script that cannot run: bad syntax, an unknown function, a bad argument, a filter's own error.
class ScriptError : public Error {
 public:
  using Error::Error;
};

// Media that cannot be opened or decoded.
class MediaError : public Error {
 public:
  using Error::Error;
};

// A file that cannot be read or written.
class IoError : public Error {
 public:
  using Error::Error;
};

}  // namespace frameserve
