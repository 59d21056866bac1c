#include "frameserver/writers/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "frameserver/env/errors.h"

namespace frameserve {
namespace {

constexpr size_t kBufferSize = size_t{1} << 20;

// ".out.wav.<pid>-<n>.tmp" beside the target: same directory, so the rename cannot cross file systems.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string name = "." + target.filename().string() + "." + std::to_string(getpid()) + "-" +
                           std::to_string(counter++) + ".tmp";
  return target.parent_path() / name;
}

}  // namespace

void IgnoreWriteSignals() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

OutputFile::OutputFile(const std::filesystem::path& target)
    : target_(target), name_(target == "-" ? "to standard output" : "'" + target.string() + "'") {
  buffer_.reserve(kBufferSize);
  if (target == "-") {
    fd_ = STDOUT_FILENO;
    return;
  }
  // A name already taken (a crashed run's leftover) is skipped rather than reused.
  for (int attempt = 0; fd_ < 0; ++attempt) {
    temporary_ = TemporaryName(target);
    fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
      temporary_.clear();
      Fail(errno);
    }
  }
}

OutputFile::~OutputFile() {
  if (temporary_.empty()) return;
  if (fd_ >= 0) close(fd_);
  if (!committed_) unlink(temporary_.c_str());
}

void OutputFile::Fail(int error_number) const { Fail(std::string(std::strerror(error_number))); }

void OutputFile::Fail(const std::string& cause) const { throw IoError("cannot write " + name_ + ": " + cause); }

void OutputFile::Write(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (buffer_.size() + size > kBufferSize) Flush();
  if (size >= kBufferSize)
    WriteAll(bytes, size);  // a block as large as the buffer gains nothing from it
  else
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void OutputFile::Flush() {
  WriteAll(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void OutputFile::WriteAll(const unsigned char* p, size_t left) {
  while (left > 0) {
    const ssize_t written = write(fd_, p, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    p += written;
    left -= static_cast<size_t>(written);
  }
}

void OutputFile::Commit() {
  Flush();
  if (temporary_.empty()) return;
  if (fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) Fail(errno);
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  committed_ = true;
}

}  // namespace frameserve
