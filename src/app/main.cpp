#include "app/Pellion.h"

wxIMPLEMENT_APP(CPellionApp);
