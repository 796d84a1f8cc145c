#pragma once
// Where the wave device keeps the sound of a take while it records. A take recorded for
// a file goes into a journal beside that file: a hidden wave file (".Temp.wav.recording"
// for Temp.wav) in the take's format, locked for the process that records, whose header
// follows the sound at least once a second and whose data reach the disk as often, so
// that a crash, a kill or a power loss costs at most the last seconds. A save renames
// the journal into place. Without a file, or without room beside it, the sound goes into
// an unnamed scratch file instead, which vanishes with the process.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "platform/audio/Audio.h"
#include "platform/mci/SpillFile.h"

// The journal of a take recorded for target.
std::string JournalPathFor(const std::string& target);

class TTakeJournal {
 public:
  enum TCreateResult { jcOk, jcBusy, jcNoRoom, jcFailed };

  TTakeJournal() = default;
  TTakeJournal(const TTakeJournal&) = delete;
  TTakeJournal& operator=(const TTakeJournal&) = delete;
  // A journal still held at the end keeps its file: the next start rescues it.
  ~TTakeJournal() { Release(); }

  // Makes the journal of target with an empty data chunk. jcBusy when another process
  // records into it, or when a journal holding sound is left there that nobody rescued
  // (it is never overwritten); jcNoRoom when no file can be made beside target.
  TCreateResult CreateFor(const std::string& target, const TAudioFormat& format);
  // An unnamed file in folder (the temporary folder when that fails).
  bool CreateUnnamed(const std::string& folder, const TAudioFormat& format);

  bool IsOpen() const { return FFile.IsOpen(); }
  bool Named() const { return !FPath.empty(); }
  // True once a save renamed the journal into place: the file is the saved take now.
  bool Published() const { return FPublished; }
  const std::string& Path() const { return FPath; }
  int Fd() const { return FFile.Fd(); }

  // Sound bytes at offset pos of the take; fewer written than asked means the rest
  // failed (errno says why).
  size_t WriteSome(std::uint64_t pos, const void* data, size_t bytes);
  bool WriteAt(std::uint64_t pos, const void* data, size_t bytes) { return WriteSome(pos, data, bytes) == bytes; }
  bool ReadAt(std::uint64_t pos, void* data, size_t bytes) const;
  // The take now holds length bytes: refreshes the header and syncs the data when a
  // second of time or of sound has passed since the last time. False when the disk
  // refused.
  bool Grew(std::uint64_t length);

  // Saves the first length bytes as a complete wave file at target: renames a named
  // journal into place when it can, and writes a copy otherwise (WaveSave.h).
  bool SaveAs(const std::string& target, std::uint64_t length);
  // Closes without a save: a named journal is removed.
  void Discard();
  // Closes and keeps a named journal for the next start.
  void Release();

 private:
  std::uint64_t DataOffset() const { return Named() ? 44 : 0; }
  bool WriteHeader(std::uint64_t announced);

  TSpillFile FFile;
  std::string FPath;
  TAudioFormat FFormat;
  bool FPublished = false;
  std::int64_t FLastSyncMs = 0;
  std::uint64_t FSyncedLength = 0;
};

// Disk calls of all takes' stores so far in this process, for the benchmark.
struct TJournalCounters {
  std::uint64_t Writes = 0;        // sound written
  std::uint64_t HeaderWrites = 0;  // headers brought up to date
  std::uint64_t Syncs = 0;         // data flushed to the disk
};
TJournalCounters JournalCounters();

// The first bytes of a journal: true with its format when they are the header the
// device writes, in a format it records (sizes are not read: they may lag behind).
// False with a reason otherwise; incomplete is set when the bytes are too few to tell
// but begin as such a header does.
bool ParseJournalHeader(const std::uint8_t* bytes, size_t size, TAudioFormat& format, bool& incomplete,
                        std::string& why);

// A journal left behind, and what became of it.
struct TJournalRescue {
  enum TOutcome {
    jrRescued,  // now a complete wave file at RescuedPath
    jrEmpty,    // held no whole frame, removed
    jrBusy,     // a running process records into it: left alone
    jrKept,     // cannot be rescued (Reason says why): left as it is
  };
  TOutcome Outcome = jrKept;
  std::string RescuedPath;
  std::uint64_t Frames = 0;
  TAudioFormat Format;
  std::string Reason;
};

// Rescues the journal at path when no running process holds it: its header is set to
// the whole frames present, the file reaches the disk and is then renamed to the name
// pickName gives for the time of its last write (asked again when that name is taken
// meanwhile). Companion files named after the journal (its name, a dot and more) follow
// it under the rescued name's stem. Nothing is removed that holds sound.
TJournalRescue RescueJournal(const std::string& path,
                             const std::function<std::string(std::time_t lastWrite)>& pickName);
