-- The tables of the console's database, created once when the database file is made.
-- Readers that select all columns take the device and link tables by position, and the paired tables are
-- copied into each other with "INSERT INTO a SELECT b.* FROM b": keep each pair's column lists identical
-- and keep the column orders below. Numbers that the program writes quoted ('2') are stored as integers by
-- the column affinity and read back as the same digits. MACs and names compare case-insensitively.
-- The column named "index" is a keyword and is quoted wherever it is named.

-- Devices found by discovery and polling (new devices among them) ...
CREATE TABLE device_list (
  name                  TEXT COLLATE NOCASE,   -- 0
  ip                    TEXT,                  -- 1
  mac                   TEXT COLLATE NOCASE,   -- 2
  type                  INTEGER,               -- 3  0 unknown, 1 switch, 2 AP
  port_num              INTEGER,               -- 4
  online                INTEGER,               -- 5
  status                INTEGER,               -- 6
  isnew                 INTEGER,               -- 7
  lastchangetime        TEXT,                  -- 8
  location              TEXT COLLATE NOCASE,   -- 9
  auto                  INTEGER,               -- 10
  x_p                   INTEGER,               -- 11
  y_p                   INTEGER,               -- 12
  auto_position         INTEGER,               -- 13
  x_position            INTEGER,               -- 14
  y_position            INTEGER,               -- 15
  group_balance         TEXT COLLATE NOCASE,   -- 16
  auto_pos_all          INTEGER,               -- 17
  x_pos_all             INTEGER,               -- 18
  y_pos_all             INTEGER,               -- 19
  auto_pos_all_location INTEGER,               -- 20
  x_pos_all_location    INTEGER,               -- 21
  y_pos_all_location    INTEGER,               -- 22
  read_community        TEXT,
  write_community       TEXT,
  sysobjid              TEXT,
  IsPropertySave        INTEGER
);
CREATE INDEX device_list_mac ON device_list (mac);

-- ... and the managed devices: the same columns in the same order.
CREATE TABLE device_list_prev (
  name                  TEXT COLLATE NOCASE,
  ip                    TEXT,
  mac                   TEXT COLLATE NOCASE,
  type                  INTEGER,
  port_num              INTEGER,
  online                INTEGER,
  status                INTEGER,
  isnew                 INTEGER,
  lastchangetime        TEXT,
  location              TEXT COLLATE NOCASE,
  auto                  INTEGER,
  x_p                   INTEGER,
  y_p                   INTEGER,
  auto_position         INTEGER,
  x_position            INTEGER,
  y_position            INTEGER,
  group_balance         TEXT COLLATE NOCASE,
  auto_pos_all          INTEGER,
  x_pos_all             INTEGER,
  y_pos_all             INTEGER,
  auto_pos_all_location INTEGER,
  x_pos_all_location    INTEGER,
  y_pos_all_location    INTEGER,
  read_community        TEXT,
  write_community       TEXT,
  sysobjid              TEXT,
  IsPropertySave        INTEGER
);
CREATE INDEX device_list_prev_mac ON device_list_prev (mac);

-- The stored links of the managed topology and the links of the previous polling pass: same columns.
CREATE TABLE device_map (
  src_ip    TEXT,                 -- 0
  dest_ip   TEXT,                 -- 1
  src_port  INTEGER,              -- 2
  dest_port INTEGER,              -- 3
  src_mac   TEXT COLLATE NOCASE,  -- 4
  dest_mac  TEXT COLLATE NOCASE   -- 5
);
CREATE TABLE device_map_prev (
  src_ip    TEXT,
  dest_ip   TEXT,
  src_port  INTEGER,
  dest_port INTEGER,
  src_mac   TEXT COLLATE NOCASE,
  dest_mac  TEXT COLLATE NOCASE
);

-- The links found by the current polling pass.
CREATE TABLE device_map_polling (
  src_mac   TEXT COLLATE NOCASE,  -- 0
  dest_mac  TEXT COLLATE NOCASE,  -- 1
  src_port  INTEGER,              -- 2
  dest_port INTEGER               -- 3
);

-- One row per AP; each polled object is kept in the column named like its ap_polling_data row.
-- Values are texts ("GETFAIL" marks a failed read).
CREATE TABLE ap_property (
  mac                             TEXT COLLATE NOCASE,
  ip                              TEXT,
  name                            TEXT COLLATE NOCASE,
  location                        TEXT COLLATE NOCASE,
  enterpriseAPSysHWid             TEXT,
  enterpriseAPSysFWVersion        TEXT,
  enterpriseAPSysCfgID            TEXT,
  enterpriseAPSysFlashCFGChecksum TEXT,
  enterpriseAPSysTFTPServer       TEXT,
  enterpriseAPSysSNMPTrapIP       TEXT,
  APSysDHCP                       TEXT,
  APSysSubnetMask                 TEXT,
  APSysDefaultGateway             TEXT,
  APSysCountryCode                TEXT,
  crvAPName                       TEXT,
  crvAPUserNumLimit               TEXT,
  crvAPWaterLevelBalancing        TEXT,
  LoadBalanceStatus               TEXT,
  staNumber                       TEXT,
  crvAPWirelessRadio              TEXT,
  crvAPBGMode                     TEXT,
  crvAPssid                       TEXT,
  crvAPChannel                    TEXT,
  crvapautochannel                TEXT,
  crvAPSuperG                     TEXT,
  crvAPWMMFunc                    TEXT,
  crvAPSSIDBroadcast              TEXT,
  crvAPTxRates                    TEXT,
  crvAPAntennaTransmitPower       TEXT,
  crvAPBeaconInterval             TEXT,
  crvAPRTSThreshold               TEXT,
  crvAPFragmentationThreshold     TEXT,
  crvAPDTIMinterval               TEXT,
  crvAPPreambleType               TEXT,
  crvAPCTSMode                    TEXT,
  WLAN_Partition                  TEXT,
  crvAPSecurityType               TEXT,
  crvAPSecurityCipherType         TEXT,
  crvAPWPAPassPhrase              TEXT,
  crvAPWEP64KeyType               TEXT,
  crvAPWEP64DefaultKeyValue       TEXT,
  crvAPWEP64Key1Value             TEXT,
  crvAPWEP64Key2Value             TEXT,
  crvAPWEP64Key3Value             TEXT,
  crvAPWEP64Key4Value             TEXT,
  crvAPWEP128KeyType              TEXT,
  crvAPWEP128DefaultKeyValue      TEXT,
  crvAPWEP128Key1Value            TEXT,
  crvAPWEP128Key2Value            TEXT,
  crvAPWEP128Key3Value            TEXT,
  crvAPWEP128Key4Value            TEXT,
  crvAPWEP152KeyType              TEXT,
  crvAPWEP152DefaultKeyValue      TEXT,
  crvAPWEP152Key1Value            TEXT,
  crvAPWEP152Key2Value            TEXT,
  crvAPWEP152Key3Value            TEXT,
  crvAPWEP152Key4Value            TEXT,
  radiusIP1                       TEXT,
  radiusPort1                     TEXT,
  radiusSharedSecret1             TEXT,
  radiusIP2                       TEXT,
  radiusPort2                     TEXT,
  radiusSharedSecret2             TEXT,
  filterType                      TEXT,
  autoAssignChannel               TEXT,
  KipAPIP                         TEXT,
  KipAPchannel                    TEXT
);
CREATE INDEX ap_property_mac ON ap_property (mac);

CREATE TABLE switch_property (
  mac         TEXT COLLATE NOCASE,
  ip_address  TEXT,
  sys_name    TEXT COLLATE NOCASE,
  location    TEXT COLLATE NOCASE,
  subnet_mask TEXT,
  gateway     TEXT,
  password    TEXT,
  ipmode      INTEGER,
  anti_rogue  TEXT,
  LLDPonoff   INTEGER,
  objid       TEXT
);

-- Differences between a device's stored configuration and what it reported.
CREATE TABLE sync_result (
  mac      TEXT COLLATE NOCASE,
  property TEXT COLLATE NOCASE,
  "current" TEXT,
  previous TEXT,
  type     TEXT COLLATE NOCASE
);

CREATE TABLE filter_entry (
  mac       TEXT COLLATE NOCASE,
  filterMAC TEXT COLLATE NOCASE
);

-- Exactly one row. community, interval and timeout are read by position 0, 1 and 2.
CREATE TABLE global_setting (
  community                  TEXT,
  interval                   INTEGER,
  timeout                    INTEGER,
  monitor_time               INTEGER,
  threadno                   INTEGER,
  log_level                  INTEGER,
  country_index              INTEGER,
  country_code               INTEGER,
  index_polling              INTEGER,
  w_community                TEXT,
  b_apply_defparam           TEXT,
  trap_ip                    TEXT,
  ssid                       TEXT,
  auto_select_channel        INTEGER,
  security_type              INTEGER,
  wep_64_def_key_value       INTEGER,
  wep_64_key1_value          TEXT,
  wep_64_key2_value          TEXT,
  wep_64_key3_value          TEXT,
  wep_64_key4_value          TEXT,
  wep_128_def_key_value      INTEGER,
  wep_128_key1_value         TEXT,
  wep_128_key2_value         TEXT,
  wep_128_key3_value         TEXT,
  wep_128_key4_value         TEXT,
  wep_152_def_key_value      INTEGER,
  wep_152_key1_value         TEXT,
  wep_152_key2_value         TEXT,
  wep_152_key3_value         TEXT,
  wep_152_key4_value         TEXT,
  crvAPWEP64KeyType          INTEGER,
  security_cipher_type       INTEGER,
  wpa_pass_phrase            TEXT,
  radius_server1_ip          TEXT,
  radius_server1_port        INTEGER,
  radius_server1_secret      TEXT,
  radius_server2_ip          TEXT,
  radius_server2_port        INTEGER,
  radius_server2_secret      TEXT,
  dest_mail_address          TEXT,
  smtp_server_address        TEXT,
  smtp_server_port           TEXT,
  smtp_server_auth_method    TEXT,
  smtp_user_name             TEXT,
  smtp_pwd                   TEXT,
  sender_mail_address        TEXT,
  send_date_type             TEXT,
  send_date_sub_value        TEXT,
  send_time                  TEXT,
  last_send_time             TEXT,
  send_log_level             INTEGER,
  syslog_server_ip           TEXT,
  syslog_send_date_type      TEXT,
  syslog_send_date_sub_value TEXT,
  syslog_send_time           TEXT,
  syslog_last_send_time      TEXT,
  syslog_send_log_level      INTEGER,
  smtp_require_tls           TEXT      -- "1": mail only over a connection STARTTLS secured
);

-- The event log: rows are inserted by position ("INSERT INTO system_log VALUES(...)").
CREATE TABLE system_log (
  "index"     INTEGER,
  datetime    TEXT,     -- local time "YYYY-MM-DD HH:MM:SS"
  type        INTEGER,  -- 1 system-log entry, 0 action-log entry
  level       INTEGER,
  description TEXT
);
CREATE INDEX system_log_index ON system_log ("index");

-- Program accounts; password holds a salted hash (format in seed.sql), never the typed text.
CREATE TABLE system_password (
  username  TEXT COLLATE NOCASE,
  password  TEXT,
  autologin INTEGER
);

CREATE TABLE trap (
  "index"   INTEGER,
  trap_time TEXT,
  trap_des  TEXT
);

-- User-defined AP groups; rows are inserted and read by position.
CREATE TABLE user_def_group (
  group_name           TEXT COLLATE NOCASE,
  group_template_index INTEGER,
  group_device_mac     TEXT COLLATE NOCASE
);

-- One template per group: group_template_index and the 48 template settings, in this order.
CREATE TABLE user_def_group_main_template (
  group_template_index    INTEGER,
  wireless_radio          INTEGER,
  ssid                    TEXT,
  channel                 INTEGER,
  auto_select_channel     INTEGER,
  bg_mode                 INTEGER,
  super_g_mode            INTEGER,
  wmm_function            INTEGER,
  ssid_broadcast          INTEGER,
  security_type           INTEGER,
  wep_64_key_type         INTEGER,
  wep_64_def_key_value    INTEGER,
  wep_64_key1_value       TEXT,
  wep_64_key2_value       TEXT,
  wep_64_key3_value       TEXT,
  wep_64_key4_value       TEXT,
  wep_128_key_type        INTEGER,
  wep_128_def_key_value   INTEGER,
  wep_128_key1_value      TEXT,
  wep_128_key2_value      TEXT,
  wep_128_key3_value      TEXT,
  wep_128_key4_value      TEXT,
  wep_152_key_type        INTEGER,
  wep_152_def_key_value   INTEGER,
  wep_152_key1_value      TEXT,
  wep_152_key2_value      TEXT,
  wep_152_key3_value      TEXT,
  wep_152_key4_value      TEXT,
  security_cipher_type    INTEGER,
  wpa_pass_phrase         TEXT,
  radius_server1_ip       TEXT,
  radius_server1_port     INTEGER,
  radius_server1_secret   TEXT,
  radius_server2_ip       TEXT,
  radius_server2_port     INTEGER,
  radius_server2_secret   TEXT,
  tx_rate                 INTEGER,
  transmit_power          INTEGER,
  beacon_interval         INTEGER,
  rts_threshold           INTEGER,
  fragmentation_threshold INTEGER,
  dtim_interval           INTEGER,
  preamble_type           INTEGER,
  cts_mode                INTEGER,
  mac_filter_type         INTEGER,
  loadbalance_group       INTEGER,
  management_host         TEXT,
  UserNumberLimit         TEXT,
  WLAN_Partition          TEXT
);

CREATE TABLE user_def_group_mac_control (
  group_template_index INTEGER,
  mac_address          TEXT COLLATE NOCASE,
  alias_name           TEXT,
  filter_type          INTEGER
);

CREATE TABLE load_balance_group (
  "index"      INTEGER,
  group_name   TEXT COLLATE NOCASE,
  load_balance INTEGER,
  group_desc   TEXT,
  founder_name TEXT,
  found_time   TEXT,
  type         TEXT
);

CREATE TABLE ap_config (
  group_name TEXT COLLATE NOCASE,
  ip         TEXT,
  mac        TEXT COLLATE NOCASE,
  name       TEXT COLLATE NOCASE,
  ssid       TEXT
);

-- Client-monitor history; all three share the pass counter index_polling.
CREATE TABLE recorder_polling (
  index_polling   INTEGER,
  mac_ap          TEXT COLLATE NOCASE,
  date_polling    INTEGER,
  count_connected INTEGER,
  traffic_ap      INTEGER,
  time_polling    TEXT
);
CREATE INDEX recorder_polling_index ON recorder_polling (index_polling);

CREATE TABLE client_connect_ap (
  mac_ap        TEXT COLLATE NOCASE,
  index_polling INTEGER,
  mac_client    TEXT COLLATE NOCASE,
  RSSI_client   TEXT,
  mode_client   TEXT
);
CREATE INDEX client_connect_ap_index ON client_connect_ap (index_polling);

CREATE TABLE client_info (
  mac_ap        TEXT COLLATE NOCASE,
  index_polling INTEGER,
  mac_client    TEXT COLLATE NOCASE,
  RSSI_client   TEXT,
  mode_client   TEXT,
  client_state  TEXT,
  date_time     TEXT,
  date_polling  INTEGER,
  APssid        TEXT
);
CREATE INDEX client_info_client ON client_info (mac_client);

CREATE TABLE management_segment (
  from_ip TEXT,
  to_ip   TEXT
);

CREATE TABLE support_product (
  model_name     TEXT COLLATE NOCASE,
  sys_object_oid TEXT,
  dev_type       INTEGER,  -- 0 AP, 1 switch (not the device tables' codes)
  oui            TEXT      -- three hexadecimal bytes separated by blanks
);

-- The AP objects polling reads; each name is also a column of ap_property.
CREATE TABLE ap_polling_data (
  name        TEXT COLLATE NOCASE,
  oid         TEXT,  -- starting with "." relative to the AP root, else absolute
  display     INTEGER,  -- TRUE: offered as an AP list column
  displayname TEXT
);

CREATE TABLE ap_usr (
  field_name   TEXT COLLATE NOCASE,
  display_name TEXT
);

CREATE TABLE location (
  location    TEXT COLLATE NOCASE,
  filename    TEXT,
  width       INTEGER,
  height      INTEGER,
  rotateangle INTEGER,
  bmp         BLOB
);

CREATE TABLE quick_launch (
  name    TEXT COLLATE NOCASE,
  from_ip TEXT,
  to_ip   TEXT,
  type    INTEGER
);

CREATE TABLE quicklaunch_list (
  name TEXT COLLATE NOCASE,
  mac  TEXT COLLATE NOCASE
);
