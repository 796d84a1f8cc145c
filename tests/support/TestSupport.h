#pragma once
// Helpers shared by the tests: temporary folders, test artefacts (screenshots), and
// waiting on the event loop.
#include <functional>
#include <string>

namespace testsupport {
// A fresh empty folder under the build tree, removed by the caller's choice.
std::string MakeTempDir(const std::string& tag);
// Folder for PNG screenshots and other artefacts a person may look at.
std::string ArtifactDir();
// Runs the event loop until pred() is true or timeoutMs passes; returns pred().
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs);
// Runs the event loop for ms milliseconds.
void Pump(int ms);
}  // namespace testsupport
