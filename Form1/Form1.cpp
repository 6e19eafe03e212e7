// The main window's construction: the form made from the layout table, its controls found by
// name, and every event given its handler.
#include "Form1/Form1.h"

#include "Form1/Layout.h"

#include <string>

Form1::Form1()
{
    load(Layout::form);
    findControls();
    wireEvents();
}

void Form1::findControls()
{
    Pic = &control<PictureBox>("Pic");
    Pic->setLineElements(Layout::grid);
    Cm1 = &control<PictureButton>("Cm1");
    Cm2 = &control<PictureButton>("Cm2");
    Command1 = &control<PictureButton>("Command1");
    Command2 = &control<PictureButton>("Command2");
    TextBox *Form1::*const texts[] = { &Form1::Text1, &Form1::Text2, &Form1::Text3,
                                       &Form1::Text4, &Form1::Text5, &Form1::Text6 };
    for (int i = 0; i < 6; ++i)
        this->*texts[i] = &control<TextBox>("Text" + std::to_string(i + 1));
    Caption *Form1::*const labels[]
            = { &Form1::Label1,  &Form1::Label2,  &Form1::Label3,  &Form1::Label4,  &Form1::Label5,
                &Form1::Label6,  &Form1::Label7,  &Form1::Label8,  &Form1::Label9,  &Form1::Label10,
                &Form1::Label11, &Form1::Label12, &Form1::Label13, &Form1::Label14, &Form1::Label15,
                &Form1::Label16, &Form1::Label17, &Form1::Label18, &Form1::Label19 };
    for (int i = 0; i < 19; ++i)
        this->*labels[i] = &control<Caption>("Label" + std::to_string(i + 1));
    mnuFile = &control<MenuItem>("mnuFile");
    mnuNew = &control<MenuItem>("mnuNew");
    mnuopen = &control<MenuItem>("mnuopen");
    mnuexit = &control<MenuItem>("mnuexit");
    mnuhelp = &control<MenuItem>("mnuhelp");

    // Screen readers name the glyph-only buttons and the chart by what they are for, and each
    // read-out box by the caption above it.
    Cm1->setAccessibleName("New");
    Cm2->setAccessibleName("Open");
    Command1->setAccessibleName("Copy image");
    Command2->setAccessibleName("Exit");
    Pic->setAccessibleName("Temperature chart");
    Label3->setBuddy(*Text5);
    Label19->setBuddy(*Text6);

    CmD = std::make_unique<OpenFileDialog>(*this);
    CmD->Filter = Layout::openFilter;
}

void Form1::wireEvents()
{
    Cm1->onClick([this] { Cm1_Click(); });
    Cm2->onClick([this] { Cm2_Click(); });
    Command1->onClick([this] { Command1_Click(); });
    Command2->onClick([this] { Command2_Click(); });
    mnuNew->onClick([this] { mnuNew_Click(); });
    mnuopen->onClick([this] { mnuopen_Click(); });
    mnuexit->onClick([this] { mnuexit_Click(); });
    Pic->onMouseMove([this](short button, short shift, float x, float y) {
        Pic_MouseMove(button, shift, x, y);
    });
    onFilesDropped([this](const std::vector<std::string> &paths) { openDroppedFiles(paths); });
}
