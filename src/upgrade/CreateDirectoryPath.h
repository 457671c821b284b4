#pragma once

// Creates every folder of a path: for each backslash, the text up to and
// including it; then, when lastPartIsFolder is true and text follows the last
// backslash, the whole path. Folders that exist already count as created.
// Returns the result of the last creation (true when there was nothing to
// create); false for a null path.
bool CreateDirectoryPath(const char* path, bool lastPartIsFolder);
