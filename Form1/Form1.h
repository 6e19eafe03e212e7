// The main window: the temperature chart, its toolbar, read-out and menus.
#pragma once

#include "log/WindowState.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/OpenFileDialog.h"
#include "platform/PictureBox.h"

#include <memory>
#include <string>
#include <vector>

class Form1 : public Form, public WindowState
{
public:
    Form1();

    // Commands (Form1/Commands.cpp)
    void Cm1_Click();
    void mnuNew_Click();
    void Cm2_Click();
    void mnuopen_Click();
    // Open's steps after the dialog, shared with dropped files: LogFileName = fileName, also
    // when it is empty, and a non-empty name is loaded onto the chart as it stands.
    void openLogFile(const std::string &fileName);
    // Files dropped on the window: opened one after another as Open would open them; the
    // first error stops the rest.
    void openDroppedFiles(const std::vector<std::string> &paths);
    void Command2_Click();
    void mnuexit_Click();
    // Copy image (Form1/CopyImage.cpp)
    void Command1_Click();
    // Pointer read-out (Form1/ReadOut.cpp); X and Y in twips of the chart's inner area
    void Pic_MouseMove(short Button, short Shift, float X, float Y);
    // The plotting step run after each decoded record (Form1/DrawSegment.cpp)
    void DrawSegment();

    // Controls, placed from Form1/Layout.cpp; the window owns them all.
    PictureBox *Pic = nullptr;
    std::unique_ptr<OpenFileDialog> CmD;
    PictureButton *Cm1 = nullptr, *Cm2 = nullptr, *Command1 = nullptr, *Command2 = nullptr;
    TextBox *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
            *Text5 = nullptr, *Text6 = nullptr;
    Caption *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
            *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
            *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
            *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr, *Label16 = nullptr,
            *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr;
    MenuItem *mnuFile = nullptr, *mnuNew = nullptr, *mnuopen = nullptr, *mnuexit = nullptr,
             *mnuhelp = nullptr;

private:
    void findControls();
    void wireEvents();
};
