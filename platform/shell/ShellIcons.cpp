// System icons from the desktop's icon theme, by MIME type for files.
#include "platform/shell/ShellIcons.h"

#include <QDir>
#include <QStringList>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>

#include <strings.h>

#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
#include "platform/shell/ShellItems.h"
#include "platform/shell/UserDirs.h"

using namespace shellitems;

namespace {

constexpr int kSmall = 16;
constexpr int kLarge = 32;

struct TIconCache {
  std::unique_ptr<TImageList> Small;
  std::unique_ptr<TImageList> Large;
  std::map<std::string, int> IndexByIcon;
  std::map<std::string, std::string> IconByKey;  // ".ext" or "=name" -> icon name
  std::map<std::string, std::string> FolderIcons;  // special folder path -> icon name
  QMimeDatabase Mime;

  TIconCache() {
    Small = std::make_unique<TImageList>(nullptr);
    Small->SetWidth(kSmall);
    Small->SetHeight(kSmall);
    Large = std::make_unique<TImageList>(nullptr);
    Large->SetWidth(kLarge);
    Large->SetHeight(kLarge);
    const std::pair<const char*, const char*> special[] = {
        {"DESKTOP", "user-desktop"},       {"DOCUMENTS", "folder-documents"},
        {"DOWNLOAD", "folder-download"},   {"MUSIC", "folder-music"},
        {"PICTURES", "folder-pictures"},   {"PUBLICSHARE", "folder-publicshare"},
        {"TEMPLATES", "folder-templates"}, {"VIDEOS", "folder-videos"}};
    for (const auto& [key, icon] : special) FolderIcons[UserDirectory(key)] = icon;
    FolderIcons[HomeDirectory()] = "user-home";
    // Without a desktop session (the offscreen platform) neither the theme folders nor a
    // theme are known; the XDG data folders and the theme the setup installs serve.
    QStringList paths = QIcon::themeSearchPaths();
    QStringList wanted{QString::fromStdString(HomeDirectory()) + "/.local/share/icons"};
    const QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (const QString& d : dataDirs.split(':', Qt::SkipEmptyParts)) wanted << d + "/icons";
    wanted << "/usr/share/icons";
    for (const QString& w : wanted)
      if (!paths.contains(w) && QDir(w).exists()) paths << w;
    QIcon::setThemeSearchPaths(paths);
    const QString theme = QIcon::themeName();
    if ((theme.isEmpty() || theme == "hicolor") && QDir("/usr/share/icons/Adwaita").exists())
      QIcon::setThemeName("Adwaita");
    if (QIcon::fallbackThemeName().isEmpty()) QIcon::setFallbackThemeName("hicolor");
  }

  void AddImage(const QIcon& icon, TImageList* list, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!icon.isNull() && QGuiApplication::instance()) {
      const QPixmap pm = icon.pixmap(size, size);
      QPainter p(&image);
      p.drawPixmap((size - pm.width()) / 2, (size - pm.height()) / 2, pm);
    }
    std::vector<std::uint32_t> argb(size_t(size) * size);
    for (int y = 0; y < size; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < size; ++x) argb[size_t(y) * size + x] = row[x];
    }
    TIcon ic;
    ic.SetFromArgb(size, size, argb.data());
    list->AddIcon(&ic);
  }

  int IndexOf(const std::string& name) {
    if (const auto f = IndexByIcon.find(name); f != IndexByIcon.end()) return f->second;
    QIcon icon;
    if (QGuiApplication::instance()) {
      icon = QIcon::fromTheme(QString::fromStdString(name));
      if (icon.isNull()) icon = QIcon::fromTheme("application-x-generic");
    }
    const int index = Small->Count();
    AddImage(icon, Small.get(), kSmall);
    AddImage(icon, Large.get(), kLarge);
    IndexByIcon[name] = index;
    return index;
  }

  std::string FileIcon(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    std::string key;
    if (dot != std::string::npos && dot > 0 && dot + 1 < name.size()) {
      key = name.substr(dot);
      for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
    } else {
      key = "=" + name;
    }
    if (const auto f = IconByKey.find(key); f != IconByKey.end()) return f->second;
    // The name is looked at, never the content: a listing must not read every file.
    const QString qname = key[0] == '.' ? "x" + QString::fromUtf8(key) : QString::fromUtf8(name);
    const QMimeType mime = Mime.mimeTypeForFile(qname, QMimeDatabase::MatchExtension);
    std::string icon = "application-x-generic";
    if (mime.isValid()) {
      if (QIcon::hasThemeIcon(mime.iconName()))
        icon = mime.iconName().toStdString();
      else if (QIcon::hasThemeIcon(mime.genericIconName()))
        icon = mime.genericIconName().toStdString();
      else if (mime.inherits("text/plain"))
        icon = "text-x-generic";
    }
    if (IconByKey.size() > 4096) IconByKey.clear();
    IconByKey[key] = icon;
    return icon;
  }

  std::string IconName(const TItem& it, bool open) {
    switch (it.Kind) {
      case kDesktop: return "user-desktop";
      case kHome: return "user-home";
      case kComputer: return "computer";
      case kVolume:
        return it.Path.rfind("/media/", 0) == 0 || it.Path.rfind("/run/media/", 0) == 0
                   ? "drive-removable-media"
                   : "drive-harddisk";
      case kEntry: break;
    }
    if (it.Flags & efBroken) return "inode-symlink";
    const bool zip = it.Name.size() >= 4 && strcasecmp(it.Name.c_str() + it.Name.size() - 4, ".zip") == 0;
    if ((it.Flags & efFolder) && !zip) {
      if (const auto f = FolderIcons.find(it.Path); f != FolderIcons.end()) return f->second;
      return open ? "folder-open" : "folder";
    }
    return FileIcon(it.Name);
  }
};

TIconCache& Cache() {
  // Never destroyed: image lists may be drawn until the very end of the program.
  static TIconCache* cache = new TIconCache;
  return *cache;
}

}  // namespace

std::string SHGetIconName(PCItemIDList absolute, unsigned flags) {
  TItem it;
  if (!Resolve(absolute, it)) return {};
  return Cache().IconName(it, flags & SHGFI_OPENICON);
}

int SHGetIconIndex(PCItemIDList absolute, unsigned flags) {
  const std::string name = SHGetIconName(absolute, flags);
  return name.empty() ? -1 : Cache().IndexOf(name);
}

TImageList* SHGetSystemImageList(bool large) {
  return large ? Cache().Large.get() : Cache().Small.get();
}
