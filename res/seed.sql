-- The rows the program needs and never creates, loaded once into a new database file after schema.sql.
-- Models, polled AP objects and captions match the simulated devices of the reference network.

-- The one settings row: poll every 60 s with a 1 s SNMP time-out, client monitor every 600 s, 5 polling
-- threads, all four log levels, country United_States (list position 109, AP code 840), discovery password
-- "private"; mail and syslog send nothing (send type "0") until the user chooses a schedule. Default AP
-- parameters and the other mail and syslog settings stay unset (NULL) until the user saves them.
INSERT INTO global_setting (community, interval, timeout, monitor_time, threadno, log_level, country_index,
                            country_code, index_polling, w_community, b_apply_defparam, send_date_type,
                            syslog_send_date_type)
VALUES ('public', 60, 1, 600, 5, 15, 109, 840, 0, 'private', '0', '0', '0');

-- The built-in group "default" (its anchor row, no member) and its template 0, which sets nothing:
-- -1 in a number and the empty text mean "not part of the template"; load balancing is off.
INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES ('default', 0, '');
INSERT INTO user_def_group_main_template VALUES (
  0,                          -- group_template_index
  -1, '', -1, -1, -1, -1, -1, -1, -1,   -- wireless_radio, ssid, channel, auto_select_channel, bg_mode,
                                        -- super_g_mode, wmm_function, ssid_broadcast, security_type
  -1, -1, '', '', '', '',     -- 64-bit WEP: key type, default key, keys 1-4
  -1, -1, '', '', '', '',     -- 128-bit WEP
  -1, -1, '', '', '', '',     -- 152-bit WEP
  -1, '',                     -- security_cipher_type, wpa_pass_phrase
  '', -1, '', '', -1, '',     -- RADIUS servers 1 and 2: ip, port, secret
  -1, -1, -1, -1, -1, -1, -1, -1,  -- tx_rate, transmit_power, beacon_interval, rts_threshold,
                                   -- fragmentation_threshold, dtim_interval, preamble_type, cts_mode
  -1,                         -- mac_filter_type
  0,                          -- loadbalance_group
  '', '', '');                -- management_host, UserNumberLimit, WLAN_Partition

-- Supported models. dev_type here is 0 for an AP and 1 for a switch. 02 44 71 is a locally administered
-- prefix. The AP's OID has no leading dot.
INSERT INTO support_product (model_name, sys_object_oid, dev_type, oui) VALUES
  ('Velmora-A',   '1.3.6.1.4.1.44711.1',       0, '02 44 71'),
  ('Corvath-S16', '1.3.6.1.4.1.44711.10.76.1', 1, '02 44 71'),
  ('Corvath-S24', '1.3.6.1.4.1.44711.10.76.2', 1, '02 44 71');

-- The AP objects that polling reads; each name is the ap_property column that keeps the value.
INSERT INTO ap_polling_data (name, oid, display, displayname) VALUES
  ('enterpriseAPSysCfgID',            '.1.11.0',            FALSE, 'Config ID'),
  ('enterpriseAPSysFWVersion',        '.1.6.0',             TRUE,  'Firmware'),
  ('enterpriseAPSysHWid',             '.1.5.0',             TRUE,  'Hardware ID'),
  ('enterpriseAPSysFlashCFGChecksum', '.1.7.0',             FALSE, 'Config Checksum'),
  ('enterpriseAPSysTFTPServer',       '.1.8.0',             FALSE, 'TFTP Server'),
  ('enterpriseAPSysSNMPTrapIP',       '.1.9.0',             TRUE,  'Management Host'),
  ('APSysDHCP',                       '.1.10.1.0',          TRUE,  'DHCP'),
  ('APSysDefaultGateway',             '.1.10.3.0',          FALSE, 'Gateway'),
  ('APSysSubnetMask',                 '.1.10.4.0',          FALSE, 'Subnet Mask'),
  ('APSysCountryCode',                '.1.14.0',            FALSE, 'Country'),
  ('staNumber',                       '.2.1.0',             TRUE,  'Clients'),
  ('filterType',                      '.3.1.0',             FALSE, 'MAC Filter'),
  ('crvAPName',                       '1.3.6.1.2.1.1.5.0',  FALSE, 'AP Name'),
  ('location',                        '1.3.6.1.2.1.1.6.0',  TRUE,  'Location'),
  ('crvAPChannel',                    '.4.2.0',             TRUE,  'Channel'),
  ('crvapautochannel',                '.4.26.0',            TRUE,  'Auto Channel'),
  ('crvAPssid',                       '.4.3.0',             TRUE,  'SSID'),
  ('crvAPSuperG',                     '.4.4.0',             FALSE, 'Super G'),
  ('crvAPSecurityType',               '.4.5.1.0',           TRUE,  'Security Type'),
  ('crvAPSecurityCipherType',         '.4.5.2.0',           FALSE, 'Cipher'),
  ('crvAPWPAPassPhrase',              '.4.5.3.0',           FALSE, 'Pass Phrase'),
  ('crvAPWEP64KeyType',               '.4.5.4.1.1.0',       FALSE, 'crvAPWEP64KeyType'),
  ('crvAPWEP64DefaultKeyValue',       '.4.5.4.1.2.0',       FALSE, 'crvAPWEP64DefaultKeyValue'),
  ('crvAPWEP64Key1Value',             '.4.5.4.1.3.0',       FALSE, 'crvAPWEP64Key1Value'),
  ('crvAPWEP64Key2Value',             '.4.5.4.1.4.0',       FALSE, 'crvAPWEP64Key2Value'),
  ('crvAPWEP64Key3Value',             '.4.5.4.1.5.0',       FALSE, 'crvAPWEP64Key3Value'),
  ('crvAPWEP64Key4Value',             '.4.5.4.1.6.0',       FALSE, 'crvAPWEP64Key4Value'),
  ('crvAPWEP128KeyType',              '.4.5.4.2.1.0',       FALSE, 'crvAPWEP128KeyType'),
  ('crvAPWEP128DefaultKeyValue',      '.4.5.4.2.2.0',       FALSE, 'crvAPWEP128DefaultKeyValue'),
  ('crvAPWEP128Key1Value',            '.4.5.4.2.3.0',       FALSE, 'crvAPWEP128Key1Value'),
  ('crvAPWEP128Key2Value',            '.4.5.4.2.4.0',       FALSE, 'crvAPWEP128Key2Value'),
  ('crvAPWEP128Key3Value',            '.4.5.4.2.5.0',       FALSE, 'crvAPWEP128Key3Value'),
  ('crvAPWEP128Key4Value',            '.4.5.4.2.6.0',       FALSE, 'crvAPWEP128Key4Value'),
  ('crvAPWEP152KeyType',              '.4.5.4.3.1.0',       FALSE, 'crvAPWEP152KeyType'),
  ('crvAPWEP152DefaultKeyValue',      '.4.5.4.3.2.0',       FALSE, 'crvAPWEP152DefaultKeyValue'),
  ('crvAPWEP152Key1Value',            '.4.5.4.3.3.0',       FALSE, 'crvAPWEP152Key1Value'),
  ('crvAPWEP152Key2Value',            '.4.5.4.3.4.0',       FALSE, 'crvAPWEP152Key2Value'),
  ('crvAPWEP152Key3Value',            '.4.5.4.3.5.0',       FALSE, 'crvAPWEP152Key3Value'),
  ('crvAPWEP152Key4Value',            '.4.5.4.3.6.0',       FALSE, 'crvAPWEP152Key4Value'),
  ('radiusIP1',                       '.4.5.5.1.0',         FALSE, 'radiusIP1'),
  ('radiusPort1',                     '.4.5.5.2.0',         FALSE, 'radiusPort1'),
  ('radiusSharedSecret1',             '.4.5.5.3.0',         FALSE, 'radiusSharedSecret1'),
  ('radiusIP2',                       '.4.5.6.1.0',         FALSE, 'radiusIP2'),
  ('radiusPort2',                     '.4.5.6.2.0',         FALSE, 'radiusPort2'),
  ('radiusSharedSecret2',             '.4.5.6.3.0',         FALSE, 'radiusSharedSecret2'),
  ('crvAPTxRates',                    '.4.6.0',             TRUE,  'Tx Rate'),
  ('crvAPAntennaTransmitPower',       '.4.7.0',             TRUE,  'Tx Power'),
  ('crvAPCTSMode',                    '.4.8.0',             FALSE, 'CTS Mode'),
  ('crvAPRTSThreshold',               '.4.10.0',            FALSE, 'RTS Threshold'),
  ('crvAPBeaconInterval',             '.4.11.0',            FALSE, 'Beacon Interval'),
  ('crvAPFragmentationThreshold',     '.4.12.0',            FALSE, 'Fragmentation'),
  ('crvAPDTIMinterval',               '.4.13.0',            FALSE, 'DTIM'),
  ('crvAPSSIDBroadcast',              '.4.14.0',            TRUE,  'SSID Broadcast'),
  ('crvAPPreambleType',               '.4.15.0',            FALSE, 'Preamble'),
  ('crvAPUserNumLimit',               '.4.16.0',            TRUE,  'User Limit'),
  ('crvAPWaterLevelBalancing',        '.4.18.0',            TRUE,  'Load Balance'),
  ('crvAPWMMFunc',                    '.4.20.0',            FALSE, 'WMM'),
  ('crvAPWirelessRadio',              '.4.21.0',            TRUE,  'Radio'),
  ('crvAPBGMode',                     '.4.25.0',            FALSE, 'B/G Mode'),
  ('WLAN_Partition',                  '.4.27.0',            FALSE, 'WLAN Partition');

-- The first program account: user "admin", password "admin".
-- Stored password format: "pbkdf2-sha256$<iterations>$<salt>$<hash>", where salt is 16 random bytes and
-- hash the 32-byte PBKDF2-HMAC-SHA256 of the UTF-8 password with that salt and iteration count, both as
-- lower-case hexadecimal text.
INSERT INTO system_password (username, password, autologin) VALUES
  ('admin', 'pbkdf2-sha256$100000$b15cbfa0c689432c29a6480c17e58f05$4d51c78cb8c0c6e31b8962d88233114baf8d2c506f73c3a39ffc731c32fdf0f2', 0);
