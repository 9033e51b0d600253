#include "platform/DeviceContext.h"

#include "platform/Rasterizer.h"
#include "platform/qt/ColourQt.h"
#include "platform/qt/PrintPage.h"
#include "platform/qt/SurfaceImage.h"
#include "platform/qt/TextRendering.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace platform
{

using raster::DevicePoint;

int32_t clampToPixel(double coordinate)
{
    constexpr double limit = 1 << 30;
    if (std::isnan(coordinate))
        return 0;
    return static_cast<int32_t>(std::clamp(coordinate, -limit, limit));
}

namespace
{

// The pattern of a styled pen, one character per pixel ('1' drawn in the pen, '0' a gap).
std::string_view penPattern(int32_t style)
{
    switch (style)
    {
    case PS_DASH:
        return "11111100";
    case PS_DOT:
        return "1100";
    case PS_DASHDOT:
        return "111111001100";
    case PS_DASHDOTDOT:
        return "1111110011001100";
    default:
        return "1";
    }
}

int32_t clampToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The part of the 64-bit box [left, right) x [top, bottom) inside `clip`.
Rect clipBox(int64_t left, int64_t top, int64_t right, int64_t bottom, const Rect& clip)
{
    const Rect inside{clampToInt32(std::max<int64_t>(left, clip.left)), clampToInt32(std::max<int64_t>(top, clip.top)),
                      clampToInt32(std::min<int64_t>(right, clip.right)),
                      clampToInt32(std::min<int64_t>(bottom, clip.bottom))};
    return inside.isEmpty() ? Rect{} : inside;
}

Qt::PenStyle qtPenStyle(int32_t style)
{
    switch (style)
    {
    case PS_DASH:
        return Qt::DashLine;
    case PS_DOT:
        return Qt::DotLine;
    case PS_DASHDOT:
        return Qt::DashDotLine;
    case PS_DASHDOTDOT:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

QRect qtRect(const Rect& box)
{
    return {box.left, box.top, box.width(), box.height()};
}

struct DrawingState
{
    Pen pen;
    Brush brush = Brush::stock(WHITE_BRUSH);
    Font font = Font::stock(SYSTEM_FONT);
    Bitmap bitmap; // memory contexts only
    ColorRef textColour = 0x000000;
    ColorRef backgroundColour = 0xFFFFFF;
    int32_t backgroundMode = OPAQUE;
    int32_t mixMode = R2_COPYPEN;
    uint32_t textAlign = TA_TOP | TA_LEFT;
    Point position;
    std::optional<Rect> clip; // logical coordinates
};

} // namespace

struct DeviceContext::Data
{
    std::shared_ptr<Surface> windowSurface; // null for a memory context
    WindowHandle window = WindowHandle::None;
    // A printed page: drawing goes through its painter; windowSurface then only sizes the page.
    PrintPage* page = nullptr;
    std::optional<Rect> area; // the part of the window surface drawn into
    DrawingState state;
    std::vector<DrawingState> saved;
    int64_t patternStep = 0; // where the pen pattern stands along the current polyline

    QPainter* pagePainter() const { return page != nullptr ? page->painter : nullptr; }
    Surface& target() const { return windowSurface ? *windowSurface : state.bitmap.surface(); }
    Point origin() const { return area ? area->topLeft() : Point{}; }
    DevicePoint toDevice(int32_t x, int32_t y) const
    {
        return {static_cast<int64_t>(x) + origin().x, static_cast<int64_t>(y) + origin().y};
    }
    // The pixels of the target this context may reach, in device coordinates.
    Rect drawableArea() const { return area ? target().bounds().intersected(*area) : target().bounds(); }
    // Where drawing may touch pixels, in device coordinates.
    Rect deviceClip() const
    {
        Rect clip = drawableArea();
        if (state.clip)
        {
            const Point offset = origin();
            clip = clipBox(static_cast<int64_t>(state.clip->left) + offset.x,
                           static_cast<int64_t>(state.clip->top) + offset.y,
                           static_cast<int64_t>(state.clip->right) + offset.x,
                           static_cast<int64_t>(state.clip->bottom) + offset.y, clip);
        }
        return clip;
    }
    // Logical rectangle to the clipped device rectangle.
    Rect clippedDeviceRect(int64_t left, int64_t top, int64_t right, int64_t bottom) const
    {
        const Point offset = origin();
        return clipBox(left + offset.x, top + offset.y, right + offset.x, bottom + offset.y, deviceClip());
    }

    // Fills a device rectangle (already clipped) with a colour, mixed by `mix` or copied.
    void fillDevice(const Rect& box, ColorRef colour, std::optional<int32_t> mixMode = std::nullopt)
    {
        if (box.isEmpty())
            return;
        if (page != nullptr)
        {
            // Paper has nothing to mix with: a mode that ignores the destination gives its
            // constant colour, any other mode the colour itself.
            const raster::PenMix mix(mixMode.value_or(R2_COPYPEN), colour);
            page->painter->fillRect(qtRect(box), qtColour(mix.ignoresDestination() ? mix.constant : colour));
            return;
        }
        Surface& surface = target();
        if (!mixMode || raster::PenMix(*mixMode, colour).ignoresDestination())
        {
            const uint32_t stored = Surface::storedColour(mixMode ? raster::PenMix(*mixMode, colour).constant : colour);
            for (int32_t y = box.top; y < box.bottom; ++y)
            {
                uint32_t* row = surface.row(y);
                std::fill(row + box.left, row + box.right, stored);
            }
        }
        else
        {
            const raster::PenMix mix(*mixMode, colour);
            for (int32_t y = box.top; y < box.bottom; ++y)
            {
                uint32_t* row = surface.row(y);
                for (int32_t x = box.left; x < box.right; ++x)
                    row[x] = Surface::storedColour(mix.apply(row[x]));
            }
        }
        surface.markChanged(box);
    }

    // One line in the pen from `from` up to `to`, continuing the pen pattern.
    void drawLine(DevicePoint from, DevicePoint to)
    {
        const Pen& pen = state.pen;
        const int64_t length = std::max(std::llabs(to.x - from.x), std::llabs(to.y - from.y));
        const int64_t firstStep = patternStep;
        patternStep += length;
        if (pen.style == PS_NULL)
            return;
        if (page != nullptr)
        {
            QPen line(qtColour(pen.colour), std::max(pen.width, 1), qtPenStyle(pen.style), Qt::FlatCap);
            QPainter& painter = *page->painter;
            painter.save();
            painter.setClipRect(qtRect(deviceClip()));
            painter.setBackgroundMode(state.backgroundMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
            painter.setBackground(qtColour(state.backgroundColour));
            painter.setPen(line);
            painter.drawLine(QPointF(static_cast<double>(from.x) + 0.5, static_cast<double>(from.y) + 0.5),
                             QPointF(static_cast<double>(to.x) + 0.5, static_cast<double>(to.y) + 0.5));
            painter.restore();
            return;
        }
        const std::string_view pattern = penPattern(pen.style);
        const auto patternLength = static_cast<int64_t>(pattern.size());
        const bool paintGaps = state.backgroundMode == OPAQUE;
        const raster::PenMix penMix(state.mixMode, pen.colour);
        const raster::PenMix gapMix(state.mixMode, state.backgroundColour);
        Surface& surface = target();
        uint32_t* pixels = surface.pixelData();
        const int64_t width = surface.width();
        std::optional<Point> first;
        Point last;
        raster::forEachLinePixel(from, to, deviceClip(), [&](int32_t x, int32_t y, int64_t step) {
            const bool on =
                patternLength == 1 || pattern[static_cast<size_t>((firstStep + step) % patternLength)] == '1';
            if (!on && !paintGaps)
                return;
            uint32_t& pixel = pixels[y * width + x];
            pixel = Surface::storedColour((on ? penMix : gapMix).apply(pixel));
            if (!first)
                first = Point{x, y};
            last = {x, y};
        });
        // A line runs one way along each axis: its first and last pixels span what it drew.
        if (first)
            surface.markChanged(Rect{std::min(first->x, last.x), std::min(first->y, last.y),
                                     std::max(first->x, last.x) + 1, std::max(first->y, last.y) + 1});
    }
};

DeviceContext::DeviceContext() : data_(std::make_unique<Data>())
{
}

DeviceContext::DeviceContext(Surface& target) : DeviceContext(std::shared_ptr<Surface>(&target, [](Surface*) {}))
{
}

DeviceContext::DeviceContext(std::shared_ptr<Surface> target) : data_(std::make_unique<Data>())
{
    if (!target)
        throw std::invalid_argument("platform::DeviceContext: no surface to draw into");
    data_->windowSurface = std::move(target);
}

DeviceContext::DeviceContext(PrintPage& page)
    : DeviceContext(std::make_shared<Surface>(page.size.width, page.size.height, 0xFFFFFF)) // white paper
{
    data_->page = &page;
    data_->window = page.window;
}

DeviceContext::DeviceContext(std::shared_ptr<Surface> target, const Rect& area) : DeviceContext(std::move(target))
{
    data_->area = area.isEmpty() ? Rect{area.left, area.top, area.left, area.top} : area;
}

DeviceContext DeviceContext::createCompatibleDC()
{
    DeviceContext context;
    context.data_->state.bitmap = Bitmap(1, 1);
    return context;
}

DeviceContext::~DeviceContext() = default;
DeviceContext::DeviceContext(DeviceContext&&) noexcept = default;
DeviceContext& DeviceContext::operator=(DeviceContext&&) noexcept = default;

bool DeviceContext::isMemoryContext() const
{
    return !data_->windowSurface;
}

bool DeviceContext::isPrinting() const
{
    return data_->page != nullptr;
}

Surface& DeviceContext::surface() const
{
    return data_->target();
}

Size DeviceContext::size() const
{
    return data_->area ? data_->area->size() : data_->target().size();
}

WindowHandle DeviceContext::window() const
{
    return data_->window;
}

void DeviceContext::setWindow(WindowHandle window)
{
    data_->window = window;
}

Pen DeviceContext::selectObject(const Pen& pen)
{
    data_->patternStep = 0;
    return std::exchange(data_->state.pen, pen);
}

Brush DeviceContext::selectObject(const Brush& brush)
{
    return std::exchange(data_->state.brush, brush);
}

Font DeviceContext::selectObject(const Font& font)
{
    return std::exchange(data_->state.font, font);
}

Bitmap DeviceContext::selectObject(const Bitmap& bitmap)
{
    if (!isMemoryContext() || bitmap.isNull())
        return Bitmap();
    return std::exchange(data_->state.bitmap, bitmap);
}

const Pen& DeviceContext::currentPen() const
{
    return data_->state.pen;
}

const Brush& DeviceContext::currentBrush() const
{
    return data_->state.brush;
}

const Font& DeviceContext::currentFont() const
{
    return data_->state.font;
}

Bitmap DeviceContext::currentBitmap() const
{
    return data_->state.bitmap;
}

ColorRef DeviceContext::setTextColor(ColorRef colour)
{
    return std::exchange(data_->state.textColour, colour & 0x00FFFFFFu);
}

ColorRef DeviceContext::getTextColor() const
{
    return data_->state.textColour;
}

ColorRef DeviceContext::setBkColor(ColorRef colour)
{
    return std::exchange(data_->state.backgroundColour, colour & 0x00FFFFFFu);
}

ColorRef DeviceContext::getBkColor() const
{
    return data_->state.backgroundColour;
}

int32_t DeviceContext::setBkMode(int32_t mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(data_->state.backgroundMode, mode);
}

int32_t DeviceContext::getBkMode() const
{
    return data_->state.backgroundMode;
}

int32_t DeviceContext::setROP2(int32_t mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(data_->state.mixMode, mode);
}

int32_t DeviceContext::getROP2() const
{
    return data_->state.mixMode;
}

uint32_t DeviceContext::setTextAlign(uint32_t flags)
{
    return std::exchange(data_->state.textAlign, flags);
}

uint32_t DeviceContext::getTextAlign() const
{
    return data_->state.textAlign;
}

int32_t DeviceContext::saveDC()
{
    data_->saved.push_back(data_->state);
    return static_cast<int32_t>(data_->saved.size());
}

bool DeviceContext::restoreDC(int32_t savedDepth)
{
    const auto depth = static_cast<int64_t>(data_->saved.size());
    const int64_t target = savedDepth < 0 ? depth + 1 + savedDepth : savedDepth;
    if (savedDepth == 0 || target < 1 || target > depth)
        return false;
    data_->state = data_->saved[static_cast<size_t>(target - 1)];
    data_->saved.resize(static_cast<size_t>(target - 1));
    data_->patternStep = 0;
    return true;
}

void DeviceContext::intersectClipRect(const Rect& rect)
{
    const Rect current = data_->state.clip
        ? *data_->state.clip
        : Rect{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(),
               std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()};
    data_->state.clip = current.intersected(rect);
}

void DeviceContext::resetClip()
{
    data_->state.clip.reset();
}

Rect DeviceContext::getClipBox() const
{
    const Point offset = data_->origin();
    const Rect clip = data_->deviceClip();
    return clip.isEmpty() ? Rect{} : clip.translated(-offset.x, -offset.y);
}

Point DeviceContext::moveTo(int32_t x, int32_t y)
{
    data_->patternStep = 0;
    return std::exchange(data_->state.position, Point{x, y});
}

Point DeviceContext::getCurrentPosition() const
{
    return data_->state.position;
}

void DeviceContext::lineTo(int32_t x, int32_t y)
{
    const Point from = data_->state.position;
    data_->drawLine(data_->toDevice(from.x, from.y), data_->toDevice(x, y));
    data_->state.position = {x, y};
}

void DeviceContext::rectangle(const Rect& rect)
{
    const Rect box = rect.normalized();
    const bool outlined = data_->state.pen.style != PS_NULL;
    // The outline takes the outermost pixels; without one the fill stops a pixel short instead.
    const int64_t inset = outlined ? 1 : 0;
    if (data_->state.brush.style != BS_NULL)
        data_->fillDevice(
            data_->clippedDeviceRect(static_cast<int64_t>(box.left) + inset, static_cast<int64_t>(box.top) + inset,
                                     static_cast<int64_t>(box.right) - 1, static_cast<int64_t>(box.bottom) - 1),
            data_->state.brush.colour, data_->state.mixMode);
    if (!outlined)
        return;
    const DevicePoint corners[] = {data_->toDevice(box.left, box.top), data_->toDevice(box.right - 1, box.top),
                                   data_->toDevice(box.right - 1, box.bottom - 1),
                                   data_->toDevice(box.left, box.bottom - 1)};
    data_->patternStep = 0;
    for (size_t index = 0; index < 4; ++index)
        data_->drawLine(corners[index], corners[(index + 1) % 4]);
    data_->patternStep = 0;
}

void DeviceContext::polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
    std::vector<DevicePoint> devicePoints;
    devicePoints.reserve(points.size());
    for (const Point& point : points)
        devicePoints.push_back(data_->toDevice(point.x, point.y));
    if (data_->state.brush.style != BS_NULL && data_->page != nullptr)
    {
        QPolygonF shape;
        for (const DevicePoint& point : devicePoints)
            shape << QPointF(static_cast<double>(point.x), static_cast<double>(point.y));
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addPolygon(shape);
        QPainter& painter = *data_->page->painter;
        painter.save();
        painter.setClipRect(qtRect(data_->deviceClip()));
        painter.fillPath(path, qtColour(data_->state.brush.colour));
        painter.restore();
    }
    else if (data_->state.brush.style != BS_NULL)
    {
        Surface& surface = data_->target();
        const raster::PenMix mix(data_->state.mixMode, data_->state.brush.colour);
        Rect changed;
        raster::forEachPolygonSpan(devicePoints, data_->deviceClip(), [&](int32_t y, int32_t left, int32_t right) {
            uint32_t* row = surface.row(y);
            for (int32_t x = left; x < right; ++x)
                row[x] = Surface::storedColour(mix.apply(row[x]));
            changed = changed.united({left, y, right, y + 1});
        });
        surface.markChanged(changed);
    }
    data_->patternStep = 0;
    for (size_t index = 0; index < devicePoints.size(); ++index)
        data_->drawLine(devicePoints[index], devicePoints[(index + 1) % devicePoints.size()]);
    data_->patternStep = 0;
}

void DeviceContext::fillRect(const Rect& rect, const Brush& brush)
{
    if (brush.style == BS_NULL)
        return;
    data_->fillDevice(data_->clippedDeviceRect(rect.left, rect.top, rect.right, rect.bottom), brush.colour);
}

void DeviceContext::fillSolidRect(const Rect& rect, ColorRef colour)
{
    setBkColor(colour);
    data_->fillDevice(data_->clippedDeviceRect(rect.left, rect.top, rect.right, rect.bottom), colour & 0x00FFFFFFu);
}

void DeviceContext::draw3dRect(const Rect& rect, ColorRef topLeft, ColorRef bottomRight)
{
    const int64_t left = rect.left;
    const int64_t top = rect.top;
    const int64_t right = rect.right;
    const int64_t bottom = rect.bottom;
    fillSolidRect({rect.left, rect.top, clampToInt32(right - 1), clampToInt32(top + 1)}, topLeft);
    fillSolidRect({rect.left, rect.top, clampToInt32(left + 1), clampToInt32(bottom - 1)}, topLeft);
    fillSolidRect({clampToInt32(right - 1), rect.top, rect.right, rect.bottom}, bottomRight);
    fillSolidRect({rect.left, clampToInt32(bottom - 1), rect.right, rect.bottom}, bottomRight);
}

void DeviceContext::frameRect(const Rect& rect, const Brush& brush)
{
    if (brush.style == BS_NULL || rect.isEmpty())
        return;
    const int64_t left = rect.left;
    const int64_t top = rect.top;
    const int64_t right = rect.right;
    const int64_t bottom = rect.bottom;
    const ColorRef colour = brush.colour;
    data_->fillDevice(data_->clippedDeviceRect(left, top, right, top + 1), colour);
    data_->fillDevice(data_->clippedDeviceRect(left, bottom - 1, right, bottom), colour);
    data_->fillDevice(data_->clippedDeviceRect(left, top, left + 1, bottom), colour);
    data_->fillDevice(data_->clippedDeviceRect(right - 1, top, right, bottom), colour);
}

namespace
{

// The colours of one border of an edge: top-left and bottom-right.
struct BorderColours
{
    int32_t topLeft;
    int32_t bottomRight;
};

// Raised borders are light on the top-left and dark on the bottom-right, sunken ones the other
// way round; the outer border uses the outer shades (3-D light, dark shadow) when raised and
// the inner ones when sunken, so that a sunken edge looks like a raised one turned over.
std::optional<BorderColours> outerBorderColours(uint32_t outer)
{
    if (outer == BDR_RAISEDOUTER)
        return BorderColours{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    if (outer == BDR_SUNKENOUTER)
        return BorderColours{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    return std::nullopt;
}

std::optional<BorderColours> innerBorderColours(uint32_t inner)
{
    if (inner == BDR_RAISEDINNER)
        return BorderColours{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    if (inner == BDR_SUNKENINNER)
        return BorderColours{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    return std::nullopt;
}

} // namespace

bool DeviceContext::drawEdge(Rect& rect, uint32_t edge, uint32_t flags)
{
    const uint32_t outerBits = edge & BDR_OUTER;
    const uint32_t innerBits = edge & BDR_INNER;
    if (outerBits == BDR_OUTER || innerBits == BDR_INNER)
        return false;
    std::optional<BorderColours> outer = outerBorderColours(outerBits);
    std::optional<BorderColours> inner = innerBorderColours(innerBits);
    if (!outer)
        std::swap(outer, inner); // a lone inner border is drawn at the rectangle's edge

    const int64_t left = rect.left;
    const int64_t top = rect.top;
    const int64_t right = rect.right;
    const int64_t bottom = rect.bottom;
    const bool drawLeft = flags & BF_LEFT;
    const bool drawTop = flags & BF_TOP;
    const bool drawRight = flags & BF_RIGHT;
    const bool drawBottom = flags & BF_BOTTOM;
    auto fill = [&](int64_t l, int64_t t, int64_t r, int64_t b, int32_t colourIndex) {
        data_->fillDevice(data_->clippedDeviceRect(l, t, r, b), getSysColor(colourIndex));
    };

    // The outer border: top and left first, bottom and right over them, so only the top-left
    // corner keeps the top-left colour.
    if (outer)
    {
        if (drawTop)
            fill(left, top, right, top + 1, outer->topLeft);
        if (drawLeft)
            fill(left, top, left + 1, bottom, outer->topLeft);
        if (drawBottom)
            fill(left, bottom - 1, right, bottom, outer->bottomRight);
        if (drawRight)
            fill(right - 1, top, right, bottom, outer->bottomRight);
    }
    // The inner border one pixel in; where two drawn sides meet it stops short of the outer
    // border's corner.
    if (inner)
    {
        const int64_t topLeftCorner = drawTop && drawLeft ? 1 : 0;
        const int64_t topRightCorner = drawTop && drawRight ? 1 : 0;
        const int64_t bottomLeftCorner = drawBottom && drawLeft ? 1 : 0;
        const int64_t bottomRightCorner = drawBottom && drawRight ? 1 : 0;
        if (drawTop)
            fill(left + topLeftCorner, top + 1, right - topRightCorner, top + 2, inner->topLeft);
        if (drawLeft)
            fill(left + 1, top + topLeftCorner, left + 2, bottom - bottomLeftCorner, inner->topLeft);
        if (drawBottom)
            fill(left + bottomLeftCorner, bottom - 2, right - bottomRightCorner, bottom - 1, inner->bottomRight);
        if (drawRight)
            fill(right - 2, top + topRightCorner, right - 1, bottom - bottomRightCorner, inner->bottomRight);
    }

    const int32_t borders = (outer ? 1 : 0) + (inner ? 1 : 0);
    const Rect inside{drawLeft ? clampToInt32(left + borders) : rect.left,
                      drawTop ? clampToInt32(top + borders) : rect.top,
                      drawRight ? clampToInt32(right - borders) : rect.right,
                      drawBottom ? clampToInt32(bottom - borders) : rect.bottom};
    if ((flags & BF_MIDDLE) && !inside.isEmpty())
        fill(inside.left, inside.top, inside.right, inside.bottom, COLOR_BTNFACE);
    if (flags & BF_ADJUST)
        rect = inside;
    return true;
}

void DeviceContext::textOut(int32_t x, int32_t y, std::string_view text)
{
    DrawingState& state = data_->state;
    const bool updatePosition = state.textAlign & TA_UPDATECP;
    if (updatePosition)
    {
        x = state.position.x;
        y = state.position.y;
    }
    const TextMetrics metrics = text::metricsOf(state.font);
    const int32_t width = text::widthOf(state.font, text);
    int64_t left = x;
    switch (state.textAlign & TA_CENTER)
    {
    case TA_RIGHT:
        left -= width;
        break;
    case TA_CENTER:
        left -= width / 2;
        break;
    default:
        break;
    }
    int64_t top = y;
    if ((state.textAlign & TA_BASELINE) == TA_BASELINE)
        top -= metrics.ascent;
    else if (state.textAlign & TA_BOTTOM)
        top -= metrics.height;
    if (updatePosition)
    {
        if ((state.textAlign & TA_CENTER) == TA_RIGHT)
            state.position.x = clampToInt32(static_cast<int64_t>(x) - width);
        else if ((state.textAlign & TA_CENTER) == TA_LEFT)
            state.position.x = clampToInt32(static_cast<int64_t>(x) + width);
    }

    const Rect box = data_->clippedDeviceRect(left, top, left + width, top + metrics.height);
    if (box.isEmpty())
        return;
    if (state.backgroundMode == OPAQUE)
        data_->fillDevice(box, state.backgroundColour);
    const Point offset = data_->origin();
    if (data_->page != nullptr)
    {
        QPainter& painter = *data_->page->painter;
        painter.save();
        painter.setClipRect(qtRect(box));
        text::draw(painter, static_cast<int32_t>(left + offset.x), static_cast<int32_t>(top + offset.y), state.font,
                   text, state.textColour);
        painter.restore();
        return;
    }
    text::draw(data_->target(), box, static_cast<int32_t>(left + offset.x), static_cast<int32_t>(top + offset.y),
               state.font, text, state.textColour);
    data_->target().markChanged(box);
}

Size DeviceContext::getTextExtent(std::string_view text) const
{
    return {text::widthOf(data_->state.font, text), text::metricsOf(data_->state.font).height};
}

TextMetrics DeviceContext::getTextMetrics() const
{
    return text::metricsOf(data_->state.font);
}

ColorRef DeviceContext::setPixel(int32_t x, int32_t y, ColorRef colour)
{
    const Rect box = data_->clippedDeviceRect(x, y, static_cast<int64_t>(x) + 1, static_cast<int64_t>(y) + 1);
    if (box.isEmpty())
        return CLR_INVALID;
    data_->fillDevice(box, colour & 0x00FFFFFFu);
    return colour & 0x00FFFFFFu;
}

ColorRef DeviceContext::getPixel(int32_t x, int32_t y) const
{
    const Rect box = data_->clippedDeviceRect(x, y, static_cast<int64_t>(x) + 1, static_cast<int64_t>(y) + 1);
    if (box.isEmpty())
        return CLR_INVALID;
    return data_->target().pixel(box.left, box.top);
}

namespace
{

// Whether the raster operation reads the source: its truth table differs between source 0 and 1.
bool usesSource(uint32_t truthTable)
{
    return ((truthTable >> 2) & 0x33u) != (truthTable & 0x33u);
}

} // namespace

bool DeviceContext::patBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rasterOperation)
{
    const uint32_t truthTable = (rasterOperation >> 16) & 0xFFu;
    if (usesSource(truthTable))
        return false;
    const Rect box = data_->clippedDeviceRect(x, y, static_cast<int64_t>(x) + width, static_cast<int64_t>(y) + height);
    if (box.isEmpty())
        return true;
    const uint32_t pattern = data_->state.brush.style == BS_NULL ? 0 : data_->state.brush.colour;
    const raster::BlitMix mix(truthTable, pattern);
    if (data_->page != nullptr)
    {
        // On paper the destination is white.
        data_->fillDevice(box, mix.apply(0, 0xFFFFFF));
        return true;
    }
    Surface& surface = data_->target();
    for (int32_t row = box.top; row < box.bottom; ++row)
    {
        uint32_t* pixels = surface.row(row);
        for (int32_t column = box.left; column < box.right; ++column)
            pixels[column] = Surface::storedColour(mix.apply(0, Surface::colourOf(pixels[column])));
    }
    surface.markChanged(box);
    return true;
}

// Clips a blit and runs `combine(sourcePixel, destinationPixel)` over it, on a copy of the
// source when source and destination share pixels. On a printed page (`page` set) the pixels are
// combined into a transparent image, which is then drawn on the page: what `combine` leaves
// alone stays transparent.
template <typename Combine>
static bool blitPixels(Surface& destination, const Rect& destinationClip, const DevicePoint& destinationAt,
                       const Surface& source, const Rect& sourceBounds, const DevicePoint& sourceAt, int32_t width,
                       int32_t height, QPainter* page, Combine&& combine)
{
    if (width <= 0 || height <= 0)
        return false;
    // The source's image, moved over the destination: what lies outside it is not drawn.
    const int64_t shiftX = destinationAt.x - sourceAt.x;
    const int64_t shiftY = destinationAt.y - sourceAt.y;
    Rect box =
        clipBox(destinationAt.x, destinationAt.y, destinationAt.x + width, destinationAt.y + height, destinationClip);
    box = clipBox(static_cast<int64_t>(sourceBounds.left) + shiftX, static_cast<int64_t>(sourceBounds.top) + shiftY,
                  static_cast<int64_t>(sourceBounds.right) + shiftX, static_cast<int64_t>(sourceBounds.bottom) + shiftY,
                  box);
    if (box.isEmpty())
        return true;
    const auto sourceLeft = static_cast<int32_t>(box.left - shiftX);
    const auto sourceTop = static_cast<int32_t>(box.top - shiftY);
    const int32_t boxWidth = box.width();
    std::vector<uint32_t> sourceRow(static_cast<size_t>(boxWidth));
    // Overlapping rows of one image: walk bottom-up when the destination lies lower.
    const bool sameImage = &source == &destination;
    const bool bottomUp = sameImage && shiftY > 0;
    // RGBA8888 holds a stored pixel (0xFFBBGGRR) as itself, opaque; zero is transparent.
    QImage printed;
    if (page != nullptr)
    {
        printed = QImage(boxWidth, box.height(), QImage::Format_RGBA8888);
        printed.fill(Qt::transparent);
    }
    for (int32_t index = 0; index < box.height(); ++index)
    {
        const int32_t offset = bottomUp ? box.height() - 1 - index : index;
        const uint32_t* from = source.row(sourceTop + offset) + sourceLeft;
        std::copy(from, from + boxWidth, sourceRow.begin()); // a copy: rows may overlap sideways
        uint32_t* to = page != nullptr ? reinterpret_cast<uint32_t*>(printed.scanLine(offset))
                                       : destination.row(box.top + offset) + box.left;
        for (int32_t column = 0; column < boxWidth; ++column)
            combine(Surface::colourOf(sourceRow[static_cast<size_t>(column)]), to[column]);
    }
    if (page != nullptr)
        page->drawImage(QPoint(box.left, box.top), printed);
    else
        destination.markChanged(box);
    return true;
}

bool DeviceContext::bitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                           int32_t sourceX, int32_t sourceY, uint32_t rasterOperation)
{
    const uint32_t truthTable = (rasterOperation >> 16) & 0xFFu;
    if (!usesSource(truthTable))
        return patBlt(x, y, width, height, rasterOperation);
    const uint32_t pattern = data_->state.brush.style == BS_NULL ? 0 : data_->state.brush.colour;
    const raster::BlitMix mix(truthTable, pattern);
    const bool copy = truthTable == ((SRCCOPY >> 16) & 0xFFu);
    const Rect sourceBounds = source.data_->drawableArea();
    return blitPixels(data_->target(), data_->deviceClip(), data_->toDevice(x, y), source.data_->target(), sourceBounds,
                      source.data_->toDevice(sourceX, sourceY), width, height, data_->pagePainter(),
                      [&](uint32_t from, uint32_t& to) {
                          to = Surface::storedColour(copy ? from : mix.apply(from, Surface::colourOf(to)));
                      });
}

bool DeviceContext::transparentBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                                   int32_t sourceX, int32_t sourceY, ColorRef transparentColour)
{
    const Rect sourceBounds = source.data_->drawableArea();
    const ColorRef skipped = transparentColour & 0x00FFFFFFu;
    return blitPixels(data_->target(), data_->deviceClip(), data_->toDevice(x, y), source.data_->target(), sourceBounds,
                      source.data_->toDevice(sourceX, sourceY), width, height, data_->pagePainter(),
                      [&](uint32_t from, uint32_t& to) {
                          if (from != skipped)
                              to = Surface::storedColour(from);
                      });
}

} // namespace platform
