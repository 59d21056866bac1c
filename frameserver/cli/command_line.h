// The tool's command line: which command, its script, its options. Parsing only; no work is done here.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frameserver/env/errors.h"

namespace frameserve {

// A command line the tool cannot make sense of; what() says what and where to read more.
class UsageError : public Error {
 public:
  using Error::Error;
};

enum class ProgressMode { kAuto, kOn, kOff };  // kAuto: when stderr is a terminal

struct Command {
  enum class Kind { kHelp, kInfo, kRender };
  Kind kind = Kind::kHelp;
  std::string help;  // kHelp: the text to print

  std::string script_path;  // the script file; empty when script_text holds the script
  std::optional<std::string> script_text;  // -e TEXT

  bool json = false;  // info
  std::string output;  // render: a file, or "-" for Y4M on standard output
  std::optional<int> start;
  std::optional<int> count;
  ProgressMode progress = ProgressMode::kAuto;
  std::string vcodec;
  std::string acodec;
};

// args: the words after the program's name. Throws UsageError.
Command ParseCommandLine(std::span<const std::string> args);

}  // namespace frameserve
