#pragma once

#include <QWidget>

#include <functional>

class QTimer;

// The start-up picture, 576 x 288 pixels in the middle of the screen. Its
// timer runs from the moment the window is made; at the first tick the
// window goes and the next step of start-up (the main window) runs. Made
// with new: it deletes itself after the tick.
class FrmSplash : public QWidget {
    Q_OBJECT

public:
    static constexpr int Interval = 2000; // ms
    static constexpr QSize ClientSize { 576, 288 };

    explicit FrmSplash(std::function<void()> showMainWindow, QWidget* parent = nullptr);

    // The first tick: the splash is hidden before the main window shows.
    void Timer1_Timer();

    QTimer* Timer1;

private:
    std::function<void()> m_showMainWindow;
};
