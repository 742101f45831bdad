#pragma once
// What the database keeps after an AP-set job ended, by itself or cancelled: a replacement AP becomes the
// managed device in place of the one it replaced, and the AP's sync results are cleared.
#include "mainmodel/MainController.h"

void FinishApSetJob(const ApSetTarget& target);
