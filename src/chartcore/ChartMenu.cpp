#include "chartcore/ChartMenu.h"

void CChartMenu::AppendCommand(int id, const std::string& caption, unsigned flags) {
  Item item;
  item.id = id;
  item.caption = caption;
  item.flags = flags;
  items_.push_back(std::move(item));
}

void CChartMenu::AppendSeparator() {
  Item item;
  item.kind = Item::Kind::Separator;
  items_.push_back(std::move(item));
}

void CChartMenu::AppendPopup(const std::string& caption, CChartMenu popup) {
  Item item;
  item.kind = Item::Kind::Popup;
  item.caption = caption;
  item.popup = std::make_unique<CChartMenu>(std::move(popup));
  items_.push_back(std::move(item));
}

const CChartMenu::Item* CChartMenu::FindCommand(int id) const {
  for (const Item& item : items_) {
    if (item.kind == Item::Kind::Command && item.id == id) return &item;
    if (item.kind == Item::Kind::Popup) {
      if (const Item* found = item.popup->FindCommand(id)) return found;
    }
  }
  return nullptr;
}

const CChartMenu* CChartMenu::FindPopup(const std::string& caption) const {
  for (const Item& item : items_) {
    if (item.kind == Item::Kind::Popup && item.caption == caption) return item.popup.get();
  }
  return nullptr;
}
