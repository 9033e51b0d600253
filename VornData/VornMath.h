#pragma once

#include <cmath>
#include <limits>

// The geometry of the model: points and directions (Vector3), orientations and linear maps
// (Matrix3x3), affine transforms (Matrix4x4). All arithmetic is in double precision; angles are in
// radians (callers convert degrees with DEGREES_TO_RADIANS). The types hold no resources and report
// no errors. Every product forms its result in a local first, so a target may also be an operand,
// and calculators on worker threads share nothing.

constexpr double DEGREES_TO_RADIANS = 0.017453292519943295;

// sqrt(a² + b² + c²) for finite parts whose squares overflow: the parts are scaled by a power of
// two first, which changes no digit of them.
inline double scaledLengthOf(double a, double b, double c)
{
    int exponent = 0;
    std::frexp(std::fmax(std::fabs(a), std::fmax(std::fabs(b), std::fabs(c))), &exponent);
    const double x = std::ldexp(a, -exponent), y = std::ldexp(b, -exponent), z = std::ldexp(c, -exponent);
    return std::ldexp(std::sqrt(x * x + y * y + z * z), exponent);
}

// sqrt(a² + b² + c²). Only when the plain sum of squares overflows are the parts scaled first, so
// a length whose squares overflow is still found, and every other length keeps the plain result
// bit for bit (squares below the smallest double still count as 0, as in the plain sum).
inline double lengthOf(double a, double b, double c)
{
    const double plain = std::sqrt(a * a + b * b + c * c);
    const bool fits = plain <= std::numeric_limits<double>::max();
    if (fits || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) [[likely]]
        return plain;
    return scaledLengthOf(a, b, c);
}

class Vector3
{
public:
    double x, y, z;

    // Components left undefined, as for a plain double.
    Vector3() = default;
    Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

    double getX() const { return x; }
    double getY() const { return y; }
    double getZ() const { return z; }
    void setX(double value) { x = value; }
    void setY(double value) { y = value; }
    void setZ(double value) { z = value; }
    void set(double newX, double newY, double newZ) { x = newX, y = newY, z = newZ; }
    void setZero() { x = y = z = 0.0; }

    // Component 0 (x), 1 (y) or 2 (z).
    double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    Vector3& operator+=(const Vector3& v)
    {
        x += v.x, y += v.y, z += v.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& v)
    {
        x -= v.x, y -= v.y, z -= v.z;
        return *this;
    }
    void scale(double factor) { x *= factor, y *= factor, z *= factor; }
    double length() const { return lengthOf(x, y, z); }
    double distanceTo(const Vector3& v) const { return lengthOf(x - v.x, y - v.y, z - v.z); }
    Vector3& getVector() { return *this; }
    const Vector3& getVector() const { return *this; }
};

// A point of three single-precision floats, as the column-major point transforms accept it.
struct Point3f
{
    float x, y, z;
};

// Sixteen doubles, row by row: m[r * 4 + c]; the translation sits in the fourth column. The
// column-major transforms read the same numbers column by column (the storage order of GL matrices).
class Matrix4x4
{
public:
    double m[16];

    // Entries left undefined.
    Matrix4x4() = default;
    explicit Matrix4x4(double value) { fill(value); }

    double& operator()(int row, int column) { return m[row * 4 + column]; }
    double operator()(int row, int column) const { return m[row * 4 + column]; }

    void fill(double value)
    {
        for (double& entry : m)
            entry = value;
    }
    void setDiagonal(double value) { m[0] = m[5] = m[10] = m[15] = value; }
    // All entries `value`, then the diagonal `diagonal`: set(0, 1) is the identity.
    void set(double value, double diagonal)
    {
        fill(value);
        setDiagonal(diagonal);
    }

    // M := M·T, M·S and M·R for a translation, a scaling and the rotations about the axes.
    void translate(double x, double y, double z);
    void scale(double x, double y, double z);
    void rotateX(double angle);
    void rotateY(double angle);
    void rotateZ(double angle);

    void multiply(const Matrix4x4& n) { product(*this, n, *this); } // M := M·N
    void preMultiply(const Matrix4x4& n) { product(n, *this, *this); } // M := N·M
    void multiply(const Matrix4x4& n, Matrix4x4& out) const { product(*this, n, out); } // out := M·N
    void preMultiply(const Matrix4x4& n, Matrix4x4& out) const { product(n, *this, out); } // out := N·M

    // Row-major with translation; row 3 is not used.
    void transformPoint(Vector3& v) const { transformPointTo(v, v); }
    void transformPointTo(const Vector3& src, Vector3& dst) const;
    // Column-major reading with translation, the results of the float forms stored as floats.
    void transformPointColumnMajor(Vector3& v) const { transformPointColumnMajorTo(v, v); }
    Point3f& transformPointColumnMajor(Point3f& p) const
    {
        transformPointColumnMajorTo(p, p);
        return p;
    }
    void transformPointColumnMajorTo(const Vector3& src, Vector3& dst) const;
    void transformPointColumnMajorTo(const Point3f& src, Point3f& dst) const;

    // out := a·b; out may be a or b.
    static void product(const Matrix4x4& a, const Matrix4x4& b, Matrix4x4& out);
};

// Nine doubles, row by row; each row is a Vector3, so a row can be handed out without copying. In a
// local frame the rows are the local x, y and z axes in global coordinates.
class Matrix3x3
{
public:
    Vector3 rows[3];

    // The identity.
    Matrix3x3() { set(0.0, 1.0); }
    Matrix3x3(double offDiagonal, double diagonal) { set(offDiagonal, diagonal); }

    double& operator()(int row, int column) { return rows[row][column]; }
    double operator()(int row, int column) const { return rows[row][column]; }

    // The three diagonal entries `diagonal`, the six others `offDiagonal`: set(0, 1) is the identity.
    void set(double offDiagonal, double diagonal)
    {
        fill(offDiagonal);
        setDiagonal(diagonal);
    }
    void setIdentity() { set(0.0, 1.0); }
    void fill(double value)
    {
        for (Vector3& row : rows)
            row.set(value, value, value);
    }
    void setDiagonal(double value) { rows[0].x = rows[1].y = rows[2].z = value; }
    void copyTo(Matrix3x3& out) const { out = *this; }

    Vector3& getRow0() { return rows[0]; }
    Vector3& getRow1() { return rows[1]; }
    Vector3& getRow2() { return rows[2]; }
    const Vector3& getRow0() const { return rows[0]; }
    const Vector3& getRow1() const { return rows[1]; }
    const Vector3& getRow2() const { return rows[2]; }
    // Row 0, followed in memory by rows 1 and 2.
    Vector3& getRows() { return rows[0]; }
    const Vector3& getRows() const { return rows[0]; }
    Matrix3x3& getMatrix() { return *this; }
    const Matrix3x3& getMatrix() const { return *this; }

    // v := M·v (global to local for a frame).
    void transform(Vector3& v) const
    {
        const Vector3 s = v;
        v.x = rows[0].x * s.x + rows[0].y * s.y + rows[0].z * s.z;
        v.y = rows[1].x * s.x + rows[1].y * s.y + rows[1].z * s.z;
        v.z = rows[2].x * s.x + rows[2].y * s.y + rows[2].z * s.z;
    }
    // v := Mᵀ·v (local to global for a frame).
    void transformTransposed(Vector3& v) const
    {
        const Vector3 s = v;
        v.x = rows[0].x * s.x + rows[1].x * s.y + rows[2].x * s.z;
        v.y = rows[0].y * s.x + rows[1].y * s.y + rows[2].y * s.z;
        v.z = rows[0].z * s.x + rows[1].z * s.y + rows[2].z * s.z;
    }
    void toGlobal(Vector3& v) const { transformTransposed(v); }

    double determinant() const;
    // out := M⁻¹ when the determinant is not 0; otherwise out is left as it was.
    void getInverse(Matrix3x3& out) const;

    void multiply(const Matrix3x3& a, const Matrix3x3& b); // this := A·B
    void multiplyTransposedRight(const Matrix3x3& a, const Matrix3x3& b); // this := A·Bᵀ
    void multiplyTransposedLeft(const Matrix3x3& a, const Matrix3x3& b); // this := Aᵀ·B
    void multiplyTransposedBoth(const Matrix3x3& a, const Matrix3x3& b); // this := Aᵀ·Bᵀ

    void setRotationX(double angle);
    void setRotationY(double angle);
    void setRotationZ(double angle);
    // The rotation about the vector's direction by its length (radians); the identity for a zero vector.
    void setRotation(const Vector3& rotation);
    // Row 0 normalised, row 1 made perpendicular to it and normalised, row 2 := row 0 × row 1. Rows 0
    // and 1 must be non-zero and not parallel.
    void orthonormalize();
    // The local frame whose x axis points along `direction`, of length `length` (given by the caller).
    void setDirectionFrame(double length, const Vector3& direction);
    // The same frame turned about its x axis by the roll given as cosine and sine.
    void setDirectionFrame(double length, const Vector3& direction, double cosRoll, double sinRoll);

    // The nine entries into the upper-left block of out; the rest of out is untouched.
    void toMatrix4x4(Matrix4x4& out) const;
    // The same block, with the fourth row and column of the identity.
    void makeMatrix4x4(Matrix4x4& out) const;
    // Column-major 4×4 for the GL matrix stack whose first three columns are the rows of M.
    void toGLMatrix(double out[16]) const;
};
