// A folder's files that may hold recordings: "*.vqd", and executables, which
// may carry one appended. Sub-folders are not read.
#pragma once
#include <string>
#include <vector>

bool IsFolder(const std::string& path);
// The file names (without the folder) of the folder's candidates, in no order.
std::vector<std::string> FolderRecordings(const std::string& folder);
// The folder and a file name joined with one backslash.
std::string InFolder(const std::string& folder, const std::string& name);
