#pragma once
// Between a group's template record and the three template pages: a record fills the pages before a sheet
// opens, and after OK the pages give a new record holding only what they include (the caller passes a
// fresh record, in which everything else stays out of the template).
#include "db/GroupTemplateRecord.h"
#include "groupmodel/AdvancedPageModel.h"
#include "groupmodel/MacFilterPageModel.h"
#include "groupmodel/WirelessPageModel.h"

struct TemplatePages {
  CWirelessPageModel& wireless;
  CAdvancedPageModel& advanced;
  CMacFilterPageModel& macFilter;
};

void PagesFromTemplate(const GroupTemplateRecord& record, TemplatePages pages);
void TemplateFromPages(TemplatePages pages, GroupTemplateRecord* record);
