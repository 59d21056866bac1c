// Where a render's bytes go: a file that appears only when complete, or standard output.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace frameserve {

// Makes write errors reach the caller as errors rather than signals: a closed pipe (SIGPIPE) and a
// file-size limit (SIGXFSZ) would otherwise end the process before write() could report EPIPE or EFBIG.
void IgnoreWriteSignals();

// Writes go to a temporary file beside the target; Commit() syncs it and renames it over the target, so
// the target is either untouched or complete. Destroyed without Commit() (an error, an exception), the
// temporary file is removed. Every failure is an IoError naming the target as the user wrote it.
class OutputFile {
 public:
  // "-" is standard output: written as it comes, nothing to rename.
  explicit OutputFile(const std::filesystem::path& target);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const void* data, size_t size);
  void Commit();

  // The temporary file, for writers that open it themselves (the muxer); empty for standard output.
  const std::filesystem::path& TemporaryPath() const { return temporary_; }
  // Throws "cannot write 'out.wav': <cause>".
  [[noreturn]] void Fail(int error_number) const;
  [[noreturn]] void Fail(const std::string& cause) const;

 private:
  void Flush();
  void WriteAll(const unsigned char* data, size_t size);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::string name_;  // "'out.wav'" or "to standard output", as messages name the target
  int fd_ = -1;
  bool committed_ = false;
  std::vector<unsigned char> buffer_;  // writes are gathered into large blocks
};

}  // namespace frameserve
