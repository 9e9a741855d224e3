// Opening an input file safely: only a regular file is read (a named pipe would block, a
// device could be endless), every refusal and read error is an InputFault that names the
// file, and the file is read through a small buffer in bounded memory.
#pragma once

#include <istream>
#include <memory>
#include <streambuf>
#include <string>

#include "files/Folder.h"

namespace kavrel {

class InputFile {
 public:
  // Opens the file `name` in `folder`; `kind` is what it is ("data file"). Throws InputFault,
  // naming the file, when it does not exist, cannot be opened, or is not a regular file (a
  // folder, a named pipe, a device, a socket, a symbolic link loop: each named).
  InputFile(const Folder& folder, const std::string& name, const std::string& kind);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  InputFile(InputFile&&) = delete;
  InputFile& operator=(InputFile&&) = delete;

  // The file's text; a read error throws InputFault from the read that meets it.
  std::istream& Stream() { return stream_; }

 private:
  class Buffer : public std::streambuf {
   public:
    Buffer(int fd, std::string what) : fd_(fd), what_(std::move(what)) {}

   protected:
    int_type underflow() override;

   private:
    int fd_;
    std::string what_;  // "<name>: cannot read the <kind>"
    char data_[65536] = {};
  };

  int fd_ = -1;
  std::unique_ptr<Buffer> buffer_;
  std::istream stream_;
};

}  // namespace kavrel
