#pragma once

// The mouse on grid cells as the platform delivers it: through the top-level window, so
// a drag carries its button in every move and a double click arrives as press, release,
// double click, release.

#include <QAbstractItemView>
#include <QTest>
#include <QWindow>

namespace gridmouse {

inline QPoint inWindow(const QAbstractItemView* view, int row, int column)
{
    const QRect cell = view->visualRect(view->model()->index(row, column));
    return view->viewport()->mapTo(view->window(), cell.center());
}

inline QWindow* windowOf(const QAbstractItemView* view)
{
    return view->window()->windowHandle();
}

// Press on one cell, move to the other with the button held, release there.
inline void drag(const QAbstractItemView* view, int fromRow, int fromColumn, int toRow, int toColumn)
{
    QWindow* window = windowOf(view);
    QTest::mousePress(window, Qt::LeftButton, {}, inWindow(view, fromRow, fromColumn));
    QTest::mouseMove(window, inWindow(view, toRow, toColumn));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(view, toRow, toColumn));
}

inline void click(const QAbstractItemView* view, int row, int column)
{
    QTest::mouseClick(windowOf(view), Qt::LeftButton, {}, inWindow(view, row, column));
}

inline void doubleClick(const QAbstractItemView* view, int row, int column)
{
    QTest::mouseDClick(windowOf(view), Qt::LeftButton, {}, inWindow(view, row, column));
}

} // namespace gridmouse
