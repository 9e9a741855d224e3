// Replacing a file through a temporary file and a rename: the new file whole, nothing left
// behind, and readable as any file the user makes.
#include "files/FileWrite.h"
#include "files/StopCleanup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel::test {
namespace {

TEST(WriteFileAtomically, ReplacesTheFileWholeWithTheModeTheUmaskLeaves) {
  // The temporary file is made for the owner alone (0600); the written file gets the mode of
  // any new file, 0666 without the bits of the umask.
  const struct {
    mode_t umask, mode;
    Durability durability;
  } cases[] = {{022, 0644, Durability::Durable},
               {027, 0640, Durability::Preview},
               {077, 0600, Durability::Durable}};
  TempFolder folder;
  folder.Write("KAVREL.OUT", std::string(100, 'x'));
  for (const auto& c : cases) {
    const mode_t before = umask(c.umask);
    const auto failure = WriteFileAtomically(folder.Path() / "KAVREL.OUT", "new\r\n", c.durability);
    umask(before);
    EXPECT_EQ(failure, std::nullopt);
    struct stat written {};
    ASSERT_EQ(stat((folder.Path() / "KAVREL.OUT").c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 0777, c.mode) << std::oct << c.umask;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
  }
  // In a folder that does not exist: the reason, and no file.
  EXPECT_EQ(WriteFileAtomically(folder.Path() / "none" / "KAVREL.OUT", "x"),
            "No such file or directory");
}

TEST(RemoveOnStop, ListedFilesGoOnAStopAndForgottenOnesStay) {
  // What the signal handler does with the temporary file of a write it interrupts.
  TempFolder folder;
  folder.Write(".KAVREL.OUT.abcdef", "half");
  folder.Write("KAVREL.OUT", "whole");
  const Folder open(folder.Path());
  const int temporary = RemoveOnStop(open.Descriptor(), ".KAVREL.OUT.abcdef");
  ForgetOnStop(RemoveOnStop(open.Descriptor(), "KAVREL.OUT"));
  RemoveListedFiles();
  ForgetOnStop(temporary);
  EXPECT_FALSE(folder.Exists(".KAVREL.OUT.abcdef"));
  EXPECT_EQ(folder.Read("KAVREL.OUT"), "whole");
}

}  // namespace
}  // namespace kavrel::test
