#pragma once
// The AP objects the console sets, as data: for each key (the suffix after the AP's sysObjectID, or
// sysLocation's whole identifier) the name the action log gives it, the words its values show as, the
// ap_property column a successful set is stored in, the status text of the progress window and what the
// set asks of the commit.
#include <string>
#include <utility>
#include <vector>

enum class ApCommitClass {
  kRestart,               // ".1.3.0": the AP restarts with the new value
  kApply,                 // ".1.1.0": applied without a restart
  kNone,                  // needs no commit at all
  kRestartIfBalancing,    // a restart only when the AP's group template balances load, else none
};

// What a value that none of the row's value words matches turns into.
enum class ApUnmatchedValue {
  kRaw,     // rows without value words: the value itself
  kIgnore,  // no text, no status, no update
  kEmpty,   // the text with an empty value word
};

struct ApObjectRow {
  ApObjectRow(std::string key, std::string displayName, std::vector<std::pair<std::string, std::string>> valueWords,
              ApUnmatchedValue unmatched, std::string column, std::string statusText,
              ApCommitClass commit = ApCommitClass::kRestart, bool secret = false)
      : key(std::move(key)), displayName(std::move(displayName)), valueWords(std::move(valueWords)),
        unmatched(unmatched), column(std::move(column)), statusText(std::move(statusText)), commit(commit),
        secret(secret) {}

  std::string key;
  std::string displayName;  // empty: the row records only its update, no text
  std::vector<std::pair<std::string, std::string>> valueWords;
  ApUnmatchedValue unmatched = ApUnmatchedValue::kRaw;
  std::string column;
  std::string statusText;  // empty: none
  ApCommitClass commit = ApCommitClass::kRestart;
  bool secret = false;  // the value never reaches a log line
  std::string fixedWord;  // when set, every value shows as this word
};

class ApObjectTable {
 public:
  static constexpr char kAddFilterMac[] = ".3.2.0";
  static constexpr char kDeleteFilterMac[] = ".3.3.0";
  static constexpr char kAutoChannel[] = ".4.26.0";
  static constexpr char kName[] = ".4.1.0";
  static constexpr char kSuperG[] = ".4.4.0";
  static constexpr char kChannel[] = ".4.2.0";
  static constexpr char kLocation[] = ".1.3.6.1.2.1.1.6.0";
  static constexpr char kMasked[] = "********";

  static const std::vector<ApObjectRow>& Rows();
  // The row of key (exact comparison, in table order); null for a key the table does not list.
  static const ApObjectRow* Find(const std::string& key);
  // The commit a key asks for; keys outside the table (the write community ".1.4.0" aside) restart.
  static ApCommitClass CommitOf(const std::string& key);
};
