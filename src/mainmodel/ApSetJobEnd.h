#pragma once
// What the database keeps after an AP-set job whose configuration the AP applied and the database stored:
// a replacement AP becomes the managed device in place of the one it replaced, and the AP's sync results
// are cleared. A cancelled or refused job does not come here.
#include "mainmodel/MainController.h"

void FinishApSetJob(const ApSetTarget& target);
