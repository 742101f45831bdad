#pragma once
// The load-balance group commands without windows: they hold the groups shown and their tree, ask the
// load-balance service to change the APs and the database, and keep the groups and the tree equal to what
// the database holds. A command's success is written to the action log only when it succeeded.
//
// The Prepare* calls and the tree are for the UI thread; a command (AddGroup ... DropApOnGroup) does device
// work and may run on a worker thread while the UI thread leaves this object alone.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lbmodel/LoadBalanceForms.h"
#include "lbmodel/LoadBalanceService.h"
#include "lbmodel/LoadBalanceTree.h"

class CLoadBalanceCommands {
 public:
  using ActionLog = std::function<void(const std::string&)>;

  CLoadBalanceCommands(ILoadBalanceService& service, ActionLog actionLog);

  const std::vector<LoadBalanceGroupRecord>& Groups() const { return groups_; }
  const CLoadBalanceTree& Tree() const { return tree_; }
  std::vector<std::string> GroupNames() const;
  bool IsGroupName(const std::string& text) const { return FindGroup(groups_, text) != nullptr; }

  // Reads the groups afresh and rebuilds the tree; false (both left empty) when they cannot be read.
  bool Refresh();

  // The group dialog for a new group: the existing names, the APs in no group as candidates, and of the
  // APs picked in the AP list those in no group ticked (taken out of the candidates).
  CLoadBalanceGroupForm PrepareAddGroup(const std::vector<ApInfoRecord>& picked);
  // The group dialog for adding APs to the group: nothing when there is no such group or no AP.
  std::optional<CLoadBalanceGroupForm> PrepareAddAps(const std::string& groupName);

  // Creates the group of the dialog's ticked APs with balancing on and the group SSID set on them.
  bool AddGroup(const CLoadBalanceGroupForm& form);
  // Adds the dialog's ticked APs to the group; a changed group SSID goes to its members too.
  bool AddAps(const std::string& groupName, const CLoadBalanceGroupForm& form);
  // Switches balancing off on the members, stores it and deletes the group.
  bool DeleteGroup(const std::string& groupName);
  // Switches balancing off on the members and takes each out of the group.
  bool DeleteGroupAps(const std::string& groupName);
  // Takes the AP of the label out of the group.
  bool DeleteApNode(const std::string& groupName, const std::string& apLabel);
  bool RenameGroup(const std::string& oldName, const std::string& newName);
  // Switches the group's balancing on or off, at its APs and in the database.
  bool SetGroupBalancing(const std::string& groupName, bool on);
  // Joins the APs in no group to the group, with its SSID and its balancing.
  bool JoinGroup(const std::string& groupName, const std::vector<ApInfoRecord>& aps);
  // Moves an AP in no group into the group it was dropped on, without its SSID.
  bool DropApOnGroup(const ApInfoRecord& ap, const std::string& groupName);
  // Stores the APs as members of the group with the balancing text and shows them under its node.
  bool AddApsToGroupNode(const std::string& groupName, const std::vector<ApInfoRecord>& aps,
                         const std::string& balancing);
  // Switches balancing at the APs without their SSID and stores it; the APs that could not be set are
  // handed to failed and taken out of aps.
  bool SetApsBalancing(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed, bool on);

  // Expand and collapse.
  void SetExpanded(const std::string& groupName, bool expanded);
  // The summary panel's text; lastPolling as the poller keeps it.
  std::string SummaryText(const std::string& lastPolling);
  // The record of the AP node's label under the group; nothing when either is unknown.
  std::optional<ApInfoRecord> FindAp(const std::string& groupName, const std::string& apLabel) const;

 private:
  // Sets balancing (and with withSsid the SSID) on the APs, takes those that failed out and stores the
  // rest: false when the manager reports a failure.
  bool BalanceAndStore(std::vector<ApInfoRecord>& aps, int balancing, bool withSsid);
  // Switches the members off at the APs and stores "0" for every one of them.
  bool SwitchMembersOff(const LoadBalanceGroupRecord& group);
  // Adds the APs to the group in memory, one per MAC, with the group's balancing text.
  static void AddMembers(LoadBalanceGroupRecord& group, const std::vector<ApInfoRecord>& aps,
                         const std::string& balancing);
  // The candidates matching the ticked APs, each given the SSID.
  static std::vector<ApInfoRecord> PickCandidates(const CLoadBalanceGroupForm& form, const std::string& ssid);
  // The SSID rule: false, with its line logged, when the ticked APs have several SSIDs and none was chosen.
  bool SsidAgreed(const CLoadBalanceGroupForm& form, const std::string& groupName);

  ILoadBalanceService& service_;
  ActionLog log_;
  std::vector<LoadBalanceGroupRecord> groups_;
  CLoadBalanceTree tree_;
};
