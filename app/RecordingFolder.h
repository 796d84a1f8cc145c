#pragma once
// The folder Temp.wav goes to: the program's own folder, as always, unless the program
// cannot write there (an installed copy in a system folder); then the user's music
// folder, made when missing.
#include <functional>
#include <string>

// programFolder ends in '/'; so does the result.
std::string RecordingFolder(const std::string& programFolder);
// The same with the write test given (tests inject a failing one).
std::string RecordingFolder(const std::string& programFolder,
                            const std::function<bool(const std::string& folder)>& canWrite);
// The calling process may create and replace files in folder.
bool FolderWritable(const std::string& folder);
