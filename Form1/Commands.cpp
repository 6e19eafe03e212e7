// New, Open and Exit, from the toolbar and the File menu alike.
#include "Form1/Form1.h"

#include "chart/TraceSegments.h"
#include "log/LoadLog.h"
#include "platform/BusyCursor.h"
#include "platform/OpenFileDialog.h"
#include "platform/PictureBox.h"

void Form1::Cm1_Click() { Pic->Cls(); }

void Form1::mnuNew_Click() { Pic->Cls(); }

void Form1::Cm2_Click() { mnuopen_Click(); }

void Form1::mnuopen_Click()
{
    // Persistent drawing is switched on before the dialog, whether or not a file is chosen.
    Pic->setAutoRedraw(true);
    CmD->ShowOpen();
    openLogFile(CmD->FileName);
}

void Form1::openLogFile(const QString &fileName)
{
    // A cancelled dialog yields an empty name, which stops here: never an error, and the
    // chart stays as it is.
    LogFileName = fileName.toUtf8().toStdString();
    if (LogFileName.empty())
        return;
    BusyCursor busy;
    // Past the last drawn sample DrawSegment only counts, so the loader may check those
    // records in bulk.
    LoadLog(
            *this, [this] { DrawSegment(); }, LastDrawnSample);
}

void Form1::Command2_Click() { close(); }

void Form1::mnuexit_Click() { close(); }
