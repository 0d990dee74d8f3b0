// Standard streams over memory and over a file descriptor, without copying
// the data into a string stream first.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

class TMemoryInStream : public std::istream {
 public:
  explicit TMemoryInStream(std::string_view data) : std::istream(&buf_), buf_(data) {}

 private:
  struct Buf : std::streambuf {
    explicit Buf(std::string_view d) {
      char* p = const_cast<char*>(d.data());  // read only: the get area is never written
      setg(p, p, p + d.size());
    }
  } buf_;
};

// Appends to a string, which needs no copy at the end as a string stream's does.
class TStringOutStream : public std::ostream {
 public:
  explicit TStringOutStream(std::string& out) : std::ostream(&buf_), buf_(out) {}

 private:
  struct Buf : std::streambuf {
    explicit Buf(std::string& s) : out(s) {}
    int_type overflow(int_type c) override {
      if (!traits_type::eq_int_type(c, traits_type::eof())) out += traits_type::to_char_type(c);
      return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
      out.append(s, static_cast<std::size_t>(n));
      return n;
    }
    std::string& out;
  } buf_;
};

// Writes to an open file descriptor; badbit is set on the first failed write.
class TFdOutStream : public std::ostream {
 public:
  explicit TFdOutStream(int fd) : std::ostream(&buf_), buf_(fd) {}

 private:
  struct Buf : std::streambuf {
    explicit Buf(int f) : fd(f) { setp(data, data + sizeof data); }
    int_type overflow(int_type c) override {
      if (!Flush()) return traits_type::eof();
      if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
      return traits_type::not_eof(c);
    }
    int sync() override { return Flush() ? 0 : -1; }
    bool Flush() {
      for (char* p = pbase(); p < pptr();) {
        const ssize_t n = ::write(fd, p, pptr() - p);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
      }
      setp(data, data + sizeof data);
      return true;
    }
    int fd;
    char data[1 << 16];
  } buf_;
};
