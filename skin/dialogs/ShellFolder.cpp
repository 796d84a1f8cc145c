// Shell folder objects and root resolution.
#include "skin/dialogs/ShellFolder.h"

#include <cerrno>
#include <ctime>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "platform/shell/ShellIcons.h"
#include "skin/dialogs/ItemIdLists.h"

DWORD ObjectFlags(TShellObjectTypes Types) {
  DWORD flags = 0;
  if (Types.Contains(otFolders)) flags |= SHCONTF_FOLDERS;
  if (Types.Contains(otNonFolders)) flags |= SHCONTF_NONFOLDERS;
  if (Types.Contains(otHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

int RootFolderCSIDL(const std::string& Name) {
  static const std::pair<const char*, int> names[] = {
      {"rfDesktop", 0x00},        {"rfMyComputer", 0x11},       {"rfNetwork", 0x12},
      {"rfRecycleBin", 0x0A},     {"rfAppData", 0x1A},          {"rfCommonDesktopDirectory", 0x19},
      {"rfCommonPrograms", 0x17}, {"rfCommonStartMenu", 0x16},  {"rfCommonStartup", 0x18},
      {"rfControlPanel", 0x03},   {"rfDesktopDirectory", 0x10}, {"rfFavorites", 0x06},
      {"rfFonts", 0x14},          {"rfInternet", 0x01},         {"rfPersonal", 0x05},
      {"rfPrinters", 0x04},       {"rfPrintHood", 0x1B},        {"rfPrograms", 0x02},
      {"rfRecent", 0x08},         {"rfSendTo", 0x09},           {"rfStartMenu", 0x0B},
      {"rfStartup", 0x07},        {"rfTemplates", 0x15}};
  for (const auto& [name, id] : names)
    if (SameText(Name, name)) return id;
  return -1;
}

TbsShellFolder::TbsShellFolder(TbsShellFolder* AParent, PCItemIDList ID,
                               std::shared_ptr<IShellFolder> SF)
    : FParent(AParent), FShellFolder(std::move(SF)) {
  FPIDL = CopyPIDL(ID);
  if (FParent) {
    FFullPIDL = ConcatPIDLs(FParent->AbsoluteID(), ID);
    FLevel = FParent->Level() + 1;
  } else {
    // Without a parent the identifier is relative to the desktop.
    FFullPIDL = CopyPIDL(ID);
  }
}

TbsShellFolder::~TbsShellFolder() {
  DisposePIDL(FPIDL);
  DisposePIDL(FFullPIDL);
}

std::shared_ptr<IShellFolder> TbsShellFolder::BoundFolder() {
  if (!FBound) {
    if (GetPIDLCount(FFullPIDL) == 0) {
      FBound = SHGetDesktopFolder();
    } else if (FShellFolder) {
      FShellFolder->BindToObject(FPIDL, FBound);
    }
  }
  return FBound;
}

std::string TbsShellFolder::DisplayName() const {
  return FShellFolder ? FShellFolder->GetDisplayNameOf(FPIDL, SHGDN_INFOLDER) : std::string();
}

std::string TbsShellFolder::PathName() const {
  const std::string path = SHGetDesktopFolder()->GetDisplayNameOf(FFullPIDL, SHGDN_FORPARSING);
  // A virtual item has no path: its name stands in.
  if (path.compare(0, 3, "::{") == 0) return DisplayName();
  return path;
}

bool TbsShellFolder::IsFolder() const {
  if (!FShellFolder || !(FShellFolder->GetAttributesOf(FPIDL, SFGAO_FOLDER) & SFGAO_FOLDER))
    return false;
  return UpperCase(ExtractFileExt(PathName())) != ".ZIP";
}

bool TbsShellFolder::SubFolders() const {
  return FShellFolder && (FShellFolder->GetAttributesOf(FPIDL, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER);
}

bool TbsShellFolder::IsFileSystem() const {
  return FShellFolder && (FShellFolder->GetAttributesOf(FPIDL, SFGAO_FILESYSTEM) & SFGAO_FILESYSTEM);
}

TShellFolderCapabilities TbsShellFolder::Capabilities() const {
  TShellFolderCapabilities caps;
  if (!FShellFolder) return caps;
  const DWORD a = FShellFolder->GetAttributesOf(
      FPIDL, SFGAO_CANCOPY | SFGAO_CANDELETE | SFGAO_CANLINK | SFGAO_CANMOVE | SFGAO_CANRENAME |
                 SFGAO_DROPTARGET | SFGAO_HASPROPSHEET);
  if (a & SFGAO_CANCOPY) caps.Include(TShellFolderCapability::fcCanCopy);
  if (a & SFGAO_CANDELETE) caps.Include(TShellFolderCapability::fcCanDelete);
  if (a & SFGAO_CANLINK) caps.Include(TShellFolderCapability::fcCanLink);
  if (a & SFGAO_CANMOVE) caps.Include(TShellFolderCapability::fcCanMove);
  if (a & SFGAO_CANRENAME) caps.Include(TShellFolderCapability::fcCanRename);
  if (a & SFGAO_DROPTARGET) caps.Include(TShellFolderCapability::fcDropTarget);
  if (a & SFGAO_HASPROPSHEET) caps.Include(TShellFolderCapability::fcHasPropSheet);
  return caps;
}

int TbsShellFolder::ImageIndex(bool LargeIcon, bool Open) const {
  return SHGetIconIndex(FFullPIDL, (LargeIcon ? SHGFI_LARGEICON : SHGFI_SMALLICON) |
                                       (Open ? SHGFI_OPENICON : 0));
}

void TbsShellFolder::Rename(const std::string& NewName) {
  PItemIDList last = RelativeFromAbsolute(FPIDL);
  TPIDLHolder lastHolder(last);
  PItemIDList renamed = nullptr;
  // The shell renames through the folder that holds the item itself.
  std::shared_ptr<IShellFolder> holder = FShellFolder;
  PItemIDList prefix = CopyPIDL(FPIDL);
  TPIDLHolder prefixHolder(prefix);
  StripLastID(prefix);
  if (GetPIDLCount(prefix) > 0 && holder) {
    std::shared_ptr<IShellFolder> bound;
    holder = holder->BindToObject(prefix, bound) == 0 ? bound : nullptr;
  }
  if (!holder || holder->SetNameOf(last, NewName, renamed) != 0 || !renamed)
    throw Exception(Format("Rename to %s failed", NewName.c_str()));
  TPIDLHolder renamedHolder(renamed);
  PItemIDList newRelative = ConcatPIDLs(prefix, renamed);
  DisposePIDL(FPIDL);
  FPIDL = newRelative;
  PItemIDList newFull = CopyPIDL(FFullPIDL);
  StripLastID(newFull);
  DisposePIDL(FFullPIDL);
  FFullPIDL = ConcatPIDLs(newFull, renamed);
  DisposePIDL(newFull);
  FBound.reset();
  FDetailsLoaded = false;
}

bool TbsShellFolder::ExecuteCommandByVerb(const std::string& Verb) {
  // The desktop offers no property sheets or other item commands.
  return false;
}

void TbsShellFolder::LoadColumnDetails(int ColumnCount) {
  FDetails.clear();
  FDetails.push_back(DisplayName());
  if (ColumnCount > 1 && IsFileSystem()) {
    const std::string path = PathName();
    TShellFileDetails d;
    if (const int err = SHGetFileDetails(path, d))
      throw Exception(Format("Unable to retrieve folder details for \"%s\". Error code $%x",
                             path.c_str(), unsigned(err)));
    FDetails.push_back(d.Directory ? std::string() : IntToStr(d.Size));
    FDetails.push_back(d.Directory ? std::string() : ExtractFileExt(path));
    char text[32] = "";
    const std::time_t t = std::time_t(d.ModifiedSeconds);
    std::tm local {};
    if (localtime_r(&t, &local)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    FDetails.push_back(text);
    FDetails.push_back(IntToStr(d.Mode));
  }
  while (int(FDetails.size()) < ColumnCount) FDetails.emplace_back();
  FDetailsLoaded = true;
}

std::string TbsShellFolder::Details(int Index) const {
  if (!FDetailsLoaded)
    throw Exception(Format("%s: Missing call to LoadColumnDetails", DisplayName().c_str()));
  return Index >= 0 && Index < int(FDetails.size()) ? FDetails[size_t(Index)] : std::string();
}

TbsShellFolder* DesktopShellFolder() {
  static TbsShellFolder* desktop = [] {
    PItemIDList id = nullptr;
    SHGetSpecialFolderLocation(CSIDL_DESKTOP, id);
    TPIDLHolder holder(id);
    return new TbsShellFolder(nullptr, id, SHGetDesktopFolder());
  }();
  return desktop;
}

std::unique_ptr<TbsShellFolder> CreateRootFolder(const std::string& Root) {
  PItemIDList id = nullptr;
  int err = EINVAL;
  const int csidl = RootFolderCSIDL(Root);
  if (csidl >= 0) {
    err = SHGetSpecialFolderLocation(csidl, id);
  } else if (!Root.empty()) {
    std::string path = Root;
    if (path.back() == ':') path += '/';
    err = SHGetDesktopFolder()->ParseDisplayName(path, id);
  }
  TPIDLHolder holder(id);
  if (err != 0 || !id) throw EInvalidPath(Format("Error setting path: \"%s\"", Root.c_str()));
  return std::make_unique<TbsShellFolder>(nullptr, id, SHGetDesktopFolder());
}
