#pragma once

#include <cstdint>

// A view on the outline words of a cross-section's shape data, shared by all shape plugins:
//   0            point count P
//   1            list count L (polygons)
//   2 .. 1+L     end index of each list, cumulative
//   2+L          index count N
//   3+L ..       P points of six floats (x, y, normal of the arriving edge, normal of the leaving edge)
//   then         N point indices (triangle strips separated by -1)
// The view does not own the words; it reads and writes them in place. A view on no words (null)
// stands for a missing outline.
class ShapeList
{
public:
    explicit ShapeList(uint32_t* words = nullptr) : words(words) {}

    bool isNull() const { return words == nullptr; }
    uint32_t* getWords() const { return words; }
    // Words the list takes, from its own counts.
    uint32_t getSize() const { return computeSize(getPointCount(), getListCount(), getIndexCount()); }

    // Words a list of that many points, lists and indices takes.
    static constexpr uint32_t computeSize(uint32_t points, uint32_t lists, uint32_t indices)
    {
        return 3 + lists + 6 * points + indices;
    }
    static constexpr uint32_t FloatsPerPoint = 6;

    uint32_t getPointCount() const { return words[0]; }
    void setPointCount(uint32_t count) { words[0] = count; }
    uint32_t getListCount() const { return words[1]; }
    void setListCount(uint32_t count) { words[1] = count; }
    // End of list `index` minus the end of the list before it; 0 for an index not below the count.
    uint32_t getListLength(uint32_t index) const;
    // The list's end becomes the previous list's end plus the length. Refused (false) for an index
    // not below the list count.
    bool setListLength(uint32_t index, uint32_t length);
    uint32_t getListEnd(uint32_t index) const { return index < getListCount() ? words[2 + index] : 0; }
    uint32_t getIndexCount() const { return words[2 + getListCount()]; }
    void setIndexCount(uint32_t count) { words[2 + getListCount()] = count; }
    float* getPoints() const { return reinterpret_cast<float*>(words + 3 + getListCount()); }
    int32_t* getIndexList() const
    {
        return reinterpret_cast<int32_t*>(words + 3 + getListCount() + FloatsPerPoint * getPointCount());
    }

private:
    uint32_t* words;
};
