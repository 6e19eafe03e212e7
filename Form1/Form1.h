// The main window: the temperature chart, its toolbar, read-out and menus.
#pragma once

#include "log/WindowState.h"

#include <QMainWindow>

class Form1 : public QMainWindow, public WindowState
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Commands (Form1/Commands.cpp)
    void Cm1_Click();
    void mnuNew_Click();
    void Cm2_Click();
    void mnuopen_Click();
    void Command2_Click();
    void mnuexit_Click();
    // Copy image (Form1/CopyImage.cpp)
    void Command1_Click();
    // Pointer read-out (Form1/ReadOut.cpp); X and Y in twips of the chart's inner area
    void Pic_MouseMove(short Button, short Shift, float X, float Y);
    // The plotting step run after each decoded record (Form1/DrawSegment.cpp)
    void DrawSegment();
};
