#include "frameserver/cli/command_line.h"

#include <charconv>

namespace frameserve {
namespace {

constexpr std::string_view kToolHelp =
    "usage: frameserve COMMAND [OPTIONS]\n"
    "\n"
    "Runs a script of video filters (plug-ins such as soundtrace.so included) on real media.\n"
    "\n"
    "commands:\n"
    "  info    print the properties of a script's clip\n"
    "  render  write a script's clip to a file (.y4m, .wav, .png, .mkv) or to standard output\n"
    "\n"
    "'frameserve COMMAND --help' tells more about each.\n";

constexpr std::string_view kInfoHelp =
    "usage: frameserve info (SCRIPT | -e TEXT) [--json]\n"
    "\n"
    "Prints the properties of the clip a script makes.\n"
    "\n"
    "  SCRIPT    a script file\n"
    "  -e TEXT   the script itself, given on the command line\n"
    "  --json    one JSON object in place of lines for a person to read\n";

constexpr std::string_view kRenderHelp =
    "usage: frameserve render (SCRIPT | -e TEXT) -o OUT [--start N] [--count N]\n"
    "                         [--progress | --quiet] [--vcodec NAME] [--acodec NAME]\n"
    "\n"
    "Writes the clip a script makes; the extension of OUT chooses the format:\n"
    "  .y4m  the video, uncompressed (OUT '-' writes it to standard output)\n"
    "  .wav  the audio, in the clip's own sample type\n"
    "  .png  one frame (--start, default 0) as 8-bit RGB\n"
    "  .mkv  video and audio, lossless by default (FFV1 and FLAC)\n"
    "\n"
    "  SCRIPT          a script file\n"
    "  -e TEXT         the script itself, given on the command line\n"
    "  -o OUT          the file to write; it appears only once complete\n"
    "  --start N       the first frame to write (default 0)\n"
    "  --count N       how many frames to write (default: to the end)\n"
    "  --progress      show progress on stderr even when it is not a terminal\n"
    "  --quiet         show no progress\n"
    "  --vcodec NAME   .mkv: the video encoder, any the FFmpeg libraries offer\n"
    "  --acodec NAME   .mkv: the audio encoder\n";

class Parser {
 public:
  Parser(std::string_view command, std::span<const std::string> args) : command_(command), args_(args) {}

  UsageError Fail(const std::string& what) const {
    return UsageError(std::string(command_) + ": " + what + "; see 'frameserve " + std::string(command_) + " --help'");
  }

  bool Done() const { return next_ == args_.size(); }
  const std::string& Next() { return args_[next_++]; }

  const std::string& Value(const std::string& option) {
    if (Done()) throw Fail(option + " needs a value");
    return Next();
  }

  int Number(const std::string& option, int least) {
    const std::string& text = Value(option);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least)
      throw Fail(option + " needs a whole number from " + std::to_string(least) + ", got '" + text + "'");
    return value;
  }

  template <typename T>
  void Once(std::optional<T>& slot, const std::string& option, T value) {
    if (slot) throw Fail(option + " is given twice");
    slot = std::move(value);
  }

 private:
  std::string_view command_;
  std::span<const std::string> args_;
  size_t next_ = 0;
};

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

bool WantsHelp(std::span<const std::string> args) {
  for (const std::string& arg : args)
    if (IsHelp(arg)) return true;
  return false;
}

// Reads a script, given as a file or with -e; true when arg was one.
bool ReadScript(Parser& parser, const std::string& arg, Command& command) {
  if (arg == "-e") {
    parser.Once(command.script_text, arg, parser.Value(arg));
    return true;
  }
  if (arg.starts_with("-")) return false;
  if (!command.script_path.empty()) throw parser.Fail("unexpected argument '" + arg + "'");
  command.script_path = arg;
  return true;
}

void CheckScript(const Parser& parser, const Command& command) {
  if (command.script_text && !command.script_path.empty())
    throw parser.Fail("give a script file or -e TEXT, not both");
  if (!command.script_text && command.script_path.empty()) throw parser.Fail("give a script file or -e TEXT");
}

Command ParseInfo(std::span<const std::string> args) {
  Parser parser("info", args);
  Command command;
  command.kind = Command::Kind::kInfo;
  while (!parser.Done()) {
    const std::string& arg = parser.Next();
    if (ReadScript(parser, arg, command)) continue;
    if (arg != "--json") throw parser.Fail("unknown option '" + arg + "'");
    command.json = true;
  }
  CheckScript(parser, command);
  return command;
}

Command ParseRender(std::span<const std::string> args) {
  Parser parser("render", args);
  Command command;
  command.kind = Command::Kind::kRender;
  std::optional<std::string> output, vcodec, acodec;
  std::optional<ProgressMode> progress;
  while (!parser.Done()) {
    const std::string& arg = parser.Next();
    if (ReadScript(parser, arg, command)) continue;
    if (arg == "-o") parser.Once(output, arg, parser.Value(arg));
    else if (arg == "--start") parser.Once(command.start, arg, parser.Number(arg, 0));
    else if (arg == "--count") parser.Once(command.count, arg, parser.Number(arg, 1));
    else if (arg == "--vcodec") parser.Once(vcodec, arg, parser.Value(arg));
    else if (arg == "--acodec") parser.Once(acodec, arg, parser.Value(arg));
    else if (arg == "--progress" || arg == "--quiet") {
      const ProgressMode mode = arg == "--progress" ? ProgressMode::kOn : ProgressMode::kOff;
      if (progress && *progress != mode) throw parser.Fail("--progress and --quiet exclude each other");
      progress = mode;
    } else {
      throw parser.Fail("unknown option '" + arg + "'");
    }
  }
  CheckScript(parser, command);
  if (!output || output->empty()) throw parser.Fail("-o OUT is required");
  command.output = *output;
  command.vcodec = vcodec.value_or("");
  command.acodec = acodec.value_or("");
  command.progress = progress.value_or(ProgressMode::kAuto);
  return command;
}

Command Help(std::string_view text) {
  Command command;
  command.help = text;
  return command;
}

}  // namespace

Command ParseCommandLine(std::span<const std::string> args) {
  if (args.empty()) throw UsageError("no command given; see 'frameserve --help'");
  const std::string& name = args.front();
  const std::span<const std::string> rest = args.subspan(1);
  if (IsHelp(name)) return Help(kToolHelp);
  if (name == "info") return WantsHelp(rest) ? Help(kInfoHelp) : ParseInfo(rest);
  if (name == "render") return WantsHelp(rest) ? Help(kRenderHelp) : ParseRender(rest);
  throw UsageError("unknown command '" + name + "'; see 'frameserve --help'");
}

}  // namespace frameserve
