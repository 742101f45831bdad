#pragma once
// A folder chooser that starts below a root folder and may open on a chosen folder.
#include <string>

class CBrowseDirDialog {
 public:
  // root: the folder the choice must lie in (empty: anywhere).
  explicit CBrowseDirDialog(std::string root = {});
  virtual ~CBrowseDirDialog() = default;

  // True with the chosen folder in m_strPath; false when cancelled, when the root does not exist or when the
  // folder chosen lies outside the root.
  bool Browse();

  std::string m_strPath;
  std::string m_strInitDir;
  std::string m_strSelDir;
  std::string m_strTitle;
  int m_iImageIndex = 0;
};
