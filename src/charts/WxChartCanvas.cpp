#include "charts/WxChartCanvas.h"

#include <wx/brush.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

wxColour ToColour(ChartColor color) { return wxColour(ChartRed(color), ChartGreen(color), ChartBlue(color)); }

std::string FontKey(const ChartLogFont& font) {
  return font.faceName + '|' + std::to_string(font.height) + '|' + std::to_string(font.weight) + '|' +
         std::to_string(font.italic) + std::to_string(font.underline) + std::to_string(font.strikeOut);
}

// Dash patterns in pen widths, for the styles the toolkit has no name for.
const wxDash kDashDotDot[] = {6, 2, 1, 2, 1, 2};

}  // namespace

CWxChartCanvas::CWxChartCanvas(wxGraphicsContext& context, double pixelsPerUnit, bool printing)
    : context_(context), scale_(pixelsPerUnit), printing_(printing) {
  context_.SetAntialiasMode(wxANTIALIAS_NONE);
  context_.SetInterpolationQuality(wxINTERPOLATION_NONE);
  state_.font.height = 34;  // a 12-point font until the chart selects its own
  state_.font.faceName = "Sans";
  ApplyPen();
}

CWxChartCanvas::~CWxChartCanvas() { FlushLines(); }

wxPoint CWxChartCanvas::ToDevice(ChartPoint point) const {
  return {static_cast<int>(std::lround(point.x * scale_)), static_cast<int>(std::lround(-point.y * scale_))};
}

ChartRect CWxChartCanvas::LogicalRectOfPixels(int width, int height) const {
  return {0, 0, static_cast<int>(width / scale_), -static_cast<int>(height / scale_)};
}

wxPoint2DDouble CWxChartCanvas::StrokePoint(ChartPoint point) const {
  const wxPoint device = ToDevice(point);
  return {device.x + 0.5, device.y + 0.5};
}

void CWxChartCanvas::FlushLines() {
  if (!linesPending_) return;
  context_.StrokePath(lines_);
  lines_ = context_.CreatePath();
  linesPending_ = false;
}

void CWxChartCanvas::ApplyPen() {
  const int width = std::max(1, static_cast<int>(std::lround(state_.pen.width * scale_)));
  wxGraphicsPenInfo info(ToColour(state_.pen.color), width);
  info.Cap(wxCAP_BUTT).Join(wxJOIN_MITER);
  switch (state_.pen.style) {
    case kPenDash: info.Style(wxPENSTYLE_LONG_DASH); break;
    case kPenDot: info.Style(wxPENSTYLE_DOT); break;
    case kPenDashDot: info.Style(wxPENSTYLE_DOT_DASH); break;
    case kPenDashDotDot: info.Style(wxPENSTYLE_USER_DASH).Dashes(6, kDashDotDot); break;
    default: info.Style(wxPENSTYLE_SOLID); break;
  }
  context_.SetPen(context_.CreatePen(info));
  lines_ = context_.CreatePath();
}

ChartPen CWxChartCanvas::SelectPen(const ChartPen& pen) {
  const ChartPen previous = state_.pen;
  if (pen == previous) return previous;
  FlushLines();
  state_.pen = pen;
  ApplyPen();
  return previous;
}

ChartColor CWxChartCanvas::SelectBrush(ChartColor color) {
  const ChartColor previous = state_.brush;
  state_.brush = color;
  return previous;
}

ChartLogFont CWxChartCanvas::SelectFont(const ChartLogFont& font) {
  const ChartLogFont previous = state_.font;
  state_.font = font;
  return previous;
}

void CWxChartCanvas::SetTextColor(ChartColor color) { state_.textColor = color; }

void CWxChartCanvas::MoveTo(ChartPoint point) {
  if (pathOpen_) {
    path_.MoveToPoint(StrokePoint(point));
  }
  position_ = point;
}

void CWxChartCanvas::LineTo(ChartPoint point) {
  if (pathOpen_) {
    path_.AddLineToPoint(StrokePoint(point));
  } else {
    if (!linesPending_ || !(lineEnd_ == position_)) lines_.MoveToPoint(StrokePoint(position_));
    lines_.AddLineToPoint(StrokePoint(point));
    linesPending_ = true;
    lineEnd_ = point;
  }
  position_ = point;
}

void CWxChartCanvas::FillRect(const ChartRect& rect, ChartColor color) {
  FlushLines();
  const wxPoint a = ToDevice({rect.left, rect.top});
  const wxPoint b = ToDevice({rect.right, rect.bottom});
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  context_.SetPen(wxNullGraphicsPen);
  context_.SetBrush(context_.CreateBrush(wxBrush(ToColour(color))));
  context_.DrawRectangle(left, top, std::abs(b.x - a.x), std::abs(b.y - a.y));
  ApplyPen();
}

void CWxChartCanvas::BeginPath() {
  FlushLines();
  path_ = context_.CreatePath();
  path_.MoveToPoint(StrokePoint(position_));
  pathOpen_ = true;
}

void CWxChartCanvas::AddEllipse(const ChartRect& box) {
  if (!pathOpen_) return;
  const wxPoint2DDouble a = StrokePoint({box.left, box.top});
  const wxPoint2DDouble b = StrokePoint({box.right, box.bottom});
  path_.AddEllipse(std::min(a.m_x, b.m_x), std::min(a.m_y, b.m_y), std::abs(b.m_x - a.m_x), std::abs(b.m_y - a.m_y));
}

void CWxChartCanvas::EndPath() { pathOpen_ = false; }

void CWxChartCanvas::StrokePath() { context_.StrokePath(path_); }

void CWxChartCanvas::StrokeAndFillPath() {
  context_.SetBrush(context_.CreateBrush(wxBrush(ToColour(state_.brush))));
  context_.DrawPath(path_);
  context_.SetBrush(wxNullGraphicsBrush);
}

const wxFont& CWxChartCanvas::CurrentWxFont() {
  const std::string key = FontKey(state_.font);
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    const int pixels = std::max(1, static_cast<int>(std::lround(std::abs(state_.font.height) * scale_)));
    wxFontInfo info(wxSize(0, pixels));
    info.FaceName(state_.font.faceName).Family(wxFONTFAMILY_SWISS);
    info.Bold(state_.font.weight >= 600).Italic(state_.font.italic != 0).Underlined(state_.font.underline != 0);
    info.Strikethrough(state_.font.strikeOut != 0);
    found = fonts_.emplace(key, wxFont(info)).first;
  }
  return found->second;
}

void CWxChartCanvas::ApplyTextFont() {
  FlushLines();
  context_.SetFont(CurrentWxFont(), ToColour(state_.textColor));
}

wxSize CWxChartCanvas::PixelExtent(const wxString& text) {
  context_.SetFont(CurrentWxFont(), ToColour(state_.textColor));
  wxDouble width = 0, height = 0;
  context_.GetTextExtent(text, &width, &height);
  return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

ChartSize CWxChartCanvas::TextExtent(const std::string& text) {
  FlushLines();
  const wxSize pixels = PixelExtent(wxString::FromUTF8(text));
  return {static_cast<int>(std::lround(pixels.x / scale_)), static_cast<int>(std::lround(pixels.y / scale_))};
}

ChartTextMetrics CWxChartCanvas::TextMetrics() {
  const std::string key = FontKey(state_.font);
  auto found = metrics_.find(key);
  if (found == metrics_.end()) {
    static const wxString alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    FlushLines();
    const wxSize pixels = PixelExtent(alphabet);
    const ChartTextMetrics metrics{static_cast<int>(std::lround(pixels.y / scale_)),
                                   static_cast<int>(std::lround(pixels.x / scale_ / alphabet.length()))};
    found = metrics_.emplace(key, metrics).first;
  }
  return found->second;
}

void CWxChartCanvas::DrawText(const std::string& text, const ChartRect& rect, unsigned format) {
  ApplyTextFont();
  const wxString wxText = wxString::FromUTF8(text);
  const wxSize extent = PixelExtent(wxText);
  const wxPoint a = ToDevice({rect.left, rect.top});
  const wxPoint b = ToDevice({rect.right, rect.bottom});
  const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const int escapement = ((state_.font.escapement % 3600) + 3600) % 3600;
  if (escapement == 900 || escapement == 2700) {
    // Rotated text: its box is extent.y wide and extent.x tall, centred in the rectangle.
    const double centreX = (left + right) / 2.0, centreY = (top + bottom) / 2.0;
    const bool upwards = escapement == 900;
    const double x = upwards ? centreX - extent.y / 2.0 : centreX + extent.y / 2.0;
    const double y = upwards ? centreY + extent.x / 2.0 : centreY - extent.x / 2.0;
    context_.DrawText(wxText, x, y, (upwards ? 90.0 : -90.0) * std::numbers::pi / 180.0);
    return;
  }
  double x = left;
  if (format & kTextCenter) x = (left + right) / 2.0 - extent.x / 2.0;
  if (format & kTextRight) x = right - extent.x;
  double y = top;
  if (format & kTextVCenter) y = (top + bottom) / 2.0 - extent.y / 2.0;
  if (format & kTextBottom) y = bottom - extent.y;
  context_.DrawText(wxText, x, y);
}

void CWxChartCanvas::TextOut(ChartPoint point, const std::string& text) {
  ApplyTextFont();
  const wxPoint device = ToDevice(point);
  context_.DrawText(wxString::FromUTF8(text), device.x, device.y);
}

void CWxChartCanvas::SaveState() {
  FlushLines();
  context_.PushState();
  saved_.push_back(state_);
}

void CWxChartCanvas::RestoreState() {
  if (saved_.empty()) return;
  FlushLines();
  context_.PopState();
  state_ = saved_.back();
  saved_.pop_back();
  ApplyPen();
}

void CWxChartCanvas::ClipTo(const ChartRect& rect) {
  FlushLines();
  const wxPoint a = ToDevice({rect.left, rect.top});
  const wxPoint b = ToDevice({rect.right, rect.bottom});
  // Both corner pixels belong to the clip, so a line on the rectangle's edge stays visible.
  context_.Clip(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1, std::abs(b.y - a.y) + 1);
}
