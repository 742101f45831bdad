// Pictures: the formats read and refused, damaged files, the BMP written for the map, the file dialog's
// preview and the Modify Picture dialog driven by clicks and typing.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/quantize.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <fstream>
#include <random>

#include "image/Dib.h"
#include "map/Picture.h"
#include "map/PictureFileDialog.h"
#include "map/PictureModifyDlg.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

class PictureTest : public ::testing::Test {
 protected:
  // A picture of one colour in the format.
  std::string Write(const std::string& name, wxBitmapType type, int width = 40, int height = 30) {
    if (!wxImage::FindHandler(type)) wxInitAllImageHandlers();
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), 30, 120, 200);
    const std::string path = dir_.File(name);
    if (type == wxBITMAP_TYPE_GIF) {
      // GIF files hold a palette.
      wxImage indexed;
      wxPalette* palette = nullptr;
      EXPECT_TRUE(wxQuantize::Quantize(image, indexed, &palette, 256, nullptr, wxQUANTIZE_FILL_DESTINATION_IMAGE));
      indexed.SetPalette(*palette);
      delete palette;
      image = indexed;
    }
    EXPECT_TRUE(image.SaveFile(path, type)) << name;
    return path;
  }

  testing_support::TempDir dir_;
};

TEST_F(PictureTest, ReadsTheFiveFormatsAndWritesABmpTheMapCanRead) {
  const std::pair<const char*, wxBitmapType> formats[] = {{"a.bmp", wxBITMAP_TYPE_BMP},
                                                         {"a.gif", wxBITMAP_TYPE_GIF},
                                                         {"a.ico", wxBITMAP_TYPE_ICO},
                                                         {"a.jpg", wxBITMAP_TYPE_JPEG},
                                                         {"a.png", wxBITMAP_TYPE_PNG}};
  for (const auto& [name, type] : formats) {
    const bool icon = type == wxBITMAP_TYPE_ICO;
    const std::string path = Write(name, type, icon ? 32 : 40, icon ? 32 : 30);
    CPicture picture;
    ASSERT_TRUE(picture.Load(path)) << name;
    EXPECT_EQ(picture.GetWidth(), icon ? 32 : 40) << name;
    EXPECT_EQ(picture.GetDataSize(), static_cast<int>(std::filesystem::file_size(path))) << name;
    // The colour comes through (GIF and ICO keep it through a palette, so nearly).
    EXPECT_NEAR(picture.GetImage().GetRed(5, 5), 30, 8) << name;
    EXPECT_NEAR(picture.GetImage().GetBlue(5, 5), 200, 8) << name;
    const std::string bmp = dir_.File(std::string(name) + ".out.bmp");
    ASSERT_TRUE(ConvertPictureToBmp(path, bmp)) << name;
    CDib dib;
    ASSERT_TRUE(dib.Load(bmp)) << name;
    EXPECT_EQ(dib.GetWidth(), icon ? 32 : 40);
    EXPECT_EQ(dib.GetBitCount(), 24);
  }
}

TEST_F(PictureTest, OtherFormatsDamagedAndMissingFilesAreRefusedWithNothingHeld) {
  const std::string tiff = Write("a.tif", wxBITMAP_TYPE_TIFF);
  const std::string png = Write("b.png", wxBITMAP_TYPE_PNG);
  std::string bytes;
  {
    std::ifstream in(png, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::ofstream(dir_.File("cut.png"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(dir_.File("text.jpg")) << "no picture here";
  std::ofstream(dir_.File("empty.bmp"));
  for (const std::string& path : {tiff, dir_.File("cut.png"), dir_.File("text.jpg"), dir_.File("empty.bmp"),
                                  dir_.File("missing.png"), dir_.Path().string()}) {
    CPicture picture;
    EXPECT_FALSE(picture.Load(path)) << path;
    EXPECT_EQ(picture.GetWidth() + picture.GetHeight() + picture.GetDataSize(), 0) << path;
    EXPECT_FALSE(picture.SaveToMemory(dir_.File("out.bmp")));
  }
}

TEST_F(PictureTest, MutatedFilesOfEveryFormatAreReadOrRefusedWithoutHarm) {
  std::mt19937 random(27);
  for (const auto& [name, type] : {std::pair{"m.bmp", wxBITMAP_TYPE_BMP}, std::pair{"m.gif", wxBITMAP_TYPE_GIF},
                                   std::pair{"m.ico", wxBITMAP_TYPE_ICO}, std::pair{"m.jpg", wxBITMAP_TYPE_JPEG},
                                   std::pair{"m.png", wxBITMAP_TYPE_PNG}}) {
    const std::string path = Write(name, type, 32, 32);
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (int round = 0; round < 400; ++round) {
      std::vector<std::uint8_t> bytes = original;
      const int changes = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      if (round % 5 == 0) bytes.resize(random() % bytes.size() + 1);
      SCOPED_TRACE(std::string(name) + " round " + std::to_string(round));
      CPicture picture;
      if (picture.LoadFromBuffer(bytes.data(), bytes.size())) {
        EXPECT_GT(picture.GetWidth(), 0);
        // A header may claim a size beyond what the map's bitmaps take; such a picture is refused there.
        if (picture.GetWidth() <= 4096 && picture.GetHeight() <= 4096) {
          EXPECT_FALSE(picture.SaveToBuffer().empty());
        }
      } else {
        EXPECT_EQ(picture.GetWidth() + picture.GetHeight(), 0);
      }
    }
  }
}

TEST_F(PictureTest, PreviewableNamesAndFittedSizes) {
  const std::string folder = dir_.File("shots.bmp");
  std::filesystem::create_directory(folder);
  struct Case {
    std::string path;
    bool previewable;
  } cases[] = {{"/a/PHOTO.JPG", true}, {"/a/photo.jpeg", false}, {"/a/b.png", true}, {"/a/b.wmf", false},
               {"b.bmp", false},       {folder, false}};
  for (const Case& c : cases) EXPECT_EQ(IsPreviewablePath(c.path), c.previewable) << c.path;
  EXPECT_EQ(FitPreview(200, 100, 90), wxSize(90, 45));
  EXPECT_EQ(FitPreview(100, 200, 90), wxSize(45, 90));
  EXPECT_EQ(FitPreview(0, 200, 90), wxSize(0, 0));
}

TEST_F(PictureTest, PreviewShowsTheSelectedPictureAndItsSizeUntilTurnedOff) {
  const std::string path = Write("floor.png", wxBITMAP_TYPE_PNG, 200, 100);
  auto* frame = new wxFrame(nullptr, wxID_ANY, "preview");
  auto* panel = new CPicturePreviewPanel(frame, nullptr);
  frame->Fit();
  frame->Show();
  PumpUntil([&] { return panel->IsShownOnScreen(); });
  panel->SetPath(path);
  const wxColour picture(30, 120, 200);
  wxWindow* area = panel->GetPreviewArea();
  ASSERT_TRUE(PumpUntil([&] { return CountPixels(testing_support::CaptureWindow(area), picture, 4) > 0; }))
      << panel->GetSizeText() << " " << area->GetClientSize().x;
  const int side = std::min(area->GetClientSize().x, area->GetClientSize().y);
  EXPECT_EQ(CountPixels(testing_support::CaptureWindow(area), picture, 4), side * (side / 2));
  EXPECT_EQ(panel->GetSizeText(), "200 X 100");

  panel->SetPath("x.png");  // too short to tell: the preview stays
  EXPECT_GT(CountPixels(testing_support::CaptureWindow(area), picture, 4), 0);
  auto* box = dynamic_cast<wxCheckBox*>(panel->FindWindow(1001));
  ASSERT_TRUE(box);
  wxUIActionSimulator mouse;
  mouse.MouseMove(box->GetScreenRect().GetPosition() + wxPoint(6, box->GetSize().y / 2));
  PumpPending();
  mouse.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return CountPixels(testing_support::CaptureWindow(area), picture, 4) == 0; }))
      << "plain grey";
  frame->Destroy();
  PumpPending();
}

class ModifyPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(picture_.Create(300, 200, 24));
    dialog_ = new CPictureModifyDlg(nullptr);
    dialog_->SetPicture(&picture_);
    dialog_->Show();
    PumpUntil([this] { return dialog_->IsShownOnScreen(); });
  }
  void TearDown() override {
    dialog_->Destroy();
    PumpPending();
  }
  void Click(int id) {
    wxWindow* button = dialog_->FindWindow(id);
    ASSERT_TRUE(button) << id;
    wxUIActionSimulator mouse;
    mouse.MouseMove(button->GetScreenRect().GetPosition() + button->GetSize() / 2);
    PumpPending();
    mouse.MouseClick();
    PumpPending();
  }
  void Type(wxTextCtrl* field, const char* text) {
    field->SetFocus();
    PumpUntil([field] { return wxWindow::FindFocus() == field; });
    field->SelectAll();
    wxUIActionSimulator().Text(text);
    EXPECT_TRUE(PumpUntil([field, text] { return field->GetValue() == text; })) << field->GetValue();
  }

  CDib picture_;
  CPictureModifyDlg* dialog_ = nullptr;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(ModifyPictureTest, ThreeLeftTurnsAreOneRightTurn) {
  EXPECT_EQ(dialog_->GetWidthEdit()->GetValue(), "300");
  for (int i = 0; i < 3; ++i) Click(CPictureModifyDlg::kRotateLeftId);
  ASSERT_TRUE(PumpUntil([&] { return dialog_->GetAngle() == 270; }));
  EXPECT_EQ(picture_.GetWidth(), 200);
  EXPECT_EQ(dialog_->GetWidthEdit()->GetValue(), "200") << "the edits follow the picture";
  EXPECT_TRUE(dialog_->IsModified());
  Click(CPictureModifyDlg::kRotateRightId);
  ASSERT_TRUE(PumpUntil([&] { return dialog_->GetAngle() == 180; }));
  EXPECT_EQ(picture_.GetWidth(), 300);
}

TEST_F(ModifyPictureTest, TypedSizeOutsideTheRangeIsRefusedAndAFittingOneApplied) {
  Type(dialog_->GetWidthEdit(), "50");
  Click(CPictureModifyDlg::kPreviewId);
  ASSERT_TRUE(PumpUntil([&] { return !boxes_.Texts().empty(); }));
  EXPECT_EQ(boxes_.Texts().front(), "Please enter an integer between 100 and 3000.");
  EXPECT_EQ(picture_.GetWidth(), 300);
  EXPECT_FALSE(dialog_->IsModified());

  Type(dialog_->GetWidthEdit(), "800");
  Type(dialog_->GetHeightEdit(), "600");
  Click(CPictureModifyDlg::kPreviewId);
  ASSERT_TRUE(PumpUntil([&] { return picture_.GetWidth() == 800; }));
  EXPECT_EQ(picture_.GetHeight(), 600);
  EXPECT_EQ(dialog_->GetHeightEdit()->GetValue(), "600");
  EXPECT_TRUE(dialog_->IsModified());
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

}  // namespace
