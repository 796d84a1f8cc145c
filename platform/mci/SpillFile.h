#pragma once
// A file for recorded sound, read and written at offsets. Made unnamed (in a folder and
// unlinked at once, so it needs no clean-up after a crash and vanishes when closed), or
// given an open file to look after.
#include <cstddef>
#include <cstdint>
#include <string>

class TSpillFile {
 public:
  TSpillFile() = default;
  TSpillFile(const TSpillFile&) = delete;
  TSpillFile& operator=(const TSpillFile&) = delete;
  ~TSpillFile() { Close(); }

  // Makes the file in folder, or in the temporary folder when that fails.
  bool Create(const std::string& folder);
  // Looks after fd from now on (and closes it).
  void Adopt(int fd) {
    Close();
    FFd = fd;
  }
  void Close();
  bool IsOpen() const { return FFd >= 0; }
  bool WriteAt(std::uint64_t offset, const void* data, size_t bytes) { return WriteSome(offset, data, bytes) == bytes; }
  // Writes as much as it can; fewer bytes than asked means the rest failed (errno says why).
  size_t WriteSome(std::uint64_t offset, const void* data, size_t bytes);
  bool ReadAt(std::uint64_t offset, void* data, size_t bytes) const;
  bool Truncate(std::uint64_t size);
  int Fd() const { return FFd; }

 private:
  int FFd = -1;
};
