#pragma once
// The wireless client list's queries: the clients of the online APs in the client monitor's latest poll
// round, all of them or those with one column equal to a value, and the values a column takes. The
// column must be one of the filter columns and the value is bound; a NULL cell reads as "".
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "usage/ClientListRow.h"

class CClientListDb : public CDbAccessBase {
 public:
  CClientListDb() = default;
  ~CClientListDb() override = default;

  // Appends the clients of the load-balance manager's current poll round. The number appended; 0 for
  // none; -1 after a database error (the rows before it stay).
  int LoadClientList(std::vector<ClientListRow>& rows);
  // Appends the distinct non-NULL values of a filter column in the latest stored round. Nothing for
  // another column.
  void GetDistinctValues(const std::string& column, std::vector<std::string>& values);
  // Appends the clients of the latest stored round whose column equals the value, the poll round left at
  // 0. Counted as LoadClientList; 0 for a column that is not a filter column.
  int LoadFilteredClientList(std::vector<ClientListRow>& rows, const std::string& column, const std::string& value);

 private:
  // The largest poll round stored in client_connect_ap (0 for none).
  int LatestStoredRound();
  int ReadRows(const std::string& sql, const db::SqlParams& params, bool withRound, std::vector<ClientListRow>& rows);
};
