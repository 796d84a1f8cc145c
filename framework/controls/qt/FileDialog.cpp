// The open dialog's own window: Qt's file dialog (not the desktop's), modal to the program.
#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <filesystem>

#include "framework/controls/OpenDialog.h"
#include "framework/windows/Application.h"
#include "framework/windows/Windows.h"

namespace {
// The Qt form of one filter: "Description (pat1 pat2)"; "*.*" means every file there.
QString QtNameFilter(const TFileFilter& f) {
  QStringList patterns;
  for (const std::string& p : f.Patterns) patterns << (p == "*.*" ? QStringLiteral("*") : QString::fromStdString(p));
  return QString::fromStdString(f.Description) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}
}  // namespace

bool TOpenDialog::ShowWindow() {
  std::vector<TFileFilter> filters = ParseFileFilter(FFilter);
  QFileDialog dlg(nullptr, QString::fromStdString(FTitle.empty() ? std::string("Open") : FTitle));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setWindowModality(Qt::ApplicationModal);
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  if (FOptions.Contains(ofAllowMultiSelect))
    dlg.setFileMode(QFileDialog::ExistingFiles);
  else if (FOptions.Contains(ofFileMustExist))
    dlg.setFileMode(QFileDialog::ExistingFile);
  else
    dlg.setFileMode(QFileDialog::AnyFile);
  if (FOptions.Contains(ofForceShowHidden)) dlg.setFilter(dlg.filter() | QDir::Hidden);

  QStringList names;
  for (const TFileFilter& f : filters) names << QtNameFilter(f);
  if (!names.isEmpty()) {
    dlg.setNameFilters(names);
    int index = FFilterIndex >= 1 && FFilterIndex <= names.size() ? FFilterIndex - 1 : 0;
    dlg.selectNameFilter(names[index]);
  }
  std::filesystem::path start(FFileName);
  if (!FInitialDir.empty())
    dlg.setDirectory(QString::fromStdString(FInitialDir));
  else if (start.has_parent_path())
    dlg.setDirectory(QString::fromStdString(start.parent_path().string()));
  if (!FFileName.empty()) dlg.selectFile(QString::fromStdString(start.filename().string()));

  if (OnShow) OnShow(this);
  bool accepted = false;
  while (dlg.exec() == QDialog::Accepted) {
    std::vector<std::string> chosen;
    for (const QString& f : dlg.selectedFiles()) chosen.push_back(f.toStdString());
    int filterIndex = int(names.indexOf(dlg.selectedNameFilter())) + 1;
    if (Accept(chosen, filterIndex)) {
      accepted = true;
      break;
    }
    // Refused: say why and let the user choose again, as the classic dialog does.
    Application->MessageBox(FLastError, FTitle.empty() ? "Open" : FTitle, MB_OK | MB_ICONWARNING);
  }
  if (OnClose) OnClose(this);
  return accepted;
}
