#include "framework/controls/OpenDialog.h"

#include <filesystem>
#include <system_error>

#include "framework/core/Exceptions.h"
#include "framework/windows/Application.h"

namespace {
TOpenDialogHook& Hook() {
  static TOpenDialogHook hook;
  return hook;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t p = s.find(sep, start);
    parts.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  return parts;
}

bool HasExtension(const std::filesystem::path& p) {
  std::string name = p.filename().string();
  size_t dot = name.rfind('.');
  return dot != std::string::npos && dot > 0 && dot + 1 < name.size();
}
}  // namespace

const std::vector<std::string>& OpenOptionNames() {
  static const std::vector<std::string> names = {
      "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
      "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
      "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
      "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
      "ofDontAddToRecent", "ofForceShowHidden"};
  return names;
}

std::vector<TFileFilter> ParseFileFilter(const std::string& filter) {
  std::vector<TFileFilter> out;
  if (Trim(filter).empty()) return out;
  std::vector<std::string> parts = Split(filter, '|');
  if (parts.size() % 2 != 0)
    throw EConvertError("The file filter \"" + filter + "\" has a description without patterns");
  for (size_t i = 0; i < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = parts[i];
    for (const std::string& p : Split(parts[i + 1], ';'))
      if (std::string t = Trim(p); !t.empty()) f.Patterns.push_back(t);
    if (f.Patterns.empty())
      throw EConvertError("The file filter \"" + filter + "\" has no patterns for \"" + f.Description + "\"");
    out.push_back(std::move(f));
  }
  return out;
}

void SetOpenDialogHook(TOpenDialogHook hook) { Hook() = std::move(hook); }

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& v) {
  // Stored with or without the dot; kept without.
  FDefaultExt = !v.empty() && v[0] == '.' ? v.substr(1) : v;
}

bool TOpenDialog::Accept(const std::vector<std::string>& chosen, int filterIndex) {
  namespace fs = std::filesystem;
  FLastError.clear();
  if (chosen.empty()) {
    FLastError = "No file was chosen";
    return false;
  }
  std::vector<std::string> paths;
  for (const std::string& name : chosen) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(name), ec);
    if (ec) p = fs::path(name);
    p = p.lexically_normal();
    if (!FDefaultExt.empty() && !HasExtension(p) && !fs::exists(p, ec)) p += "." + FDefaultExt;
    if (FOptions.Contains(ofPathMustExist) || FOptions.Contains(ofFileMustExist)) {
      if (!fs::is_directory(p.parent_path(), ec)) {
        FLastError = "The folder of " + p.string() + " does not exist";
        return false;
      }
    }
    if (FOptions.Contains(ofFileMustExist) && !fs::is_regular_file(p, ec)) {
      FLastError = "File not found: " + p.string();
      return false;
    }
    paths.push_back(p.string());
  }
  if (!FOptions.Contains(ofAllowMultiSelect)) paths.resize(1);
  FFiles.BeginUpdate();
  FFiles.Clear();
  for (const std::string& p : paths) FFiles.Add(p);
  FFiles.EndUpdate();
  FFileName = paths.front();
  if (filterIndex >= 1) FFilterIndex = filterIndex;
  return true;
}

bool TOpenDialog::Execute() {
  FLastError.clear();
  if (Hook()) {
    auto hook = Hook();  // the hook may replace itself
    return hook(this);
  }
  return ShowWindow();
}
