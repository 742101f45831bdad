#include "reports/PdfReport.h"

#include <cstdio>
#include <filesystem>

namespace {

// The page size the layout is made for; the library's own default differs between its versions.
constexpr float kPageWidth = 596;
constexpr float kPageHeight = 842;

// The step numbers after "line:" tell which library call failed.
enum Step { kNewDocument = 1, kAddPage, kFont, kSelectFont, kNextPage, kLoadImage, kPlaceImage, kSave };

HPDF_Page AddPage(HPDF_Doc document) {
  HPDF_Page page = HPDF_AddPage(document);
  if (page != nullptr && (HPDF_Page_SetWidth(page, kPageWidth) != HPDF_OK ||
                          HPDF_Page_SetHeight(page, kPageHeight) != HPDF_OK)) {
    return nullptr;
  }
  return page;
}

int Fail(HPDF_Doc document, int step, HPDF_STATUS code) {
  std::fprintf(stderr, "ERROR (%d) line:%d.\n", static_cast<int>(code), step);
  HPDF_Free(document);
  return static_cast<int>(code);
}

int FailMissing(HPDF_Doc document, int step) {
  std::fprintf(stderr, "ERROR line:%d.\n", step);
  HPDF_Free(document);
  return -1;
}

}  // namespace

int DrawPdfImage(HPDF_Doc document, HPDF_Page page, const std::string& imagePath, float x, float y) {
  HPDF_Image image = HPDF_LoadJpegImageFromFile(document, imagePath.c_str());
  if (image == nullptr) return FailMissing(document, kLoadImage);
  const float width = static_cast<float>(HPDF_Image_GetWidth(image));
  const float height = static_cast<float>(HPDF_Image_GetHeight(image));
  for (HPDF_STATUS code : {HPDF_Page_GSave(page), HPDF_Page_Concat(page, width, 0, 0, height, x, y),
                           HPDF_Page_ExecuteXObject(page, image), HPDF_Page_GRestore(page)}) {
    if (code != HPDF_OK) return Fail(document, kPlaceImage, code);
  }
  return 0;
}

int WritePdfReport(const std::vector<ApInfoRecord>& aps, const std::string& path) {
  if (aps.empty()) return -1;
  HPDF_Doc document = HPDF_New(nullptr, nullptr);
  if (document == nullptr) return -1;
  if (HPDF_STATUS code = HPDF_NewDoc(document); code != HPDF_OK) return Fail(document, kNewDocument, code);
  HPDF_Page page = AddPage(document);
  if (page == nullptr) return FailMissing(document, kAddPage);
  HPDF_Font font = HPDF_GetFont(document, "Helvetica", nullptr);
  if (font == nullptr) return FailMissing(document, kFont);
  if (HPDF_STATUS code = HPDF_Page_SetFontAndSize(page, font, 20); code != HPDF_OK) {
    return Fail(document, kSelectFont, code);
  }
  int placed = 0;
  for (const ApInfoRecord& ap : aps) {
    if (ap.spare.empty()) continue;
    ++placed;
    const bool upperHalf = placed % 2 == 1;
    if (placed > 2 && upperHalf) {
      page = AddPage(document);
      if (page == nullptr) return FailMissing(document, kNextPage);
    }
    const float height = HPDF_Page_GetHeight(page);
    const int result = DrawPdfImage(document, page, ap.spare, 6, height - (upperHalf ? 400 : 750));
    if (result != 0) return result;
  }
  if (HPDF_STATUS code = HPDF_SaveToFile(document, path.c_str()); code != HPDF_OK) {
    return Fail(document, kSave, code);
  }
  HPDF_Free(document);
  return 1;
}

void DeleteChartImages(const std::vector<ApInfoRecord>& aps) {
  for (const ApInfoRecord& ap : aps) {
    if (ap.spare.empty()) continue;
    std::error_code ignored;  // a file that was never written has nothing to delete
    std::filesystem::remove(ap.spare, ignored);
  }
}
