#pragma once
// The Basic page of an AP's configuration without its window: the address settings, name, location,
// management host, connection limit and country, their checks and the change-list entries they send.
// The window copies its controls into the fields before each check and before OK.
#include <string>
#include <vector>

#include "config/ApSetEntry.h"
#include "config/ApSheetContext.h"
#include "config/CountryCodeTable.h"

class CApBasicPageModel {
 public:
  // Control ids the checks and marks name.
  enum Control {
    kDynamic = 1072, kStatic = 1076, kIp = 1085, kSubnetMask = 1088, kGateway = 1090, kManagementHost = 1096,
    kName = 1131, kLocation = 1034, kConnectionLimit = 1113, kClients = 1094, kCountry = 1360,
  };
  static constexpr int kMaxName = 30;
  static constexpr int kMaxLocation = 255;

  bool dhcp = true;
  std::string ip, subnetMask, gateway, name, location;
  int connectionLimit = 0;
  std::string countryCode;  // decimal text
  std::string managementHost;
  int onlineStations = 0;
  std::string clientsText;  // what the clients count shows
  // The country box's chosen name; empty while none is chosen.
  std::string countryName;

  const CountryCodeTable& Countries() const { return countries_; }
  // The sync marks of the page's settings.
  static std::vector<SyncMark> Marks(const std::vector<ApSyncMarker>& markers);
  // After the fields are filled: the country name shown, the clients text, the starting values.
  void Start(const ApSheetContext& context);
  // The checks of leaving the page; a new address that another device has asks whether to go on.
  PageCheck Check(const ApSheetContext& context);
  // Appends one entry per changed setting, in the page's fixed order.
  void AppendEntries(const ApSheetContext& context, ApSetEntryList& entries);

 private:
  enum Flag { kFlagDhcp, kFlagIp, kFlagMask, kFlagGateway, kFlagName, kFlagLocation, kFlagCountry, kFlagHost,
              kFlagLimit, kFlagCount };
  void UpdateFlags(const ApSheetContext& context);

  CountryCodeTable countries_;
  bool startDhcp_ = true;
  std::string startIp_, startMask_, startGateway_, startName_, startLocation_, startCountry_, startHost_;
  int startLimit_ = 0;
  bool changed_[kFlagCount] = {};
  std::string acceptedIp_;  // a new address another device has, which the user chose to take anyway
};
