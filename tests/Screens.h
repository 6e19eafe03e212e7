// Windows on the offscreen screens of offscreen-screens.json, one for each device pixel ratio, and
// their client areas as the screen shows them.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cmath>

inline QScreen *screenAtRatio(qreal ratio)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == ratio)
            return screen;
    return nullptr;
}

// Shows the window on the screen, moving it there if it is shown elsewhere already; false if it
// never gets there. The window keeps its size in layout pixels, as on a compositor's outputs,
// though Qt 6.8 restores that size only some events after the ratio has changed.
[[nodiscard]] inline bool showOn(QWidget &window, QScreen *screen)
{
    const QSize size = window.size();
    window.move(screen->geometry().topLeft() + QPoint(20, 40));
    window.setScreen(screen);
    window.show();
    const qreal ratio = screen->devicePixelRatio();
    return QTest::qWaitForWindowExposed(&window)
            && QTest::qWaitFor(
                    [&] { return window.devicePixelRatioF() == ratio && window.size() == size; },
                    2000);
}

// In a test function: shows the window at the ratio, or skips the row where this run's screens
// have no such ratio (the runs at another dpi have one screen).
#define SHOW_AT_RATIO(window, ratio)                                                               \
    do {                                                                                           \
        QScreen *screen_ = screenAtRatio(ratio);                                                   \
        if (!screen_)                                                                              \
            QSKIP("no screen at this device pixel ratio in this run");                             \
        QVERIFY(showOn(window, screen_));                                                          \
    } while (false)

// The device pixel where a chart's inner area starts, inside its two-pixel border.
inline int innerOrigin(qreal ratio) { return int(std::floor(2 * ratio + 0.5)); }

// The client area as the screen shows it, in device pixels: cut from the whole window at the
// client area's corner, which may lie at a fraction of a pixel and is rounded as the screen
// rounds it, and as large as a rendering of the client area alone.
inline QImage clientPixels(QMainWindow &window)
{
    const qreal ratio = window.devicePixelRatioF();
    const QWidget *client = window.centralWidget();
    const QPointF corner = QPointF(client->mapTo(&window, QPoint())) * ratio;
    QImage pixels = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    pixels.setDevicePixelRatio(1);
    return pixels.copy(
            QRect(QPoint(int(std::floor(corner.x() + 0.5)), int(std::floor(corner.y() + 0.5))),
                  client->size() * ratio));
}
