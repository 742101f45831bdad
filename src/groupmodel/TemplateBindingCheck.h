#pragma once
// The template sheet's refusal of an include click: a member AP of the edited group that another group
// already binds on that property. The bindings are read once, before the sheet runs.
#include <vector>

#include "groupmodel/FieldBindingCheck.h"
#include "groups/GroupBindRecord.h"

class CTemplateBindingCheck : public IFieldBindingCheck {
 public:
  std::vector<GroupBindRecord>& Bindings() { return bindings_; }
  // True when no binding holds the property; else shows that binding's warning (properties 0 to 16)
  // and answers false. Indexes outside 0 to 16 are never refused.
  bool CheckFieldBinding(int property) override;

 private:
  std::vector<GroupBindRecord> bindings_;
};
