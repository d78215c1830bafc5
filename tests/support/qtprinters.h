#pragma once
// googletest prints these Qt values as text in failure messages ("MODUL. :  0.501",
// QPoint(3, 4)) instead of their bytes. Included into every test file of the
// suites that use Qt (tests/CMakeLists.txt), so no test can forget it.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "QPoint(" << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QPointF& p, std::ostream* os) {
    *os << "QPointF(" << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << "QSize(" << s.width() << " x " << s.height() << ')';
}
inline void PrintTo(const QSizeF& s, std::ostream* os) {
    *os << "QSizeF(" << s.width() << " x " << s.height() << ')';
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}
inline void PrintTo(const QRectF& r, std::ostream* os) {
    *os << "QRectF(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}
