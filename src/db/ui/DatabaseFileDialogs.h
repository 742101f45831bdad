#pragma once
// The dialogs of the System menu's "Backup Database" and "Restore Database" commands, as choosers for
// CDB_Maintain::BackupDatabase (a folder) and RestoreDatabase (a database file).
#include "db/PathChooser.h"

class wxWindow;

db::PathChooser BackupFolderChooser(wxWindow* parent);
db::PathChooser RestoreFileChooser(wxWindow* parent);
