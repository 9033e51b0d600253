#pragma once

#include "platform/Bitmap.h"
#include "platform/DrawingConstants.h"
#include "platform/DrawingObjects.h"
#include "platform/Geometry.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"
#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace platform
{

struct PrintPage;

// Clamps a computed coordinate (a projected point may be huge, infinite or NaN) into the range
// every drawing call accepts, ±2^30, so that the double-to-int conversion is defined and sums
// of two such coordinates still fit. NaN becomes 0.
PLATFORM_API int32_t clampToPixel(double coordinate);

// A device context in the manner of the system's: drawing state (pen, brush, font, colours,
// modes, clipping, current position) over a target image.
//
// A window context draws into a window's backing surface, optionally into a part of it (then
// coordinates count from that part's top-left corner and drawing stays inside it); the surface
// reports every drawing to its change callback, so the window repaints what changed. A memory
// context draws into the Bitmap selected into it.
//
// Pixel rules are those of the system: rectangles cover left <= x < right and top <= y < bottom;
// lineTo leaves out the last pixel; Rectangle and Polygon outline in the pen and fill in the
// brush; lines, rectangles and polygons mix with the destination by the ROP2 mode; fills,
// edges, text and pixel writes do not. Coordinates may be anything in the int32 range: all
// drawing is clipped exactly before pixels are touched.
class PLATFORM_API DeviceContext
{
public:
    // A context over `target`, which must outlive the context.
    explicit DeviceContext(Surface& target);
    // A context over `target`, which it keeps alive.
    explicit DeviceContext(std::shared_ptr<Surface> target);
    // A context over the part `area` of `target` (a child window drawn into its parent's image).
    DeviceContext(std::shared_ptr<Surface> target, const Rect& area);
    // A context over a printed page (made by the print service): the same operations, drawn as
    // vectors (text stays text, bitmaps become images) in the same coordinates.
    explicit DeviceContext(PrintPage& page);
    // A memory context with a 1 x 1 black bitmap selected until the caller selects its own.
    static DeviceContext createCompatibleDC();

    ~DeviceContext();
    DeviceContext(DeviceContext&&) noexcept;
    DeviceContext& operator=(DeviceContext&&) noexcept;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    bool isMemoryContext() const;
    bool isPrinting() const;
    // The image drawn into: the window's surface or the selected bitmap's.
    Surface& surface() const;
    // The drawable size (the area's or the bitmap's).
    Size size() const;
    // The window drawn for: a window's context and a paint name their window, a printed page the
    // window being printed, a memory context none. GL drawing reaches the window's surface
    // through it.
    WindowHandle window() const;

    // Selecting answers the object selected before, so that the caller can put it back.
    Pen selectObject(const Pen& pen);
    Brush selectObject(const Brush& brush);
    Font selectObject(const Font& font);
    // Memory contexts only: a window context, or a null bitmap, selects nothing and answers the
    // null bitmap.
    Bitmap selectObject(const Bitmap& bitmap);
    const Pen& currentPen() const;
    const Brush& currentBrush() const;
    const Font& currentFont() const;
    Bitmap currentBitmap() const;

    // Setters answer the previous value.
    ColorRef setTextColor(ColorRef colour);
    ColorRef getTextColor() const;
    ColorRef setBkColor(ColorRef colour);
    ColorRef getBkColor() const;
    int32_t setBkMode(int32_t mode); // TRANSPARENT or OPAQUE (the initial mode)
    int32_t getBkMode() const;
    int32_t setROP2(int32_t mode); // R2_BLACK .. R2_WHITE; R2_COPYPEN initially
    int32_t getROP2() const;
    uint32_t setTextAlign(uint32_t flags); // TA_* flags; TA_TOP | TA_LEFT initially
    uint32_t getTextAlign() const;

    // Saving pushes the whole state (objects, colours, modes, clip, position) and answers the
    // new depth; restoreDC(n) goes back to the state saved at depth n, restoreDC(-1) to the
    // last one. False for a depth that was not saved.
    int32_t saveDC();
    bool restoreDC(int32_t savedDepth);

    // Clipping: drawing happens only inside the clip rectangle (and the drawable area).
    void intersectClipRect(const Rect& rect);
    // Removes the clip (the system's "select no clip region").
    void resetClip();
    // The clip rectangle within the drawable area.
    Rect getClipBox() const;

    Point moveTo(int32_t x, int32_t y); // answers the previous position
    Point moveTo(Point point) { return moveTo(point.x, point.y); }
    Point getCurrentPosition() const;
    // A line in the pen from the current position up to, not including, (x, y), which becomes
    // the current position.
    void lineTo(int32_t x, int32_t y);
    void lineTo(Point point) { lineTo(point.x, point.y); }

    // Outline in the pen, inside in the brush; the corners are normalised. With a null pen the
    // filled area is one pixel narrower and lower, as the system's.
    void rectangle(const Rect& rect);
    // A closed polygon: inside (alternate filling) in the brush, outline in the pen.
    void polygon(std::span<const Point> points);
    // Fills `rect` in the brush (a hollow brush fills nothing).
    void fillRect(const Rect& rect, const Brush& brush);
    // Fills `rect` in one colour. Like the framework's, it leaves `colour` as the background
    // colour.
    void fillSolidRect(const Rect& rect, ColorRef colour);
    // A one-pixel frame: top and left in `topLeft`, bottom and right in `bottomRight` (which
    // takes the top-right and bottom-left corners). Leaves `bottomRight` as background colour.
    void draw3dRect(const Rect& rect, ColorRef topLeft, ColorRef bottomRight);
    // A one-pixel frame in the brush.
    void frameRect(const Rect& rect, const Brush& brush);
    // The system's 3-D edges in the system colours: `edge` is EDGE_* or BDR_* bits, `flags`
    // the BF_* sides and BF_MIDDLE (fill the inside in the button face) and BF_ADJUST (shrink
    // `rect` by the borders drawn). A lone border is drawn at the rectangle's edge. False for an
    // impossible edge (raised and sunken in one border).
    bool drawEdge(Rect& rect, uint32_t edge, uint32_t flags);

    // Text in the selected font at (x, y), or at the current position with TA_UPDATECP (which
    // then moves past the text). The text is UTF-8, or Latin-1 when it is not valid UTF-8. The
    // box behind it is filled in the background colour in OPAQUE mode.
    void textOut(int32_t x, int32_t y, std::string_view text);
    // Width of the text and height of its line in the selected font.
    Size getTextExtent(std::string_view text) const;
    TextMetrics getTextMetrics() const;

    // Writes one pixel (no mixing); answers the colour written or CLR_INVALID when clipped.
    ColorRef setPixel(int32_t x, int32_t y, ColorRef colour);
    // The colour at (x, y); CLR_INVALID outside the clip.
    ColorRef getPixel(int32_t x, int32_t y) const;

    // Combines the source rectangle at (sourceX, sourceY) of `source` with the destination
    // rectangle at (x, y) and the brush by the raster operation (SRCCOPY, SRCINVERT, ... or any
    // ternary code). Pixels outside the source's image are not drawn. Source and destination
    // may be the same context and overlap.
    bool bitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source, int32_t sourceX,
                int32_t sourceY, uint32_t rasterOperation);
    // A raster operation without source: PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS.
    bool patBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rasterOperation);
    // Copies the source rectangle but leaves out its pixels of `transparentColour` (image lists
    // use IMAGE_MASK_COLOUR).
    bool transparentBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                        int32_t sourceX, int32_t sourceY, ColorRef transparentColour);

protected:
    // The window's own contexts (Window::getDC, PaintDC) name their window.
    void setWindow(WindowHandle window);

private:
    friend class Window;
    DeviceContext();
    struct Data;
    std::unique_ptr<Data> data_;
};

} // namespace platform
