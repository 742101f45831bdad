#include "settings/GlobalSettings.h"

RuntimeSettings g_RuntimeSettings;
CCritSec g_csClients;
bool g_bClientsRecorded = false;
