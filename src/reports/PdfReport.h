#pragma once
// The PDF report: the APs' chart images, two per page of 596 x 842 points, at one point per pixel, the
// first in the upper half of a page and the second in the lower.
#include <hpdf.h>

#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

// 1 when written; -1 for no AP or a missing library object, else the library's error code. APs without a
// chart image (an empty `spare`) are left out.
int WritePdfReport(const std::vector<ApInfoRecord>& aps, const std::string& path);
// Places one JPEG file with its lower left corner at (x, y). 0, else -1 or the library's error code; on
// failure the document has been freed.
int DrawPdfImage(HPDF_Doc document, HPDF_Page page, const std::string& imagePath, float x, float y);
// Deletes every AP's chart image file; the paths stay in the records.
void DeleteChartImages(const std::vector<ApInfoRecord>& aps);
