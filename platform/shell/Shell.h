#pragma once
// The shell name space over the Linux file system. A virtual desktop is the root; its
// children are the home folder, the computer (whose children are the mounted volumes
// of the mount table) and the content of the user's desktop folder. Items are named by
// item identifier lists allocated by the shell allocator; folders are reached through
// IShellFolder objects bound from the desktop.
//
// Results are errno values: 0 is success. Names are bytes as the file system holds them;
// a name that is not valid UTF-8 is returned unchanged, so it can be opened again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Types.h"

// One element of an identifier list: cb counts the whole element including itself.
struct SHITEMID {
  Word cb;
  Byte abID[1];
};
// A sequence of elements ended by an element whose cb is 0.
struct ITEMIDLIST {
  SHITEMID mkid;
};
using PItemIDList = ITEMIDLIST*;
using PCItemIDList = const ITEMIDLIST*;

// The shell allocator: every identifier list the shell hands out comes from it and goes
// back to it. It counts the blocks it has handed out and not yet taken back.
class TShellMalloc {
 public:
  // A zero-filled block, or nullptr when memory runs out.
  void* Alloc(std::size_t size);
  void Free(void* block);  // nullptr is ignored
  std::size_t GetSize(const void* block) const;
  long LiveBlocks() const;
};
TShellMalloc& SHGetMalloc();

// Enumeration flags.
constexpr DWORD SHCONTF_FOLDERS = 0x20;
constexpr DWORD SHCONTF_NONFOLDERS = 0x40;
constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x80;

// Display name flags.
constexpr DWORD SHGDN_NORMAL = 0x0000;     // relative to the desktop
constexpr DWORD SHGDN_INFOLDER = 0x0001;   // relative to the item's folder
constexpr DWORD SHGDN_FOREDITING = 0x1000;
constexpr DWORD SHGDN_FORPARSING = 0x8000;  // with NORMAL: the full path

// Attributes.
constexpr DWORD SFGAO_CANCOPY = 0x00000001;
constexpr DWORD SFGAO_CANMOVE = 0x00000002;
constexpr DWORD SFGAO_CANLINK = 0x00000004;
constexpr DWORD SFGAO_CANRENAME = 0x00000010;
constexpr DWORD SFGAO_CANDELETE = 0x00000020;
constexpr DWORD SFGAO_HASPROPSHEET = 0x00000040;
constexpr DWORD SFGAO_DROPTARGET = 0x00000100;
constexpr DWORD SFGAO_LINK = 0x00010000;
constexpr DWORD SFGAO_READONLY = 0x00040000;
constexpr DWORD SFGAO_HIDDEN = 0x00080000;
constexpr DWORD SFGAO_STREAM = 0x00400000;  // a folder that is really a file (".zip")
constexpr DWORD SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr DWORD SFGAO_FOLDER = 0x20000000;
constexpr DWORD SFGAO_FILESYSTEM = 0x40000000;
constexpr DWORD SFGAO_HASSUBFOLDER = 0x80000000;
// Attributes whose answer needs more than the identifier itself.
constexpr DWORD SFGAO_SLOWMASK = SFGAO_READONLY | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME |
                                 SFGAO_CANMOVE | SFGAO_CANDELETE;

// Special folders.
constexpr int CSIDL_DESKTOP = 0x00;
constexpr int CSIDL_PERSONAL = 0x05;
constexpr int CSIDL_BITBUCKET = 0x0A;
constexpr int CSIDL_MYMUSIC = 0x0D;
constexpr int CSIDL_MYVIDEO = 0x0E;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x10;
constexpr int CSIDL_DRIVES = 0x11;
constexpr int CSIDL_FONTS = 0x14;
constexpr int CSIDL_TEMPLATES = 0x15;
constexpr int CSIDL_APPDATA = 0x1A;
constexpr int CSIDL_MYPICTURES = 0x27;
constexpr int CSIDL_PROFILE = 0x28;

class IEnumIDList {
 public:
  virtual ~IEnumIDList() = default;
  // The next child (relative, one element), owned by the caller; false at the end.
  virtual bool Next(PItemIDList& item) = 0;
  // How many children the enumeration holds in all.
  virtual int Count() const = 0;
};

class IShellFolder {
 public:
  virtual ~IShellFolder() = default;
  // A path (the desktop: absolute, or relative to the desktop folder; other folders:
  // relative to themselves) to an identifier list relative to this folder.
  virtual int ParseDisplayName(const std::string& name, PItemIDList& result) = 0;
  // A snapshot of the children; fails when the folder cannot be read.
  virtual int EnumObjects(DWORD flags, std::unique_ptr<IEnumIDList>& result) = 0;
  // The folder named by a relative identifier list.
  virtual int BindToObject(PCItemIDList item, std::shared_ptr<IShellFolder>& result) = 0;
  // <0, 0 or >0: the kind of item (home, computer, volumes, entries), then the name
  // without regard to case, then the exact bytes. Identifiers are relative to this
  // folder and may have several elements. Only column 0 exists.
  virtual int CompareIDs(int column, PCItemIDList a, PCItemIDList b) = 0;
  // The requested attribute bits the item has (bits outside SFGAO_SLOWMASK may be set
  // without being asked for).
  virtual DWORD GetAttributesOf(PCItemIDList item, DWORD requested) = 0;
  virtual std::string GetDisplayNameOf(PCItemIDList item, DWORD flags) = 0;
  // Renames a child of this folder (never over an existing name); result is the new
  // relative identifier.
  virtual int SetNameOf(PCItemIDList item, const std::string& newName, PItemIDList& result) = 0;
  // This folder's absolute identifier list (not a copy).
  virtual PCItemIDList AbsoluteID() const = 0;
};

std::shared_ptr<IShellFolder> SHGetDesktopFolder();
// ENOENT when the folder is unknown or does not exist.
int SHGetSpecialFolderLocation(int csidl, PItemIDList& result);
// The file-system path of an absolute identifier list; false for virtual items.
bool SHGetPathFromIDList(PCItemIDList absolute, std::string& path);
// Makes one folder; errno on failure (EEXIST when the name is taken).
int SHCreateDirectory(const std::string& path);

// What the directory entry of a path says (the symbolic link's target when it has one).
struct TShellFileDetails {
  Int64 Size = 0;
  bool Directory = false;
  std::int64_t ModifiedSeconds = 0;  // since 1970-01-01 UTC
  int ModifiedNanoseconds = 0;
  DWORD Mode = 0;                    // type and permission bits
};
// errno on failure.
int SHGetFileDetails(const std::string& path, TShellFileDetails& details);
