#pragma once
// TbsShellFolder: one item of the shell name space as the file list and the folder box
// hold it: its parent, the parent's shell folder, its identifiers, names, attributes,
// icon and detail texts. Also the root folder names and the resolution of a root text.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Set.h"
#include "platform/shell/Shell.h"

enum class TRootFolder {
  rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory,
  rfCommonPrograms, rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory,
  rfFavorites, rfFonts, rfInternet, rfPersonal, rfPrinters, rfPrintHood, rfPrograms,
  rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};

enum class TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TSet<TShellObjectType>;
constexpr auto otFolders = TShellObjectType::otFolders;
constexpr auto otNonFolders = TShellObjectType::otNonFolders;
constexpr auto otHidden = TShellObjectType::otHidden;
// The enumeration flags of a set of object types.
DWORD ObjectFlags(TShellObjectTypes Types);

enum class TShellFolderCapability {
  fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet
};
using TShellFolderCapabilities = TSet<TShellFolderCapability>;

// The special folder a root folder name selects, or -1 when the text is not one (the
// name is matched without regard to case).
int RootFolderCSIDL(const std::string& Name);

class TbsShellFolder {
 public:
  // ID is relative to SF, the shell folder through which the item is addressed. Without
  // a parent the item hangs from the desktop (level 0) and ID may have several elements.
  TbsShellFolder(TbsShellFolder* AParent, PCItemIDList ID, std::shared_ptr<IShellFolder> SF);
  ~TbsShellFolder();
  TbsShellFolder(const TbsShellFolder&) = delete;
  TbsShellFolder& operator=(const TbsShellFolder&) = delete;

  TbsShellFolder* Parent() const { return FParent; }
  IShellFolder* ShellFolder() const { return FShellFolder.get(); }
  // The item's own shell folder (for its children), bound on first use; nullptr for an
  // item that is not a folder.
  std::shared_ptr<IShellFolder> BoundFolder();
  PCItemIDList RelativeID() const { return FPIDL; }
  PCItemIDList AbsoluteID() const { return FFullPIDL; }
  int Level() const { return FLevel; }

  std::string DisplayName() const;
  std::string PathName() const;
  bool IsFolder() const;
  bool SubFolders() const;
  bool IsFileSystem() const;
  TShellFolderCapabilities Capabilities() const;
  int ImageIndex(bool LargeIcon, bool Open = false) const;
  // Raises "Rename to %s failed" when the shell refuses.
  void Rename(const std::string& NewName);
  // Runs a shell command on the item by verb; false when the shell has no such command.
  bool ExecuteCommandByVerb(const std::string& Verb);

  // The file list's columns: 0 the name, then size, type and modification time.
  void LoadColumnDetails(int ColumnCount);
  // Raises "%s: Missing call to LoadColumnDetails" before the details are loaded.
  std::string Details(int Index) const;
  int DetailCount() const { return int(FDetails.size()); }

 private:
  TbsShellFolder* FParent = nullptr;
  std::shared_ptr<IShellFolder> FShellFolder;
  std::shared_ptr<IShellFolder> FBound;
  PItemIDList FPIDL = nullptr;
  PItemIDList FFullPIDL = nullptr;
  int FLevel = 0;
  bool FDetailsLoaded = false;
  std::vector<std::string> FDetails;
};

// The desktop object, made once for the whole program.
TbsShellFolder* DesktopShellFolder();

// Resolves a root text (a root folder name or a path; a text ending in ':' gets the
// path separator) to a new folder object made from its absolute identifier. Raises
// EInvalidPath "Error setting path: "%s"" for an empty text or one the shell cannot resolve.
std::unique_ptr<TbsShellFolder> CreateRootFolder(const std::string& Root);
