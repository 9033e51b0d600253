#include "VornData/VornMath.h"

namespace
{
double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Matrix3x3 transposed(const Matrix3x3& m)
{
    Matrix3x3 t;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            t(r, c) = m(c, r);
    return t;
}

Matrix3x3 product(const Matrix3x3& a, const Matrix3x3& b)
{
    Matrix3x3 out;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out(r, c) = a(r, 0) * b(0, c) + a(r, 1) * b(1, c) + a(r, 2) * b(2, c);
    return out;
}

void setRows(Matrix3x3& m, const Vector3& r0, const Vector3& r1, const Vector3& r2)
{
    m.rows[0] = r0;
    m.rows[1] = r1;
    m.rows[2] = r2;
}

// Rotates the columns i and j of every row: new i = c·i + s·j, new j = c·j − s·i.
void rotateColumns(Matrix4x4& m, int i, int j, double c, double s)
{
    for (int r = 0; r < 4; ++r)
    {
        const double a = m(r, i), b = m(r, j);
        m(r, i) = c * a + s * b;
        m(r, j) = c * b - s * a;
    }
}
} // namespace

void Matrix4x4::translate(double x, double y, double z)
{
    for (int r = 0; r < 4; ++r)
        (*this)(r, 3) += x * (*this)(r, 0) + y * (*this)(r, 1) + z * (*this)(r, 2);
}

void Matrix4x4::scale(double x, double y, double z)
{
    for (int r = 0; r < 4; ++r)
    {
        (*this)(r, 0) *= x;
        (*this)(r, 1) *= y;
        (*this)(r, 2) *= z;
    }
}

void Matrix4x4::rotateX(double angle)
{
    // new m_r1 = c·m_r1 − s·m_r2, new m_r2 = s·m_r1 + c·m_r2
    rotateColumns(*this, 1, 2, std::cos(angle), -std::sin(angle));
}

void Matrix4x4::rotateY(double angle)
{
    // new m_r0 = c·m_r0 + s·m_r2, new m_r2 = c·m_r2 − s·m_r0
    rotateColumns(*this, 0, 2, std::cos(angle), std::sin(angle));
}

void Matrix4x4::rotateZ(double angle)
{
    // new m_r0 = c·m_r0 − s·m_r1, new m_r1 = s·m_r0 + c·m_r1
    rotateColumns(*this, 0, 1, std::cos(angle), -std::sin(angle));
}

void Matrix4x4::product(const Matrix4x4& a, const Matrix4x4& b, Matrix4x4& out)
{
    Matrix4x4 result;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            result(r, c) = a(r, 0) * b(0, c) + a(r, 1) * b(1, c) + a(r, 2) * b(2, c) + a(r, 3) * b(3, c);
    out = result;
}

void Matrix4x4::transformPointTo(const Vector3& src, Vector3& dst) const
{
    const Vector3 s = src;
    dst.x = m[0] * s.x + m[1] * s.y + m[2] * s.z + m[3];
    dst.y = m[4] * s.x + m[5] * s.y + m[6] * s.z + m[7];
    dst.z = m[8] * s.x + m[9] * s.y + m[10] * s.z + m[11];
}

void Matrix4x4::transformPointColumnMajorTo(const Vector3& src, Vector3& dst) const
{
    const Vector3 s = src;
    dst.x = m[0] * s.x + m[4] * s.y + m[8] * s.z + m[12];
    dst.y = m[1] * s.x + m[5] * s.y + m[9] * s.z + m[13];
    dst.z = m[2] * s.x + m[6] * s.y + m[10] * s.z + m[14];
}

void Matrix4x4::transformPointColumnMajorTo(const Point3f& src, Point3f& dst) const
{
    Vector3 v(src.x, src.y, src.z);
    transformPointColumnMajor(v);
    dst = Point3f{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

double Matrix3x3::determinant() const
{
    const Matrix3x3& m = *this;
    return m(0, 0) * m(1, 1) * m(2, 2) + m(0, 1) * m(1, 2) * m(2, 0) + m(0, 2) * m(1, 0) * m(2, 1) -
        m(0, 0) * m(1, 2) * m(2, 1) - m(0, 1) * m(1, 0) * m(2, 2) - m(0, 2) * m(1, 1) * m(2, 0);
}

void Matrix3x3::getInverse(Matrix3x3& out) const
{
    const double det = determinant();
    if (det == 0.0)
        return;
    // Adjugate over determinant: column c of the inverse is (row c+1 × row c+2) / det.
    const Vector3 c0 = cross(rows[1], rows[2]);
    const Vector3 c1 = cross(rows[2], rows[0]);
    const Vector3 c2 = cross(rows[0], rows[1]);
    Matrix3x3 inverse;
    for (int r = 0; r < 3; ++r)
    {
        inverse(r, 0) = c0[r] / det;
        inverse(r, 1) = c1[r] / det;
        inverse(r, 2) = c2[r] / det;
    }
    out = inverse;
}

void Matrix3x3::multiply(const Matrix3x3& a, const Matrix3x3& b)
{
    *this = product(a, b);
}

void Matrix3x3::multiplyTransposedRight(const Matrix3x3& a, const Matrix3x3& b)
{
    *this = product(a, transposed(b));
}

void Matrix3x3::multiplyTransposedLeft(const Matrix3x3& a, const Matrix3x3& b)
{
    *this = product(transposed(a), b);
}

void Matrix3x3::multiplyTransposedBoth(const Matrix3x3& a, const Matrix3x3& b)
{
    *this = product(transposed(a), transposed(b));
}

void Matrix3x3::setRotationX(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    setRows(*this, Vector3(1, 0, 0), Vector3(0, c, -s), Vector3(0, s, c));
}

void Matrix3x3::setRotationY(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    setRows(*this, Vector3(c, 0, s), Vector3(0, 1, 0), Vector3(-s, 0, c));
}

void Matrix3x3::setRotationZ(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    setRows(*this, Vector3(c, -s, 0), Vector3(s, c, 0), Vector3(0, 0, 1));
}

void Matrix3x3::setRotation(const Vector3& rotation)
{
    const double a = rotation.length();
    if (a == 0.0)
    {
        setIdentity();
        return;
    }
    const double x = rotation.x / a, y = rotation.y / a, z = rotation.z / a;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    setRows(*this, Vector3(t * x * x + c, t * x * y - s * z, t * x * z + s * y),
            Vector3(t * x * y + s * z, t * y * y + c, t * y * z - s * x),
            Vector3(t * x * z - s * y, t * y * z + s * x, t * z * z + c));
}

void Matrix3x3::orthonormalize()
{
    rows[0].scale(1.0 / rows[0].length());
    Vector3 along = rows[0];
    along.scale(dot(rows[1], rows[0]));
    rows[1] -= along;
    rows[1].scale(1.0 / rows[1].length());
    rows[2] = cross(rows[0], rows[1]);
}

void Matrix3x3::setDirectionFrame(double length, const Vector3& direction)
{
    const Vector3 alongPlusZ[3] = {Vector3(0, 0, 1), Vector3(0, 1, 0), Vector3(-1, 0, 0)};
    if (length == 0.0)
    {
        setIdentity();
        return;
    }
    if (length == direction.z)
    {
        setRows(*this, alongPlusZ[0], alongPlusZ[1], alongPlusZ[2]);
        return;
    }
    if (-direction.z == length)
    {
        setRows(*this, Vector3(0, 0, -1), Vector3(0, 1, 0), Vector3(1, 0, 0));
        return;
    }
    const double r = std::sqrt(direction.x * direction.x + direction.y * direction.y);
    if (r == 0.0)
    {
        setRows(*this, alongPlusZ[0], alongPlusZ[1], alongPlusZ[2]);
        return;
    }
    const double ex = direction.x / r, ey = direction.y / r, zl = direction.z / length, rl = r / length;
    setRows(*this, Vector3(rl * ex, rl * ey, zl), Vector3(-ey, ex, 0), Vector3(-zl * ex, -zl * ey, rl));
}

void Matrix3x3::setDirectionFrame(double length, const Vector3& direction, double cosRoll, double sinRoll)
{
    setDirectionFrame(length, direction);
    const Vector3 r1 = rows[1], r2 = rows[2];
    rows[1] =
        Vector3(cosRoll * r1.x + sinRoll * r2.x, cosRoll * r1.y + sinRoll * r2.y, cosRoll * r1.z + sinRoll * r2.z);
    rows[2] =
        Vector3(cosRoll * r2.x - sinRoll * r1.x, cosRoll * r2.y - sinRoll * r1.y, cosRoll * r2.z - sinRoll * r1.z);
}

void Matrix3x3::toMatrix4x4(Matrix4x4& out) const
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out(r, c) = (*this)(r, c);
}

void Matrix3x3::makeMatrix4x4(Matrix4x4& out) const
{
    out.set(0.0, 1.0);
    toMatrix4x4(out);
}

void Matrix3x3::toGLMatrix(double out[16]) const
{
    Matrix4x4 columnMajor;
    makeMatrix4x4(columnMajor);
    // Column c of a column-major matrix is stored at out[c * 4 .. c * 4 + 3]; making it row c of
    // this matrix gives the row-major storage of the 4×4 form.
    for (int i = 0; i < 16; ++i)
        out[i] = columnMajor.m[i];
}
