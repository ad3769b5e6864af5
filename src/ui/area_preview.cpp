#include "ui/area_preview.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/corner_picture.h"

namespace {

const COLORREF kOrange = RGB(255, 128, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kGrey = RGB(160, 160, 160);

struct Point {
    double x, y;
};

LONG Round(double value) {
    return std::lround(value);
}

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator*(Point a, double k) {
    return {a.x * k, a.y * k};
}

// The drawing tools: one brush and one pen, of the colour each shape sets; the pen gives the
// shapes their whole extent.
class Canvas {
public:
    explicit Canvas(HDC dc) : dc_(dc) {
        SelectObject(dc_, GetStockObject(DC_BRUSH));
        SelectObject(dc_, GetStockObject(DC_PEN));
    }

    void Fill(RECT rect, COLORREF colour) {
        if (rect.right <= rect.left || rect.bottom <= rect.top) return;
        SetDCBrushColor(dc_, colour);
        FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }

    void Dot(Point centre, double radius, COLORREF colour) {
        Colour(colour);
        Ellipse(dc_, Round(centre.x - radius), Round(centre.y - radius), Round(centre.x + radius) + 1,
                Round(centre.y + radius) + 1);
    }

    void Shape(std::initializer_list<Point> corners, COLORREF colour) {
        std::vector<POINT> points;
        for (Point p : corners) points.push_back({Round(p.x), Round(p.y)});
        Colour(colour);
        Polygon(dc_, points.data(), static_cast<int>(points.size()));
    }

private:
    void Colour(COLORREF colour) {
        SetDCBrushColor(dc_, colour);
        SetDCPenColor(dc_, colour);
    }

    HDC dc_;
};

// The double arrow of the diagram between two opposite corners, scaled: its tips clear of the
// dots, heads with a right angle at the tip, a thin shaft. The heads shrink to keep within a
// narrow rectangle; none where there is no room for them.
void DoubleArrow(Canvas& canvas, Point from, Point to, double scale) {
    const double shorterSide = std::min(std::fabs(to.x - from.x), std::fabs(to.y - from.y));
    const double gap = 7.07 * scale, head = std::min(9.0 * scale, 0.35 * shorterSide), halfShaft = 0.5 * scale;
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (head < 3 * scale || length < 2 * (gap + head) + 2 * scale) return;
    const Point along = (to - from) * (1 / length), across = {-along.y, along.x};
    const Point nearTip = from + along * gap, farTip = to - along * gap;
    const Point nearBase = nearTip + along * head, farBase = farTip - along * head;
    canvas.Shape({nearTip, nearBase + across * head, nearBase - across * head}, kNavy);
    canvas.Shape({farTip, farBase + across * head, farBase - across * head}, kNavy);
    canvas.Shape({nearBase + across * halfShaft, farBase + across * halfShaft, farBase - across * halfShaft,
                  nearBase - across * halfShaft},
                 kNavy);
}

// Lines of text centred across the picture, over a patch of the face colour that keeps them
// legible across the drawing: in its middle, or at its foot.
void CentredLines(HDC dc, Canvas& canvas, const std::vector<std::pair<std::string, COLORREF>>& lines, int size,
                  double scale, bool atFoot) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    std::vector<SIZE> extents;
    LONG widest = 0;
    for (const auto& line : lines) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, line.first.data(), static_cast<int>(line.first.size()), &extent);
        extents.push_back(extent);
        widest = std::max(widest, extent.cx);
    }
    const LONG pad = Round(2 * scale);
    const LONG height = metrics.tmHeight * static_cast<LONG>(lines.size());
    const LONG top = atFoot ? size - height - pad / 2 : (size - height) / 2;
    canvas.Fill({(size - widest) / 2 - pad, top - pad / 2, (size + widest) / 2 + pad, top + height + pad / 2},
                GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < lines.size(); ++i) {
        SetTextColor(dc, lines[i].second);
        TextOutA(dc, (size - extents[i].cx) / 2, top + metrics.tmHeight * static_cast<LONG>(i), lines[i].first.data(),
                 static_cast<int>(lines[i].first.size()));
    }
}

// The height of these many lines at the foot of the picture, with the patch under them.
LONG FootHeight(HDC dc, size_t lines, double scale) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight * static_cast<LONG>(lines) + Round(2 * scale);
}

// A line a pixel wide just inside the rectangle, as FrameRect draws it, set straight into the
// picture's pixels (size by size, top-down): a thousand areas through GDI would cost milliseconds
// under Wine at every keystroke.
void FramePixels(uint32_t* pixels, int size, RECT rect, COLORREF colour) {
    const uint32_t pixel = static_cast<uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    const LONG left = std::max(rect.left, 0L), right = std::min(rect.right, static_cast<LONG>(size));
    const LONG top = std::max(rect.top, 0L), bottom = std::min(rect.bottom, static_cast<LONG>(size));
    if (left >= right || top >= bottom) return;
    for (LONG x = left; x < right; ++x) {
        if (rect.top == top) pixels[top * size + x] = pixel;
        if (rect.bottom == bottom) pixels[(bottom - 1) * size + x] = pixel;
    }
    for (LONG y = top; y < bottom; ++y) {
        if (rect.left == left) pixels[y * size + left] = pixel;
        if (rect.right == right) pixels[y * size + right - 1] = pixel;
    }
}

// The selected area as the corner diagram draws its square, to scale.
void DrawSelected(Canvas& canvas, const MappedArea& area, bool wrongOrder, double scale) {
    const LONG thickness = std::max(1L, Round(2 * scale));
    const LONG outerLeft = Round(area.left - thickness / 2.0), outerTop = Round(area.top - thickness / 2.0);
    const RECT outer = {outerLeft, outerTop, outerLeft + Round(area.right - area.left) + thickness,
                        outerTop + Round(area.bottom - area.top) + thickness};
    canvas.Fill(outer, wrongOrder ? kRed : kOrange);
    canvas.Fill({outer.left + thickness, outer.top + thickness, outer.right - thickness, outer.bottom - thickness},
                GetSysColor(COLOR_BTNFACE));
    const Point northwest = {area.northwest.x, area.northwest.y}, southeast = {area.southeast.x, area.southeast.y};
    DoubleArrow(canvas, northwest, southeast, scale);
    canvas.Dot(northwest, 4.5 * scale, kNavy);
    canvas.Dot(southeast, 4.5 * scale, kNavy);
}

}  // namespace

UniqueBitmap AreaPicture(const ExclusionDocument& document, int size, HFONT font, std::vector<MappedArea>& areas) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return UniqueBitmap();
    SelectObject(dc.get(), font);
    const double scale = size / 100.0;
    std::vector<std::pair<std::string, COLORREF>> lines;
    const std::optional<AreaShape> shape = ReadAreaShape(SelectedArea(document));
    if (shape) {
        for (const std::string& line : WrongOrderTexts(*shape)) lines.emplace_back(line, kRed);
        lines.emplace_back(SizeText(*shape), GetSysColor(COLOR_BTNTEXT));
    } else {
        lines.emplace_back("not placed", GetSysColor(COLOR_BTNTEXT));
    }
    // One area has its words in its middle, as the corner diagram has; several, words under them.
    const bool several = document.areas.size() > 1;
    areas = MapAreas(document, size, several ? size - FootHeight(dc.get(), lines.size(), scale) : size);
    if (areas.empty()) return UniqueBitmap();
    void* bits = nullptr;
    UniqueBitmap bitmap = PictureBitmap(size, &bits);
    if (!bitmap) return UniqueBitmap();
    SelectObject(dc.get(), bitmap.get());
    Canvas canvas(dc.get());
    canvas.Fill({0, 0, size, size}, GetSysColor(COLOR_BTNFACE));
    GdiFlush();
    // The other areas lie beneath the selected one.
    const MappedArea* selected = nullptr;
    for (const MappedArea& area : areas) {
        if (area.index == document.selected) {
            selected = &area;
            continue;
        }
        FramePixels(static_cast<uint32_t*>(bits), size,
                    {Round(area.left), Round(area.top), Round(area.right) + 1, Round(area.bottom) + 1}, kGrey);
    }
    if (shape && selected) {
        DrawSelected(canvas, *selected, shape->northwestSouthOfSoutheast || shape->northwestEastOfSoutheast, scale);
    }
    CentredLines(dc.get(), canvas, lines, size, scale, several);
    return bitmap;
}

void AreaPreview::Place(HWND picture, HINSTANCE instance, int size, HFONT font, const ExclusionDocument& document) {
    picture_ = picture;
    size_ = size;
    font_ = font;
    const UniqueBitmap previous = std::move(diagram_);  // perhaps shown, until Show puts another in its place
    diagram_ = CornerPicture(instance, size);
    Show(document);
}

void AreaPreview::Show(const ExclusionDocument& document) {
    if (!picture_) return;
    UniqueBitmap drawn = AreaPicture(document, size_, font_, areas_);
    HBITMAP shown = drawn ? drawn.get() : diagram_.get();
    if (reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0)) != shown) {
        SendMessageA(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    }
    // The picture drawn before goes only now that the control no longer shows it.
    drawn_ = std::move(drawn);
}

void AreaPreview::WhenClicked(std::function<void(size_t)> select) {
    select_ = std::move(select);
    SetWindowLongPtrA(picture_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pictureProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(picture_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PictureProcedure)));
}

LRESULT CALLBACK AreaPreview::PictureProcedure(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* preview = reinterpret_cast<const AreaPreview*>(GetWindowLongPtrA(picture, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN) {
        const MappedPoint at = {static_cast<double>(GET_X_LPARAM(lParam)), static_cast<double>(GET_Y_LPARAM(lParam))};
        if (const std::optional<size_t> area = AreaAt(preview->areas_, at)) preview->select_(*area);
    }
    return CallWindowProcA(preview->pictureProcedure_, picture, message, wParam, lParam);
}
