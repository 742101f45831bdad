#pragma once
// The settings menus of a chart as data: command items with an id, a caption and a check mark, separators
// and popups. The window side shows it as a toolkit menu (CChartMenuHost) and returns the chosen id.
#include <memory>
#include <string>
#include <vector>

enum : unsigned { kMenuChecked = 0x8 };

class CChartMenu {
 public:
  struct Item {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    int id = 0;
    std::string caption;
    unsigned flags = 0;                // kMenuChecked
    std::unique_ptr<CChartMenu> popup;  // Popup only

    bool Checked() const { return (flags & kMenuChecked) != 0; }
  };

  void AppendCommand(int id, const std::string& caption, unsigned flags = 0);
  void AppendSeparator();
  void AppendPopup(const std::string& caption, CChartMenu popup);

  const std::vector<Item>& Items() const { return items_; }
  // The command item with that id, searched through every popup; null when there is none.
  const Item* FindCommand(int id) const;
  // The popup item with that caption at this level; null when there is none.
  const CChartMenu* FindPopup(const std::string& caption) const;

 private:
  std::vector<Item> items_;
};

// Shows a menu at a screen position for its owner and returns the chosen command id, 0 when cancelled.
class CChartMenuHost {
 public:
  virtual ~CChartMenuHost() = default;
  virtual int TrackPopupMenu(const CChartMenu& menu, int screenX, int screenY) = 0;
};
