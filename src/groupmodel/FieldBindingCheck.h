#pragma once
// Asked by a template page before an include box may change: false when another group of a member AP
// already sets that property (the check has then told the user why).
class IFieldBindingCheck {
 public:
  virtual ~IFieldBindingCheck() = default;
  virtual bool CheckFieldBinding(int property) = 0;
};
