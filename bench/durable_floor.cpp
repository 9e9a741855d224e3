// The floor of an analysis's durable writes: the same files written to temporary files, each
// flushed to the disk, then renamed into place and the folder flushed, with no analysis at all.
// bench/startup-ratios times a whole kavrel run against it.
//   durable_floor FOLDER FILE...   (the files' contents are read from FOLDER first)
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: durable_floor FOLDER FILE...\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<std::pair<std::string, std::string>> files;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(folder + "/" + argv[i], std::ios::binary);
    files.emplace_back(argv[i], std::string(std::istreambuf_iterator<char>(in), {}));
  }
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir < 0) return 1;
  for (const auto& [name, content] : files) {
    const std::string temporary = "." + name + ".floor";
    const int fd = ::openat(dir, temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, content.data(), content.size()) < 0 || ::fsync(fd) != 0) return 1;
    ::close(fd);
  }
  for (const auto& [name, content] : files) {
    const std::string temporary = "." + name + ".floor";
    if (::renameat(dir, temporary.c_str(), dir, name.c_str()) != 0) return 1;
  }
  return ::fsync(dir) == 0 && ::close(dir) == 0 ? 0 : 1;
}
