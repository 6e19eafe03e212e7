// The main window: the temperature chart, its toolbar, read-out and menus.
#pragma once

#include "log/WindowState.h"

#include <QMainWindow>

class Form1 : public QMainWindow, public WindowState
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
};
