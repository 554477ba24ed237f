#include "cli/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <streambuf>

namespace tavimoro::cli {
namespace {

int firstError = 0;

class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }

 protected:
  int_type overflow(int_type ch) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  // Writes out what is buffered; after a failure everything is dropped.
  bool Drain() {
    const char* next = pbase();
    while (firstError == 0 && next < pptr()) {
      const ssize_t written = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
      if (written > 0) {
        next += written;
      } else if (written == 0 || errno != EINTR) {
        firstError = written == 0 ? EIO : errno;
      }
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return firstError == 0;
  }

  char buffer_[1 << 16];
};

}  // namespace

void InstallStandardOutput() {
  std::signal(SIGPIPE, SIG_IGN);
  // Never destroyed: the library flushes std::cout at exit, after the
  // program's own static objects are gone.
  static DescriptorBuffer* const buffer = new DescriptorBuffer;
  std::cout.rdbuf(buffer);
}

int StandardOutputError() { return firstError; }

}  // namespace tavimoro::cli
