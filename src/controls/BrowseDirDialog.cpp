#include "controls/BrowseDirDialog.h"

#include <wx/dirdlg.h>

#include <algorithm>
#include <filesystem>

namespace {

bool LiesBelow(const std::filesystem::path& folder, const std::filesystem::path& root) {
  auto [rootEnd, folderAt] = std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
  return rootEnd == root.end();
}

}  // namespace

CBrowseDirDialog::CBrowseDirDialog(std::string root)
    : m_strInitDir(std::move(root)), m_strTitle("Please select the directory") {}

bool CBrowseDirDialog::Browse() {
  std::error_code error;
  std::filesystem::path root;
  if (!m_strInitDir.empty()) {
    root = std::filesystem::canonical(m_strInitDir, error);
    if (error || !std::filesystem::is_directory(root)) return false;
  }
  const std::string start = !m_strSelDir.empty() ? m_strSelDir : m_strInitDir;
  wxDirDialog dialog(nullptr, wxString::FromUTF8(m_strTitle.empty() ? "Open" : m_strTitle),
                     wxString::FromUTF8(start), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return false;
  const std::filesystem::path chosen = std::filesystem::canonical(dialog.GetPath().utf8_string(), error);
  if (error || (!root.empty() && !LiesBelow(chosen, root))) return false;
  m_strPath = chosen.string();
  m_iImageIndex = 0;  // every folder shows the same folder icon here
  return true;
}
