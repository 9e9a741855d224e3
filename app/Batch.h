// Many tests in one call: every folder analysed with the same answers, without the dialogue,
// one line per folder as it finishes and, when asked, the same as a CSV table.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kavrel {

// Why the folder named on the command line cannot be analysed, empty when it can be opened.
std::string FolderArgumentFault(const std::string& folder);

// How messages call the files of the folder the user named `folder`: "tests/a/".
std::string ShownAs(const std::string& folder);

// What a call for many folders asks.
struct BatchCall {
  std::vector<std::string> folders;    // as named on the command line
  std::string answers;                 // the answers, one a line, the same for every folder
  std::optional<std::string> summary;  // the CSV file of the lines
  std::optional<std::string> output;   // the outputs go into <output>/<folder name>/
};

// The first line of the summary CSV.
inline constexpr const char* SummaryHeader =
    "folder,status,runs,one_plus_k_raw,one_plus_k_smoothed,Pe_fastest_kW\n";

// Analyses every folder of `call` in turn. A folder that fails is named with its reason on
// standard error and the others go on; the line of each goes to standard output as it
// finishes; a progress line goes to standard error when it is a terminal and there are more
// than 5 folders. Returns the exit status: the largest of the folders' statuses, 3 when the
// summary cannot be written, 5 when standard output cannot be.
int RunBatch(const BatchCall& call);

// The name of the folder `folder` under --output: the last part of its path, "." and ".."
// and a trailing "/" resolved ("tests/a/" and "tests/a/." give "a"); empty for the root.
std::string OutputNameOf(const std::string& folder);

}  // namespace kavrel
