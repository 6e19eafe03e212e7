// The main window: the temperature chart, its toolbar, read-out and menus.
#pragma once

#include "log/WindowState.h"
#include "platform/OpenFileDialog.h"
#include "platform/PictureBox.h"
#include "platform/PictureButton.h"

#include <QLineEdit>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;

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
    // Open's steps after the dialog, shared with dropped files: LogFileName = fileName, also
    // when it is empty, and a non-empty name is loaded onto the chart as it stands.
    void openLogFile(const QString &fileName);
    void Command2_Click();
    void mnuexit_Click();
    // Copy image (Form1/CopyImage.cpp)
    void Command1_Click();
    // Files dropped on the window (Form1/DropFiles.cpp): opened one after another as Open
    // would open them; the first error stops the rest.
    void openDroppedFiles(const QStringList &paths);
    // Pointer read-out (Form1/ReadOut.cpp); X and Y in twips of the chart's inner area
    void Pic_MouseMove(short Button, short Shift, float X, float Y);
    // The plotting step run after each decoded record (Form1/DrawSegment.cpp)
    void DrawSegment();

    // Controls, placed from Form1/Layout.cpp; the window owns them all.
    PictureBox *Pic = nullptr;
    OpenFileDialog *CmD = nullptr;
    PictureButton *Cm1 = nullptr, *Cm2 = nullptr, *Command1 = nullptr, *Command2 = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
              *Text5 = nullptr, *Text6 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
           *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr, *Label16 = nullptr,
           *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr, *mnuopen = nullptr, *mnuexit = nullptr, *mnuhelp = nullptr;

private:
    void createControls();
    void createMenus();
    void wireEvents();
    void acceptFileDrops();
};
