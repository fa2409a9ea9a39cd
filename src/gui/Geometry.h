// Points, sizes, rectangles and colours of the GUI library, in pixels.
#pragma once

namespace gui {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};
inline bool operator==(const Size& a, const Size& b) {
    return a.width == b.width && a.height == b.height;
}

// From the corner (left, top) to the corner (right, bottom), which lies just
// outside, as in Windows.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect at(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Size size() const { return {width(), height()}; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool intersects(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool contains(const Rect& o) const {
        return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
    }
};
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// A colour given as red, green and blue.
struct Colour {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};
inline bool operator==(const Colour& a, const Colour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace gui
